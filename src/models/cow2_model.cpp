// Horace: built wholly from quadrics and one torus.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstdint>
#include <initializer_list>

#include "assets/texture_tables.h"
#include "game/cow.h"
#include "models/draw_behaviours.h"
#include "models/shapes.h"
#include "world/world_grid.h"

namespace {

// Body, eyes and horns. Plain white, Horace was hard to tell from Boris at a
// glance, his heading hard to read and the HUD's white text lost over him:
// he wears the brown hide (which nothing else uses), white eyes and horn.
// Filled from the loaded textures the first time he is drawn.
uint32_t cow2TextureSlots[4] = {0, 0, 0, 0};
const int kSlotTextures[4] = {-1, tex::CowHide, tex::White, tex::Horns};

// Joints nothing drives yet; kept as inputs for a later animation.
constexpr float kHeadPitch = 0, kHeadYaw = 0, kHeadRoll = 0;
constexpr float kEyeAngle1 = 0, kEyeAngle2 = 0;
constexpr float kTailAngle1 = 0, kTailAngle2 = 0, kTailAngle3 = 0;

// Height of the body's axis when the cow lies on its side: half the body's
// width (7 * 0.32) and a little for the legs' thickness.
constexpr float kLyingBodyHeight = 2.6f;

// The parts' quadric: each part used to make and delete its own; one kept
// for all of them draws the same and allocates nothing per frame.
GLUquadric* partQuadric() {
    static GLUquadric* quadric = [] {
        GLUquadric* q = gluNewQuadric();
        gluQuadricTexture(q, GL_TRUE);
        return q;
    }();
    return quadric;
}

void setMaterial() {
    const GLfloat white[4] = {1, 1, 1, 1};
    const GLfloat none[4] = {0, 0, 0, 0};
    glMaterialfv(GL_FRONT, GL_AMBIENT, white);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT, GL_SPECULAR, none);
    glMaterialfv(GL_FRONT, GL_EMISSION, none);
    glMaterialf(GL_FRONT, GL_SHININESS, 10);
}

void bindSlot(int slot) {
    if (cow2TextureSlots[slot] == 0) cow2TextureSlots[slot] = objectTextures[kSlotTextures[slot]];
    glBindTexture(GL_TEXTURE_2D, cow2TextureSlots[slot]);
}

// Starts a part with its own material, texture and quadric.
GLUquadric* beginPart() {
    setMaterial();
    glEnable(GL_TEXTURE_2D);
    bindSlot(1);
    return partQuadric();
}

void endPart() { glDisable(GL_TEXTURE_2D); }

void drawHead() {
    glColor3f(1, 1, 1);
    glTranslatef(-4, 0, 0);
    setMaterial();
    glRotatef(kHeadPitch, 1, 0, 0);
    glRotatef(kHeadYaw, 0, 1, 0);
    glRotatef(kHeadRoll, 0, 0, 1);
    glEnable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    bindSlot(1);
    GLUquadric* q = partQuadric();
    glTranslatef(4, 0, 0);

    glPushMatrix();  // skull
    glRotatef(-45, 0, 0, 1);
    glScalef(1, 0.7f, 0.8f);
    drawSphere(q, 5, 20, 20);
    glPopMatrix();

    glPushMatrix();  // ears
    glTranslatef(-2, 3, 3.75f);
    glRotatef(20, 1, 0, 0);
    glScalef(0.3f, 1, 1.75f);
    drawSphere(q, 1, 20, 20);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(-2, 3, -3.75f);
    glRotatef(-20, 1, 0, 0);
    glScalef(0.3f, 1, 1.75f);
    drawSphere(q, 1, 20, 20);
    glPopMatrix();

    bindSlot(2);
    glPushMatrix();  // eyes
    glTranslatef(1.2f, 3, 2);
    glRotatef(kEyeAngle1, 0, 1, 0);
    glColor3f(1, 1, 1);
    drawSphere(q, 0.5, 20, 20);
    glTranslatef(0.4f, 0, 0);
    glColor3f(0, 0, 0.5f);
    drawTexturedSphere(0.3, 20, 20);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(1.2f, 3, -2);
    glRotatef(kEyeAngle2, 0, -1, 0);
    glColor3f(1, 1, 1);
    drawSphere(q, 0.5, 20, 20);
    glTranslatef(0.4f, 0, 0);
    glColor3f(0, 0, 0.5f);
    drawTexturedSphere(0.3, 20, 20);
    glPopMatrix();

    glColor3f(1, 1, 1);
    bindSlot(3);
    glPushMatrix();  // horns
    glTranslatef(-2.5f, 4, 2);
    glRotatef(-110, 1, 0, 0);
    glScalef(0.2f, 0.2f, 1);
    drawSphere(q, 1, 20, 20);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(-2.5f, 4, -2);
    glRotatef(110, 1, 0, 0);
    glScalef(0.2f, 0.2f, 1);
    drawSphere(q, 1, 20, 20);
    glPopMatrix();

    glDisable(GL_TEXTURE_2D);
}

