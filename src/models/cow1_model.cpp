// Boris: a cut-out silhouette extruded into a slab on each side of a spotted
// ellipsoid, with a quadric head and tail.
#include <GL/gl.h>

#include <initializer_list>

#include "game/cow.h"
#include "models/draw_behaviours.h"
#include "models/model_gl.h"
#include "models/shapes.h"
#include "world/world_grid.h"

namespace {

struct Vec3 {
    float x, y, z;
};

// The body silhouette: z = 2 on the inner face of the slab, 6 on the outer.
const Vec3 kBodyVertices[40] = {
    {-15, 10, 2}, {-15, 10, 6}, {-15, -10, 6}, {-15, -10, 2}, {-14, 12, 2},
    {-14, 12, 6}, {-14, -10, 6}, {-14, -10, 2}, {-10, 12, 2}, {-10, 12, 6},
    {-10, 0, 6}, {-10, 0, 2}, {-9, 12, 2}, {2, 12, 2}, {2, -8, 2},
    {-3, -8, 2}, {-9, 0, 2}, {-9, 12, 6}, {-9, 0, 6}, {-3, -8, 6},
    {2, -8, 6}, {2, 12, 6}, {6, 12, 2}, {6, 12, 6}, {6, -6, 6},
    {6, -6, 2}, {6, -10, 6}, {6, -10, 2}, {8, 12, 2}, {8, 12, 6},
    {8, -10, 6}, {8, -10, 2}, {15, 12, 2}, {15, 8, 2}, {11, 0, 2},
    {11, 0, 6}, {15, 12, 6}, {15, 8, 6}, {-13, -10, 6}, {-13, -10, 2},
};

struct SlabCorner {
    int vertex;
    float s, t;
};

struct SlabPolygon {
    int texture;  // object texture slot
    int count;
    SlabCorner corners[9];
};

const SlabPolygon kOuterSlab[19] = {
    {tex::CowSpots, 9, {{1, 0, 0}, {5, 0, 0.1f}, {9, 0, 0.7f}, {17, 0, 1}, {18, 0.5f, 1}, {10, 0.5f, 0.7f}, {38, 1, 0.2f}, {6, 1, 0.1f}, {2, 1, 0}}},
    {tex::CowSpots, 7, {{17, 0, 0}, {21, 0, 0.8f}, {23, 0, 1}, {24, 0.9f, 1}, {20, 1, 0.8f}, {19, 1, 0.3f}, {18, 0.5f, 0}}},
    {tex::CowSpots, 8, {{23, 0, 0}, {29, 0, 0.3f}, {36, 0, 1}, {37, 0.1f, 1}, {35, 0.8f, 0.8f}, {30, 1, 0.3f}, {26, 1, 0}, {24, 0.9f, 0}}},
    {tex::CowSpots, 7, {{0, 0, 0}, {4, 0, 0.1f}, {8, 0, 1}, {11, 0.5f, 1}, {39, 1, 0.5f}, {7, 1, 0.2f}, {3, 1, 0}}},
    {tex::CowSpots, 8, {{22, 0, 0}, {28, 0, 0.3f}, {32, 0, 1}, {33, 0.1f, 1}, {34, 0.8f, 0.8f}, {31, 1, 0.3f}, {27, 1, 0}, {25, 0.9f, 0}}},
    {tex::CowSpots, 4, {{4, 0, 0}, {13, 0, 1}, {21, 1, 1}, {5, 1, 0}}},
    {tex::CowSpots, 4, {{13, 0, 0}, {32, 0, 1}, {36, 1, 1}, {21, 1, 0}}},
    {tex::CowSpots, 4, {{0, 0, 0}, {4, 0, 1}, {5, 1, 1}, {1, 1, 0}}},
    {tex::CowSpots, 4, {{0, 0, 0}, {1, 0, 1}, {2, 1, 1}, {3, 1, 0}}},
    {tex::White, 4, {{39, 0, 0}, {11, 0, 1}, {10, 1, 1}, {38, 1, 0}}},
    {tex::White, 4, {{11, 0, 0}, {16, 0, 1}, {18, 1, 1}, {10, 1, 0}}},
    {tex::White, 4, {{16, 0, 0}, {15, 0, 1}, {19, 1, 1}, {18, 1, 0}}},
    {tex::White, 4, {{15, 0, 0}, {14, 0, 1}, {20, 1, 1}, {19, 1, 0}}},
    {tex::White, 4, {{14, 0, 0}, {25, 0, 1}, {24, 1, 1}, {20, 1, 0}}},
    {tex::White, 4, {{25, 0, 0}, {27, 0, 1}, {26, 1, 1}, {24, 1, 0}}},
    {tex::White, 4, {{31, 0, 0}, {34, 0, 1}, {35, 1, 1}, {30, 1, 0}}},
    {tex::CowSpots, 4, {{34, 0, 0}, {33, 0, 1}, {37, 1, 1}, {35, 1, 0}}},
    {tex::CowSpots, 4, {{33, 0, 0}, {32, 0, 1}, {36, 1, 1}, {37, 1, 0}}},
};

struct StripCorner {
    Vec3 p;
    float s, t;
};

struct StripPolygon {
    int texture;
    int count;
    StripCorner corners[4];
};

// The strip that closes the gap between the two slabs (z from 0 to 2).
const StripPolygon kInnerStrip[11] = {
    {tex::CowSpots, 4, {{{-15, -6, 0}, 0, 0}, {{-15, 10, 0}, 0, 1}, {{-15, 10, 2}, 1, 1}, {{-15, -8, 2}, 1, 0}}},
    {tex::CowSpots, 4, {{{-15, 10, 0}, 0, 0}, {{-14, 12, 0}, 0, 1}, {{-14, 12, 2}, 1, 1}, {{-15, 10, 2}, 1, 0}}},
    {tex::CowSpots, 4, {{{-14, 12, 0}, 0, 0}, {{15, 12, 0}, 0, 0.2f}, {{15, 12, 2}, 0.2f, 0.2f}, {{-14, 12, 2}, 0.2f, 0}}},
    {tex::White, 4, {{{15, 8, 0}, 0, 0}, {{11, 0, 0}, 0, 1}, {{11, 0, 2}, 1, 1}, {{15, 8, 2}, 1, 0}}},
    {tex::White, 4, {{{11, 0, 0}, 0, 0}, {{11, 0, 2}, 0, 1}, {{6, -6, 2}, 1, 1}, {{6, -6, 0}, 1, 0}}},
    {tex::White, 4, {{{6, -6, 0}, 0, 0}, {{6, -6, 2}, 0, 1}, {{2, -8, 2}, 1, 1}, {{2, -8, 0}, 1, 0}}},
    {tex::White, 4, {{{2, -8, 0}, 0, 0}, {{2, -8, 2}, 0, 1}, {{-3, -8, 2}, 1, 1}, {{-3, -8, 0}, 1, 0}}},
    {tex::White, 4, {{{-3, -8, 0}, 0, 0}, {{-3, -8, 2}, 0, 1}, {{-9, 0, 2}, 1, 1}, {{-9, 0, 0}, 1, 0}}},
    {tex::White, 4, {{{-9, 0, 0}, 0, 0}, {{-9, 0, 2}, 0, 1}, {{-10, 0, 2}, 1, 1}, {{-10, 0, 0}, 1, 0}}},
    {tex::White, 3, {{{-10, 0, 0}, 0, 0}, {{-10, 0, 2}, 0, 1}, {{-13, -8, 2}, 1, 1}, {{0, 0, 0}, 0, 0}}},
    {tex::White, 4, {{{-10, 0, 0}, 0, 0}, {{-13, -8, 2}, 0, 1}, {{-15, -8, 2}, 1, 1}, {{-15, -6, 0}, 1, 0}}},
};

void drawUdder() {
    glColor3f(1, 0, 1);
    glPushMatrix();
    glScalef(1.3f, 1.2f, 1.0f);
    glTranslatef(-6, -3, 0);
    drawTexturedSphere(4, 10, 10);
    glPopMatrix();
}

void drawTeats() {
    glColor3f(1, 0, 1);
    for (float x : {-7.6f, -8.6f}) {
        glPushMatrix();
        glTranslatef(x, -7.8f, 0.5f);
        glScalef(0.2f, 1.8f, 0.2f);
        drawTexturedSphere(1, 10, 10);
        glPopMatrix();
    }
}

void drawOuterSlab() {
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    for (const SlabPolygon& poly : kOuterSlab) {
        bindObjectTexture(poly.texture);
        glBegin(GL_POLYGON);
        for (int i = 0; i < poly.count; ++i) {
            const SlabCorner& c = poly.corners[i];
            const Vec3& v = kBodyVertices[c.vertex];
            glTexCoord2f(c.s, c.t);
            glVertex3f(v.x, v.y, v.z);
        }
        glEnd();
    }
    glDisable(GL_TEXTURE_2D);
    glPopAttrib();
}

void drawInnerStrip() {
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    for (const StripPolygon& poly : kInnerStrip) {
        bindObjectTexture(poly.texture);
        glBegin(GL_POLYGON);
        for (int i = 0; i < poly.count; ++i) {
            const StripCorner& c = poly.corners[i];
            glTexCoord2f(c.s, c.t);
            glVertex3f(c.p.x, c.p.y, c.p.z);
        }
        glEnd();
    }
    glDisable(GL_TEXTURE_2D);
    glPopAttrib();
}

void drawSpottedEllipsoid() {
    glColor3f(0.8f, 0.8f, 0.8f);
    glEnable(GL_TEXTURE_2D);
    bindObjectTexture(tex::CowSpots);
    glPushMatrix();
    glScalef(1.6f, 0.8f, 1.0f);
    drawTexturedSphere(8, 30, 30);
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}

void drawBody() {
    glPushMatrix();
    drawUdder();
    drawTeats();
    drawOuterSlab();
    drawInnerStrip();
    drawSpottedEllipsoid();
    glScalef(1, 1, -1);
    drawTeats();
    drawOuterSlab();
    drawInnerStrip();
    glPopMatrix();
}

// Draws one side's part, then the same again mirrored across the body.
template <typename Part>
void mirrored(Part part) {
    glPushMatrix();
    part();
    glPopMatrix();
    glPushMatrix();
    glScalef(1, 1, -1);
    part();
    glPopMatrix();
}

void drawNeckPlates() {
    glColor3f(1, 1, 1);
    glBegin(GL_POLYGON);
    glVertex3f(15, 12, 2);
    glVertex3f(21, 12, 2);
    glVertex3f(21, 8, 2);
    glVertex3f(11, 0, 2);
    glVertex3f(15, 8, 2);
    glVertex3f(15, 12, 2);
    glEnd();
    glColor3f(0.8f, 0.8f, 0.8f);
    glBegin(GL_POLYGON);
    glVertex3f(15, 12, 2);
    glVertex3f(21, 12, 2);
    glVertex3f(21, 12, 0);
    glVertex3f(15, 12, 0);
    glVertex3f(15, 12, 2);
    glEnd();
    glBegin(GL_POLYGON);
    glVertex3f(11, 0, 2);
    glVertex3f(21, 8, 2);
    glVertex3f(21, 8, 0);
    glVertex3f(11, 0, 0);
    glVertex3f(11, 0, 2);
    glEnd();
}

void drawEye() {
    glColor3f(0, 0, 0);
    glTranslatef(25.5f, 12, 2);
    glRotatef(90, 0, 1, 0);
    glScalef(1, 1.3f, 0.8f);
    drawTorus(0.1, 1.0, 8, 20);
    glTranslatef(0, 0, -0.5f);
    drawTorus(0.1, 0.1, 8, 20);
}

void drawNostril() {
    glColor3f(1, 0, 1);
    glTranslatef(27.1f, 4, 2);
    glRotatef(90, 0, 1, 0);
    drawTorus(0.1, 0.7, 8, 20);
}

void drawEar() {
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Horns);
    glTranslatef(23, 10, 6.3f);
    glScalef(0.3f, 0.8f, 3.0f);
    drawTexturedSphere(1, 10, 10);
    glDisable(GL_TEXTURE_2D);
}

