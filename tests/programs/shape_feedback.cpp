// Checks that every cached shape sends GL exactly what the library call it
// replaces sends: both are drawn in feedback mode and the returned primitives
// (window positions, colours, texture coordinates) must match to the bit, as
// must the texture coordinate each leaves current. Then that a recorded model
// part replays as it draws live: the same primitives, colours and texture
// coordinates, positions within rounding, and the same state left behind.
// Exits 1 on any difference. Needs an X server (run under Xvfb).
#include <GL/glut.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <cmath>

#include "models/model_gl.h"
#include "models/shape_meshes.h"
#include "models/shapes.h"

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

// --- Recorded parts ---------------------------------------------------------

uint32_t partTexture = 0;

// Something of everything a model does: nested and mirrored transforms,
// colours, texture switches, attribute pushes, shapes with and without
// texture coordinates, polygons and lines.
void samplePart() {
    gx::pushMatrix();
    gx::translate(0.5f, -1, 2);
    gx::rotate(30, 0, 0, 1);
    gx::scale(0.8f, 0.8f, -0.8f);
    gx::colour(1, 1, 0);
    gx::enable(GL_TEXTURE_2D);
    gx::bindTexture(&partTexture);
    drawTexturedSphere(2, 10, 10);
    gx::pushMatrix();
    gx::rotate(-70, 1, 0.5f, 0);
    drawTexturedCylinder(1, 0.5, 3, 10, 2);
    drawCube(1);  // takes the coordinate the cylinder left
    gx::popMatrix();
    gx::disable(GL_TEXTURE_2D);
    gx::pushAttrib(GL_COLOR_BUFFER_BIT);
    gx::colour(0.2f, 0.4f, 0.6f, 0.5f);
    gx::blendFunc(GL_SRC_ALPHA, GL_ONE);
    gx::begin(GL_POLYGON);
    gx::texCoord(0, 0);
    gx::vertex(-3, 0, 0);
    gx::texCoord(1, 0);
    gx::vertex(3, 0, 0);
    gx::texCoord(0.5f, 1);
    gx::vertex(0, 4, 1);
    gx::end();
    gx::popAttrib();
    drawTorus(0.2, 3.5, 10, 10);
    gx::begin(GL_LINES);
    gx::vertex(3.5f, 0, 0);
    gx::vertex(4.5f, 1.3f, 4);
    gx::end();
    gx::popMatrix();
}

// A part that starts with a texture-less shape: it must take whatever
// coordinate is current when drawn, not the one current when recorded.
void cubeFirstPart() {
    gx::pushMatrix();
    gx::scale(3, 2, 1);
    drawCube(1);
    gx::popMatrix();
}

struct State {
    float colour[4], texCoord[4];
    GLboolean texturing, blending;
    GLint texture, blendDst;
};

State currentState() {
    State s;
    glGetFloatv(GL_CURRENT_COLOR, s.colour);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, s.texCoord);
    s.texturing = glIsEnabled(GL_TEXTURE_2D);
    s.blending = glIsEnabled(GL_BLEND);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &s.texture);
    glGetIntegerv(GL_BLEND_DST, &s.blendDst);
    return s;
}

bool sameState(const State& a, const State& b) {
    return std::memcmp(a.colour, b.colour, sizeof a.colour) == 0 &&
           std::memcmp(a.texCoord, b.texCoord, sizeof a.texCoord) == 0 && a.texturing == b.texturing &&
           a.blending == b.blending && a.texture == b.texture && a.blendDst == b.blendDst;
}

std::string describeDifference(const State& want, const State& got) {
    char text[400];
    std::snprintf(text, sizeof text,
                  "leaves colour (%g %g %g %g), texture coordinate (%g %g), texturing %d, blending %d, texture %d, "
                  "blend %d instead of (%g %g %g %g), (%g %g), %d, %d, %d, %d",
                  got.colour[0], got.colour[1], got.colour[2], got.colour[3], got.texCoord[0], got.texCoord[1],
                  got.texturing, got.blending, got.texture, got.blendDst, want.colour[0], want.colour[1],
                  want.colour[2], want.colour[3], want.texCoord[0], want.texCoord[1], want.texturing, want.blending,
                  want.texture, want.blendDst);
    return text;
}

std::vector<float> feedbackOf(const std::function<void()>& draw) {
    std::vector<float> buffer(1 << 20);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint n = glRenderMode(GL_RENDER);
    return std::vector<float>(buffer.begin(), buffer.begin() + std::max(n, 0));
}

// Positions may differ by rounding (the recording moves them in software);
// tokens, counts, colours and texture coordinates may not.
std::string compareFeedback(const std::vector<float>& want, const std::vector<float>& got) {
    if (want.empty()) return "the live part drew nothing";
    if (want.size() != got.size())
        return "feedback length " + std::to_string(got.size()) + " instead of " + std::to_string(want.size());
    size_t i = 0;
    while (i < want.size()) {
        const bool polygon = want[i] == GL_POLYGON_TOKEN;
        if (want[i] != got[i] || (polygon && want[i + 1] != got[i + 1]))
            return "token or count at word " + std::to_string(i);
        const int vertices = want[i] == GL_POLYGON_TOKEN ? static_cast<int>(want[i + 1]) : 0;
        const int perVertex = 3 + 4 + 4;
        size_t v = i + (want[i] == GL_POLYGON_TOKEN ? 2 : 1);
        const int count = want[i] == GL_POLYGON_TOKEN ? vertices : (want[i] == GL_POINT_TOKEN ? 1 : 2);
        for (int k = 0; k < count; ++k, v += perVertex) {
            for (int c = 0; c < 3; ++c)
                if (std::fabs(want[v + c] - got[v + c]) > 1e-4f) return "position at word " + std::to_string(v + c);
            for (int c = 3; c < perVertex; ++c)
                if (want[v + c] != got[v + c]) return "colour or texture coordinate at word " + std::to_string(v + c);
        }
        i = v;
    }
    return "";
}

void resetState() {
    glColor4f(0, 0, 0, 0);
    glDisable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBlendFunc(GL_ONE, GL_ZERO);
}

void checkRecorded(const std::string& name, void (*part)(), float s, float t) {
    resetState();
    glTexCoord2f(s, t);
    const std::vector<float> live = feedbackOf(part);
    const State liveState = currentState();
    for (int pass = 0; pass < 2; ++pass) {  // recording, then replaying
        resetState();
        glTexCoord2f(s, t);
        const std::vector<float> recorded = feedbackOf([&] { drawRecorded(part); });
        const State recordedState = currentState();
        std::string problem = compareFeedback(live, recorded);
        if (problem.empty() && !sameState(liveState, recordedState))
            problem = describeDifference(liveState, recordedState);
        if (problem.empty()) {
            std::printf("same  %s, %s\n", name.c_str(), pass == 0 ? "recorded" : "replayed");
        } else {
            std::printf("DIFF  %s, %s: %s\n", name.c_str(), pass == 0 ? "recorded" : "replayed", problem.c_str());
            ++failures;
        }
    }
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

    // The recorded parts, in a view they fit in.
    glLoadIdentity();
    glScalef(1.0f / 16, 1.0f / 16, 1.0f / 16);
    glGenTextures(1, &partTexture);
    checkRecorded("sample part", samplePart, 0.25f, 0.75f);
    checkRecorded("part starting with a cube", cubeFirstPart, 0.25f, 0.75f);
    checkRecorded("part starting with a cube", cubeFirstPart, 0.125f, 0.5f);

    std::printf("%d difference(s)\n", failures);
    return failures == 0 ? 0 : 1;
}