void drawBody() {
    glColor3f(1, 1, 1);
    GLUquadric* q = beginPart();
    drawCylinder(q, 7, 7, 20, 20, 10);
    glPushMatrix();  // rear cap
    glScalef(1, 1, 0.5f);
    drawSphere(q, 7, 20, 20);
    glPopMatrix();
    glPushMatrix();  // front cap
    glTranslatef(0, 0, 20);
    glScalef(1, 1, 0.3f);
    glRotatef(180, 0, 0, 1);
    drawSphere(q, 7, 20, 20);
    glPopMatrix();
    endPart();
}

void drawFrontLeg() {
    GLUquadric* q = beginPart();
    glPushMatrix();  // upper
    glTranslatef(-2, 1, -0.8f);
    glRotatef(90, 1, 0, 0);
    glScalef(0.6f, 1, 1);
    drawCylinder(q, 2.0, 0.6, 6, 10, 10);
    glPopMatrix();
    glPushMatrix();  // lower
    glTranslatef(-2, -4.8f, -0.8f);
    glRotatef(90, 1, 0, 0);
    glRotatef(10, -1, 0, 0);
    drawCylinder(q, 0.5, 0.3, 5, 10, 10);
    glPopMatrix();
    glPushMatrix();  // hoof
    glTranslatef(-2, -9.5f, 0);
    glRotatef(90, 1, 0, 0);
    glRotatef(5, -1, 0, 0);
    drawCylinder(q, 0.5, 0.5, 1, 10, 4);
    glPopMatrix();
    endPart();
}

void drawHindLeg() {
    GLUquadric* q = beginPart();
    glPushMatrix();  // upper
    glTranslatef(2, 3, -2);
    glRotatef(90, 1, 0, 0);
    glRotatef(10, -1, 0, 0);
    glScalef(0.6f, 1, 1);
    drawCylinder(q, 3.0, 0.6, 8, 10, 10);
    glPopMatrix();
    glPushMatrix();  // lower
    glTranslatef(2, -4.5f, -0.5f);
    glRotatef(90, 1, 0, 0);
    drawCylinder(q, 0.5, 0.3, 5, 10, 10);
    glPopMatrix();
    glPushMatrix();  // hoof
    glTranslatef(2, -9, -0.5f);
    glRotatef(90, 1, 0, 0);
    glRotatef(5, -1, 0, 0);
    drawCylinder(q, 0.5, 0.5, 1, 10, 4);
    glPopMatrix();
    endPart();
}

void drawTail() {
    GLUquadric* q = beginPart();
    glPushMatrix();
    glRotatef(-10, -1, 0, 0);
    glPushMatrix();
    glScalef(0.8f, 1, 1);
    drawCylinder(q, 1.0, 0.27, 1.42, 10, 10);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(0, 0.2f, 1.2f);
    glRotatef(kTailAngle1, 0, 0, 1);
    glRotatef(-65, -1, 0, 0);
    drawCylinder(q, 0.25, 0.2, 2, 10, 10);
    glPushMatrix();
    glTranslatef(0, 0, 1.9f);
    glRotatef(kTailAngle2, 0, 0, 1);
    glRotatef(-10, -1, 0, 0);
    drawCylinder(q, 0.2, 0.2, 2, 10, 10);
    glPushMatrix();
    glTranslatef(0, 0, 1.9f);
    glRotatef(kTailAngle3, 0, 0, 1);
    glRotatef(-5, -1, 0, 0);
    drawCylinder(q, 0.2, 0.3, 2, 10, 10);
    glTranslatef(0, 0, 1.9f);
    drawSphere(q, 0.3, 10, 10);
    glPopMatrix();
    glPopMatrix();
    glPopMatrix();
    glPopMatrix();
    endPart();
}