void drawHorn() {
    glColor3f(1, 1, 0);
    glEnable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Horns);
    glTranslatef(23.5f, 12, 4);
    glRotatef(-70, 1, 0, 0);
    glScalef(1, 1.3f, 0.8f);
    drawTexturedCone(0.5, 1.0, 8, 20);
    glDisable(GL_TEXTURE_2D);
}

void drawHead() {
    mirrored(drawNeckPlates);

    glPushMatrix();  // skull
    glColor3f(1, 1, 1);
    glTranslatef(23, 10, 0);
    glScalef(0.7f, 0.5f, 1.2f);
    drawTexturedSphere(5, 10, 10);
    glPopMatrix();

    glPushMatrix();  // muzzle
    glColor3f(1, 1, 1);
    glPushMatrix();
    glTranslatef(25, 4, 0);
    glScalef(0.7f, 0.7f, 1.2f);
    drawTexturedSphere(3, 10, 10);
    glPopMatrix();
    glBegin(GL_POLYGON);
    glVertex3f(23, 9, 4);
    glVertex3f(23, 9, -4);
    glVertex3f(25, 4, -2);
    glVertex3f(25, 4, 2);
    glEnd();
    glPopMatrix();

    mirrored(drawEye);
    mirrored(drawNostril);
    mirrored(drawEar);
    mirrored(drawHorn);

    glPushMatrix();  // collar
    glColor3f(0.7f, 0.3f, 0.3f);
    glTranslatef(18, 7, 0);
    glRotatef(90, 0, 1, 0);
    glScalef(1, 1.3f, 0.8f);
    drawTorus(0.3, 5.0, 8, 20);
    glPopMatrix();

    glPushMatrix();  // bell and clapper
    glColor3f(0.7f, 0.3f, 0.3f);
    glTranslatef(18, -2, 0);
    glScalef(0.5f, 0.5f, 0.5f);
    glRotatef(-90, 1, 0, 0);
    drawTexturedCone(3, 5, 10, 10);
    glColor3f(1, 1, 0);
    glRotatef(180, 1, 0, 0);
    drawTexturedCylinder(0.25, 0.25, 2, 10, 10);
    glTranslatef(0, 0, 1.5f);
    drawTexturedSphere(1, 10, 10);
    glPopMatrix();
}

