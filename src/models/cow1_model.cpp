// Boris: a cut-out silhouette extruded into a slab on each side of a spotted
// ellipsoid, with a quadric head and tail.
#include <GL/gl.h>

#include <initializer_list>

#include "game/cow.h"
#include "models/cow1_tables.h"
#include "models/draw_behaviours.h"
#include "models/model_gl.h"
#include "models/shapes.h"
#include "world/world_grid.h"

namespace {

using namespace cow1;

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
    glScalef(cow1Scale, cow1Scale, cow1Scale);
    if (cow->stunned) {
        // Turned about the middle of the body (16 up), not the feet, and let
        // down until its flank (6 across) rests on the ground: it lies where
        // it stood rather than sliding sideways and half into the ground.
        glTranslatef(0, 6.5f, 0);
        glRotatef(90, 1, 0, 0);
        glTranslatef(0, -16, 0);
    }

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
