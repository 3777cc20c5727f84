#include "models/shapes.h"

#include <GL/glut.h>
#include <GL/glu.h>

namespace {

// The textured shapes share one quadric with texture coordinates on instead of
// making one per call: a frame draws hundreds of them, and the quadric carries
// nothing between calls but its (always re-set) draw style.
GLUquadric* texturedQuadric() {
    static GLUquadric* quadric = [] {
        GLUquadric* q = gluNewQuadric();
        gluQuadricTexture(q, GL_TRUE);
        return q;
    }();
    return quadric;
}

void vertex(double x, double y, double z, double s, double t) {
    glTexCoord2d(s, t);
    glVertex3d(x, y, z);
}

}  // namespace

void drawCylinder(GLUquadric* quadric, double baseRadius, double topRadius, double height, int slices, int stacks) {
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluCylinder(quadric, baseRadius, topRadius, height, slices, stacks);
}

void drawTexturedCylinder(double baseRadius, double topRadius, double height, int slices, int stacks) {
    drawCylinder(texturedQuadric(), baseRadius, topRadius, height, slices, stacks);
}

void drawTexturedCone(double baseRadius, double height, int slices, int stacks) {
    drawTexturedCylinder(baseRadius, 0.0, height, slices, stacks);
}

void drawTexturedDisk(double innerRadius, double outerRadius, int slices, int loops) {
    GLUquadric* q = texturedQuadric();
    gluQuadricDrawStyle(q, GLU_FILL);  // the default style of a fresh quadric
    gluDisk(q, innerRadius, outerRadius, slices, loops);
}

void drawSphere(GLUquadric* quadric, double radius, double slices, double stacks) {
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluSphere(quadric, radius, static_cast<int>(slices), static_cast<int>(stacks));
}

void drawTexturedSphere(double radius, double slices, double stacks) {
    drawSphere(texturedQuadric(), radius, slices, stacks);
}

void drawCube(double size) { glutSolidCube(size); }

void drawHalfBox(double size) {
    const double h = size / 2.0;
    // Each face takes the whole image, corners in the same order.
    const double faces[6][4][3] = {
        {{-h, h, h}, {-h, -h, h}, {h, -h, h}, {h, h, h}},      // top
        {{-h, h, 0}, {-h, h, h}, {h, h, h}, {h, h, 0}},        // side +y
        {{h, h, 0}, {h, h, h}, {h, -h, h}, {h, -h, 0}},        // side +x
        {{h, h, 0}, {-h, h, 0}, {-h, -h, 0}, {h, -h, 0}},      // bottom
        {{-h, -h, 0}, {-h, -h, h}, {-h, h, h}, {-h, h, 0}},    // side -x
        {{h, -h, 0}, {h, -h, h}, {-h, -h, h}, {-h, -h, 0}},    // side -y
    };
    const double tex[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    for (const auto& face : faces) {
        glPushMatrix();
        glBegin(GL_POLYGON);
        for (int i = 0; i < 4; ++i) vertex(face[i][0], face[i][1], face[i][2], tex[i][0], tex[i][1]);
        glEnd();
        glPopMatrix();
    }
}

void drawTorus(double innerRadius, double outerRadius, double sides, double rings) {
    glutSolidTorus(innerRadius, outerRadius, static_cast<int>(sides), static_cast<int>(rings));
}

void drawPrism(double width, double height, double depth) {
    const double w = width / 2.0;
    const double h = height;
    const double d = depth;
    glPushMatrix();
    glDisable(GL_CULL_FACE);

    glBegin(GL_POLYGON);  // front triangle
    vertex(-w, 0, 0, 0, 0);
    vertex(w, 0, 0, 1, 0);
    vertex(0, h, 0, 0.5, 1);
    glEnd();

    glBegin(GL_POLYGON);  // back triangle
    vertex(-w, 0, d, 0, 0);
    vertex(w, 0, d, 1, 0);
    vertex(0, h, d, 0.5, 1);
    glEnd();

    glBegin(GL_POLYGON);  // left slope
    vertex(-w, 0, 0, 0, 0);
    vertex(-w, 0, d, 0, 1);
    vertex(0, h, d, 1, 1);
    vertex(0, h, 0, 1, 0);
    glEnd();

    glBegin(GL_POLYGON);  // right slope
    vertex(0, h, 0, 0, 0);
    vertex(0, h, d, 0, 1);
    vertex(w, 0, d, 1, 1);
    vertex(w, 0, 0, 1, 0);
    glEnd();

    glBegin(GL_POLYGON);  // floor
    vertex(-w, 0, 0, 0, 0);
    vertex(-w, 0, d, 0, 1);
    vertex(w, 0, d, 1, 1);
    vertex(w, 0, 0, 1, 0);
    glEnd();

    glPopMatrix();
    // Culling comes back on whatever it was before: the models rely on it.
    glEnable(GL_CULL_FACE);
}
