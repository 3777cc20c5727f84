// Items and scenery: hay, pills, the syringe, trees, rocks, the plain cube and
// the home-cell beam. Each model sets the state it needs and leaves the rest
// to carry over to the next object.
#include <GL/gl.h>

#include <initializer_list>

#include "models/draw_behaviours.h"
#include "models/model_gl.h"
#include "models/model_rules.h"
#include "models/shapes.h"
#include "render/camera.h"
#include "world/world_grid.h"

namespace {

void drawTreeCard(float width, float height, float angle, char axis) {
    glPushMatrix();
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    bindObjectTexture(tex::TriTree);
    switch (axis) {
    case 'x': glRotatef(angle, 1, 0, 0); break;
    case 'y': glRotatef(angle, 0, 1, 0); break;
    case 'z': glRotatef(angle, 0, 0, 1); break;
    default: break;
    }
    glBegin(GL_POLYGON);
    glTexCoord2f(0, 0);
    glVertex3f(-width / 2, 0, 0);
    glTexCoord2f(1, 0);
    glVertex3f(width / 2, 0, 0);
    glTexCoord2f(0.5f, 1);
    glVertex3f(0, height, 0);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glPopMatrix();
}

void drawHayRope() { drawTorus(0.2, 3.5, 10, 10); }

}  // namespace

void drawDefaultObject(int, int) { drawCube(0.5); }

void drawNothing(int, int) {}

void drawHayBale(int, int) {
    glScalef(0.15f, 0.15f, 0.15f);
    glColor3f(1, 1, 0);
    glEnable(GL_TEXTURE_2D);
    bindObjectTexture(tex::HayRound);
    glTranslatef(0, 0, 2.5f);
    glRotatef(camera.haySpinAngle, 0, 0, 1);
    glPushMatrix();
    glRotatef(5, 1, 0, 0);
    glScalef(0.8f, 0.8f, 0.8f);

    drawTexturedDisk(0, 4, 10, 1);  // bottom cap
    bindObjectTexture(tex::Hay2B);
    drawTexturedCylinder(4, 3, 3.5, 10, 1);  // lower half

    glTranslatef(0, 0, 3.5f);
    glDisable(GL_TEXTURE_2D);
    glTranslatef(0, 0, -0.3f);
    drawHayRope();
    glTranslatef(0, 0, 0.6f);
    drawHayRope();
    glTranslatef(0, 0, -0.3f);

    glPushMatrix();  // straw sticking out at the waist
    for (int bunch = 0; bunch < 6; ++bunch) {
        glBegin(GL_LINES);
        glVertex3f(3.5f, 0, 0);
        glVertex3f(4.5f, 1.3f, 4);
        glVertex3f(3.5f, 0, 0);
        glVertex3f(4.5f, -1.3f, 4);
        glVertex3f(3.5f, 0, 0);
        glVertex3f(4.5f, 1.3f, -4);
        glVertex3f(3.5f, 0, 0);
        glVertex3f(4.5f, -1.3f, -4);
        glEnd();
        glRotatef(60, 0, 0, 1);
    }
    glPopMatrix();

    glEnable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Hay2B);
    drawTexturedCylinder(3, 4, 3.5, 10, 1);  // upper half
    bindObjectTexture(tex::HayRound);
    glTranslatef(0, 0, 3.5f);
    drawTexturedDisk(0, 4, 10, 1);  // top cap

    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}

void drawPill(int column, int row) {
    const WorldObject* self = objectAt(column, row);
    const int slot = self ? pillTextureSlot(self->kind) : -1;

    glScalef(0.2f, 0.2f, 0.2f);
    glColor3f(1, 1, 1);
    glTranslatef(0, 0, 2.5f);
    glRotatef(camera.itemSpinAngle, 0, 0, 1);
    glPushMatrix();
    glRotatef(5, 1, 0, 0);

    // The lower cap keeps whatever texture state the previous object left.
    drawTexturedSphere(1, 10, 10);

    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, slot >= 0 ? objectTextures[slot] : 0);
    drawTexturedCylinder(1, 1, 4, 10, 10);
    glDisable(GL_TEXTURE_2D);

    glTranslatef(0, 0, 4);
    drawTexturedSphere(1, 10, 10);
    glPopMatrix();
}

