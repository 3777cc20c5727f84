// Checks that every cached shape sends GL exactly what the library call it
// replaces sends: both are drawn in feedback mode and the returned primitives
// (window positions, colours, texture coordinates) must match to the bit, as
// must the texture coordinate each leaves current. Exits 1 on any difference.
// Needs an X server (run under Xvfb).
#include <GL/glut.h>
#include <GL/glu.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "models/shape_meshes.h"

namespace {

struct Capture {
    std::vector<float> feedback;
    float texCoord[4];
};

// Only the window x coordinate comes back from feedback unrounded, so each
// shape is captured three times, with its x, y and z axis in turn brought to
// window x by an exact permutation (and a power-of-two scale into the view).
Capture capture(const std::function<void()>& draw) {
    constexpr float k = 1.0f / 32;
    const GLfloat axes[3][16] = {
        {k, 0, 0, 0, 0, k, 0, 0, 0, 0, k, 0, 0, 0, 0, 1},
        {0, k, 0, 0, k, 0, 0, 0, 0, 0, k, 0, 0, 0, 0, 1},
        {0, 0, k, 0, 0, k, 0, 0, k, 0, 0, 0, 0, 0, 0, 1},
    };
    Capture c;
    std::vector<float> buffer(1 << 20);
    for (const GLfloat* matrix : axes) {
        glLoadMatrixf(matrix);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
        glTexCoord4f(0.25f, 0.75f, 0, 1);  // a known value, so "left unchanged" shows
        draw();
        const GLint n = glRenderMode(GL_RENDER);
        if (n > 0) c.feedback.insert(c.feedback.end(), buffer.begin(), buffer.begin() + n);
    }
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, c.texCoord);
    return c;
}

int failures = 0;

void compare(const std::string& name, const std::function<void()>& library, const ShapeMesh& mesh) {
    const Capture want = capture(library);
    const Capture got = capture([&] { drawMesh(mesh); });
    std::string problem;
    if (want.feedback.empty()) {
        problem = "the library drew nothing";
    } else if (want.feedback.size() != got.feedback.size()) {
        problem = "feedback length " + std::to_string(got.feedback.size()) + " instead of " +
                  std::to_string(want.feedback.size());
    } else if (std::memcmp(want.feedback.data(), got.feedback.data(), want.feedback.size() * sizeof(float)) != 0) {
        for (size_t i = 0; i < want.feedback.size(); ++i) {
            if (want.feedback[i] != got.feedback[i]) {
                char text[160];
                std::snprintf(text, sizeof text, "feedback word %zu: %.9g instead of %.9g", i, got.feedback[i],
                              want.feedback[i]);
                problem = text;
                break;
            }
        }
    } else if (std::memcmp(want.texCoord, got.texCoord, sizeof want.texCoord) != 0) {
        char text[160];
        std::snprintf(text, sizeof text, "current texture coordinate (%g, %g) instead of (%g, %g)", got.texCoord[0],
                      got.texCoord[1], want.texCoord[0], want.texCoord[1]);
        problem = text;
    }
    if (problem.empty()) {
        std::printf("same  %s (%zu words)\n", name.c_str(), want.feedback.size());
    } else {
        std::printf("DIFF  %s: %s\n", name.c_str(), problem.c_str());
        ++failures;
    }
}

GLUquadric* texturedQuadric() {
    static GLUquadric* q = [] {
        GLUquadric* made = gluNewQuadric();
        gluQuadricTexture(made, GL_TRUE);
        gluQuadricDrawStyle(made, GLU_FILL);
        return made;
    }();
    return q;
}

void cylinder(double base, double top, double height, int slices, int stacks) {
    compare("cylinder " + std::to_string(base) + " " + std::to_string(top) + " " + std::to_string(height) + " " +
                std::to_string(slices) + "x" + std::to_string(stacks),
            [&] { gluCylinder(texturedQuadric(), base, top, height, slices, stacks); },
            cylinderMesh(base, top, height, slices, stacks));
}

void disk(double inner, double outer, int slices, int loops) {
    compare("disk " + std::to_string(inner) + " " + std::to_string(outer) + " " + std::to_string(slices) + "x" +
                std::to_string(loops),
            [&] { gluDisk(texturedQuadric(), inner, outer, slices, loops); }, diskMesh(inner, outer, slices, loops));
}

void sphere(double radius, int slices, int stacks) {
    compare("sphere " + std::to_string(radius) + " " + std::to_string(slices) + "x" + std::to_string(stacks),
            [&] { gluSphere(texturedQuadric(), radius, slices, stacks); }, sphereMesh(radius, slices, stacks));
}

void torus(double inner, double outer, int sides, int rings) {
    compare("torus " + std::to_string(inner) + " " + std::to_string(outer) + " " + std::to_string(sides) + "x" +
                std::to_string(rings),
            [&] { glutSolidTorus(inner, outer, sides, rings); }, torusMesh(inner, outer, sides, rings));
}

void cube(double size) {
    compare("cube " + std::to_string(size), [&] { glutSolidCube(size); }, cubeMesh(size));
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(64, 64);
    glutCreateWindow("shape feedback");

    // Window coordinates equal clip coordinates.
    glViewport(-1, -1, 2, 2);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glDisable(GL_CULL_FACE);

    // Every set of parameters the models use, and a few more.
    cylinder(4, 3, 3.5, 10, 1);
    cylinder(3, 4, 3.5, 10, 1);
    cylinder(1, 1, 4, 10, 10);
    cylinder(0.2, 0.2, 2, 10, 1);
    cylinder(0.21, 0.21, 1.5, 10, 1);
    cylinder(0.01, 0.01, 1, 10, 1);
    cylinder(2, 0, 20, 10, 10);
    cylinder(5, 5, 10, 20, 1);
    cylinder(2, 1, 10, 20, 1);
    cylinder(2, 1, 23, 20, 1);
    cylinder(7, 7, 20, 20, 10);
    cylinder(2.0, 0.6, 6, 10, 10);
    cylinder(0.5, 0.3, 5, 10, 10);
    cylinder(0.5, 0.5, 1, 10, 4);
    cylinder(3.0, 0.6, 8, 10, 10);
    cylinder(1.0, 0.27, 1.42, 10, 10);
    cylinder(0.75, 1.25, 1.5, 20, 1);
    cylinder(1.0, 0.5, 3, 10, 10);
    cylinder(0.5, 0.1, 7, 10, 10);
    cylinder(0.5, 0, 1.0, 8, 20);
    cylinder(3, 0, 5, 10, 10);
    cylinder(0.25, 0.25, 2, 10, 10);
    disk(0, 4, 10, 1);
    disk(0, 4, 12, 3);
    disk(1, 4, 9, 2);
    sphere(1, 10, 10);
    sphere(2, 10, 10);
    sphere(0.5, 10, 10);
    sphere(0.3, 10, 10);
    sphere(8, 30, 30);
    sphere(5, 20, 20);
    sphere(5, 10, 10);
    sphere(3, 10, 10);
    sphere(4, 10, 10);
    sphere(0.5, 20, 20);
    sphere(0.3, 20, 20);
    sphere(1, 20, 20);
    sphere(7, 20, 20);
    sphere(2, 20, 20);
    sphere(0.5, 10, 5);
    torus(0.2, 3.5, 10, 10);
    torus(0.1, 1.0, 8, 20);
    torus(0.1, 0.1, 8, 20);
    torus(0.1, 0.7, 8, 20);
    torus(0.3, 5.0, 8, 20);
    torus(0.2, 4.0, 20, 20);
    cube(0.5);
    cube(1);
    cube(0.7);

    std::printf("%d difference(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