// The pivot every tail piece hangs from.
void tailPivot() {
    glTranslatef(-14, 12, 0);
    glRotatef(15, 0, 1, 0);
}

void drawTail() {
    glColor3f(1, 1, 1);

    glPushMatrix();  // root
    tailPivot();
    glRotatef(-90, 0, 1, 0);
    drawTexturedCylinder(1.0, 0.5, 3, 10, 10);
    glPopMatrix();

    glPushMatrix();  // knot
    tailPivot();
    glTranslatef(14, -12, 0);
    glTranslatef(-17, 12, 0);
    drawTexturedSphere(0.5, 10, 10);
    glPopMatrix();

    glPushMatrix();  // switch
    tailPivot();
    glTranslatef(14, -12, 0);
    glTranslatef(-17.5f, 12, 0);
    glRotatef(40, 0, 1, 0);
    glRotatef(-90, 0, 1, 0);
    glRotatef(70, 1, 0, 0);
    drawTexturedCylinder(0.5, 0.1, 7, 10, 10);
    glPopMatrix();

    glColor3f(0, 0, 0);
    glPushMatrix();  // tuft
    tailPivot();
    glTranslatef(14, -12, 0);
    glTranslatef(-17, 12, 0);
    glTranslatef(0, -6.5f, 0);
    glRotatef(30, 0, 1, 0);
    glTranslatef(0, 6.5f, 0);
    glTranslatef(-3, -6.5f, 0);
    glBegin(GL_LINES);
    for (int k = -2; k <= 2; ++k) {
        glVertex3f(0, 0, 0);
        glVertex3f(-2, -2, static_cast<float>(k));
    }
    glEnd();
    glPopMatrix();
}

}  // namespace

void drawCow1(int, int) {
    Cow* cow = world.cow1;
    if (!cow) return;
    glDisable(GL_CULL_FACE);
    updateCowLevel(*cow);
    glPushMatrix();
    glTranslatef(cow->x, cow->y, cow->baseLevel);
    glRotatef(90, 1, 0, 0);
    glRotatef(static_cast<float>(cow->heading), 0, 1, 0);
    if (cow->stunned) glRotatef(90, 1, 0, 0);
    glScalef(cow1Scale, cow1Scale, cow1Scale);

    glTranslatef(0, 10, 0);
    drawBody();
    glPushMatrix();
    drawHead();
    glPopMatrix();
    glPushMatrix();
    drawTail();
    glPopMatrix();

    glPopMatrix();
    glEnable(GL_CULL_FACE);
}