void drawSyringe(int, int) {
    glScalef(0.6f, 0.6f, 0.6f);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glTranslatef(-0.75f, -0.1f, 0);
    glTranslatef(0, 0, 0.5f);
    glRotatef(45, 0, 0, 1);
    glPushMatrix();

    glColor4f(1, 1, 1, 0.25f);  // blending is off: opaque
    glTranslatef(0, 0.25f, 0);
    glRotatef(camera.itemSpinAngle, 0, 1, 0);
    glRotatef(90, 1, 0, 0);

    drawTexturedCylinder(0.2, 0.2, 2, 10, 1);  // barrel
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Snail);
    glTranslatef(0, 0, 0.25f);
    drawTexturedCylinder(0.21, 0.21, 1.5, 10, 1);  // label

    glTranslatef(0, 0, -0.45f);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0.5f, 0.5f, 0.5f);
    drawTexturedCylinder(0.2, 0.2, 0.2, 10, 1);  // collar

    glTranslatef(0, 0, -1);
    glColor3f(1, 1, 1);
    drawTexturedCylinder(0.01, 0.01, 1, 10, 1);  // needle

    glTranslatef(0, 0, 3.2f);
    glColor3f(0.5f, 0.5f, 0.5f);
    drawTexturedCylinder(0.2, 0.2, 0.4, 10, 1);  // plunger end

    glTranslatef(-0.1f, 0.2f, 0.6f);
    glColor3f(0.2f, 0.2f, 0.2f);
    glRotatef(90, 0, 1, 0);
    drawTexturedCylinder(0.2, 0.2, 0.2, 10, 1);  // grips
    glTranslatef(0, -0.4f, 0);
    drawTexturedCylinder(0.2, 0.2, 0.2, 10, 1);

    glPopMatrix();
    glEnable(GL_CULL_FACE);
}

void drawTree(int, int) {
    glScalef(0.2f, 0.2f, 0.2f);
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Bark);
    drawTexturedCylinder(2, 0, 20, 10, 10);  // trunk
    glDisable(GL_TEXTURE_2D);

    // Two tiers of crossed cards: one in the x-z plane, one in the y-z plane.
    // Where the tiers overlap their cards would lie in one plane and fight
    // over the depth; the upper tier stands a hair (0.05 of a cell) off it.
    for (float tier : {15.0f, 17.0f}) {
        const float nudge = tier > 15.0f ? 0.25f : 0.0f;
        glPushMatrix();
        glTranslatef(nudge, nudge, tier);
        drawTreeCard(10, 5, 90, 'x');
        glPopMatrix();
        glPushMatrix();
        glTranslatef(nudge, nudge, tier);
        glRotatef(90, 0, 1, 0);
        drawTreeCard(10, 5, 90, 'z');
        glPopMatrix();
    }
}

void drawRock(int, int) {
    glScalef(0.2f, 0.2f, 0.2f);
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Rock2);

    glPushMatrix();
    glScalef(0.9f, 0.8f, 0.6f);
    drawTexturedSphere(2, 10, 10);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(1, 0, 0);
    glScalef(0.5f, 0.8f, 0.8f);
    drawTexturedSphere(2, 10, 10);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-1, -1, 0);
    drawTexturedSphere(0.5, 10, 10);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-1.3f, -1.6f, 0);
    drawTexturedSphere(0.3, 10, 10);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(2.3f, -0.2f, 0);
    drawTexturedSphere(0.3, 10, 10);
    glPopMatrix();

    glDisable(GL_TEXTURE_2D);
}

void drawMarkerBeam() {
    glPushMatrix();
    glColor4f(0.6f, 0.6f, 1.0f, 0.2f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    drawTexturedCylinder(2, 1, camera.cameraDistance, 20, 1);
    glDisable(GL_BLEND);
    glEnable(GL_DEPTH_TEST);
    glPopMatrix();
}