void drawUdder() {
    glColor3f(0.8f, 0.8f, 1.0f);
    glPushMatrix();
    glTranslatef(0, -3, 7.5f);
    glScalef(0.5f, 0.7f, 1);
    drawTexturedSphere(2, 20, 20);
    glPopMatrix();
    glColor3f(0.7f, 0.7f, 0.9f);
    for (float z : {8.25f, 7.7f, 6.75f}) {
        glPushMatrix();
        glTranslatef(0, -4.3f, z);
        glScalef(0.2f, 1, 0.2f);
        drawTexturedSphere(0.5, 10, 5);
        glPopMatrix();
    }
}

void drawSnoutAndRing() {
    glPushMatrix();
    glTranslatef(-2.7f, -2, 0);
    glRotatef(90, 0, 1, 0);
    glRotatef(35, -1, 0, 0);
    glScalef(0.7f, 1, 1);
    drawTorus(0.2, 4.0, 20, 20);
    glPopMatrix();
    glColor3f(0.7f, 0.3f, 0.3f);
    glPushMatrix();
    glTranslatef(-0.4f, -5.2f, 0);
    glRotatef(90, 1, 0, 0);
    glRotatef(10, 0, 1, 0);
    drawTexturedCylinder(0.75, 1.25, 1.5, 20, 1);
    glPopMatrix();
}

void headFrame() {
    glTranslatef(0, 3, -2.5f);
    glScalef(0.55f, 0.55f, 0.55f);
    glRotatef(90, 0, 1, 0);
}

void drawLegAt(float x, float z, void (*leg)()) {
    glPushMatrix();
    glTranslatef(x, -2, z);
    glScalef(0.6f, 0.6f, 1);
    leg();
    glPopMatrix();
}

}  // namespace

void drawCow2(int, int) {
    Cow* cow = world.cow2;
    if (!cow) return;
    updateCowLevel(*cow);
    glPushMatrix();
    glTranslatef(cow->x, cow->y, cow->baseLevel);
    glRotatef(90, 1, 0, 0);
    glRotatef(-90, 0, 1, 0);
    glRotatef(static_cast<float>(cow->heading), 0, 1, 0);
    glScalef(cow2Scale, cow2Scale, cow2Scale);
    if (cow->stunned) {
        // Turned about the body (8.5 up), not the feet, and let down until
        // its flank rests on the ground: it lies where it stood rather than
        // sliding a body's height sideways and half into the ground.
        glTranslatef(0, kLyingBodyHeight, 0);
        glRotatef(90, 0, 0, 1);
        glTranslatef(0, -8.5f, 0);
    }

    glTranslatef(0, 8.5f, -4);
    glRotatef(3, 1, 0, 0);

    glPushMatrix();
    headFrame();
    drawHead();
    glPopMatrix();

    glPushMatrix();
    glScalef(0.32f, 0.5f, 0.5f);
    drawBody();
    glPopMatrix();

    drawLegAt(0.2f, 2, drawFrontLeg);
    drawLegAt(2.25f, 2, drawFrontLeg);
    drawLegAt(-0.2f, 9.8f, drawHindLeg);
    drawLegAt(-2.25f, 9.8f, drawHindLeg);

    glPushMatrix();
    glTranslatef(0, 2.5f, 9.8f);
    drawTail();
    glPopMatrix();

    glPushMatrix();
    drawUdder();
    glPopMatrix();

    glPushMatrix();
    headFrame();
    drawSnoutAndRing();
    glPopMatrix();

    glPopMatrix();
}
