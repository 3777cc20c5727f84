// Horace: built wholly from quadrics and one torus.
#include <GL/gl.h>

#include <cstdint>
#include <initializer_list>

#include "assets/texture_tables.h"
#include "game/cow.h"
#include "models/draw_behaviours.h"
#include "models/model_gl.h"
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
// Lying, the figure turns about this height: the body's axis standing.
constexpr float kLyingTurnHeight = 8.5f;

void setMaterial() {
    const GLfloat white[4] = {1, 1, 1, 1};
    const GLfloat none[4] = {0, 0, 0, 0};
    glMaterialfv(GL_FRONT, GL_AMBIENT, white);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT, GL_SPECULAR, none);
    glMaterialfv(GL_FRONT, GL_EMISSION, none);
    glMaterialf(GL_FRONT, GL_SHININESS, 10);
}

void fillTextureSlots() {
    for (int slot = 1; slot < 4; ++slot)
        if (cow2TextureSlots[slot] == 0) cow2TextureSlots[slot] = objectTextures[kSlotTextures[slot]];
}

// Binds what the slot holds when drawn.
void bindSlot(int slot) { gx::bindTexture(&cow2TextureSlots[slot]); }

// Starts a part with its own material and texture.
void beginPart() {
    gx::call(setMaterial);
    gx::enable(GL_TEXTURE_2D);
    bindSlot(1);
}

void endPart() { gx::disable(GL_TEXTURE_2D); }

void drawHead() {
    gx::colour(1, 1, 1);
    gx::translate(-4, 0, 0);
    gx::call(setMaterial);
    gx::rotate(kHeadPitch, 1, 0, 0);
    gx::rotate(kHeadYaw, 0, 1, 0);
    gx::rotate(kHeadRoll, 0, 0, 1);
    gx::enable(GL_TEXTURE_2D);
    gx::colour(1, 1, 1);
    bindSlot(1);
    gx::translate(4, 0, 0);

    gx::pushMatrix();  // skull
    gx::rotate(-45, 0, 0, 1);
    gx::scale(1, 0.7f, 0.8f);
    drawTexturedSphere(5, 20, 20);
    gx::popMatrix();

    gx::pushMatrix();  // ears
    gx::translate(-2, 3, 3.75f);
    gx::rotate(20, 1, 0, 0);
    gx::scale(0.3f, 1, 1.75f);
    drawTexturedSphere(1, 20, 20);
    gx::popMatrix();
    gx::pushMatrix();
    gx::translate(-2, 3, -3.75f);
    gx::rotate(-20, 1, 0, 0);
    gx::scale(0.3f, 1, 1.75f);
    drawTexturedSphere(1, 20, 20);
    gx::popMatrix();

    bindSlot(2);
    gx::pushMatrix();  // eyes
    gx::translate(1.2f, 3, 2);
    gx::rotate(kEyeAngle1, 0, 1, 0);
    gx::colour(1, 1, 1);
    drawTexturedSphere(0.5, 20, 20);
    gx::translate(0.4f, 0, 0);
    gx::colour(0, 0, 0.5f);
    drawTexturedSphere(0.3, 20, 20);
    gx::popMatrix();
    gx::pushMatrix();
    gx::translate(1.2f, 3, -2);
    gx::rotate(kEyeAngle2, 0, -1, 0);
    gx::colour(1, 1, 1);
    drawTexturedSphere(0.5, 20, 20);
    gx::translate(0.4f, 0, 0);
    gx::colour(0, 0, 0.5f);
    drawTexturedSphere(0.3, 20, 20);
    gx::popMatrix();

    gx::colour(1, 1, 1);
    bindSlot(3);
    gx::pushMatrix();  // horns
    gx::translate(-2.5f, 4, 2);
    gx::rotate(-110, 1, 0, 0);
    gx::scale(0.2f, 0.2f, 1);
    drawTexturedSphere(1, 20, 20);
    gx::popMatrix();
    gx::pushMatrix();
    gx::translate(-2.5f, 4, -2);
    gx::rotate(110, 1, 0, 0);
    gx::scale(0.2f, 0.2f, 1);
    drawTexturedSphere(1, 20, 20);
    gx::popMatrix();

    gx::disable(GL_TEXTURE_2D);
}

void drawBody() {
    gx::colour(1, 1, 1);
    beginPart();
    drawTexturedCylinder(7, 7, 20, 20, 10);
    gx::pushMatrix();  // rear cap
    gx::scale(1, 1, 0.5f);
    drawTexturedSphere(7, 20, 20);
    gx::popMatrix();
    gx::pushMatrix();  // front cap
    gx::translate(0, 0, 20);
    gx::scale(1, 1, 0.3f);
    gx::rotate(180, 0, 0, 1);
    drawTexturedSphere(7, 20, 20);
    gx::popMatrix();
    endPart();
}

void drawFrontLeg() {
    beginPart();
    gx::pushMatrix();  // upper
    gx::translate(-2, 1, -0.8f);
    gx::rotate(90, 1, 0, 0);
    gx::scale(0.6f, 1, 1);
    drawTexturedCylinder(2.0, 0.6, 6, 10, 10);
    gx::popMatrix();
    gx::pushMatrix();  // lower
    gx::translate(-2, -4.8f, -0.8f);
    gx::rotate(90, 1, 0, 0);
    gx::rotate(10, -1, 0, 0);
    drawTexturedCylinder(0.5, 0.3, 5, 10, 10);
    gx::popMatrix();
    gx::pushMatrix();  // hoof
    gx::translate(-2, -9.5f, 0);
    gx::rotate(90, 1, 0, 0);
    gx::rotate(5, -1, 0, 0);
    drawTexturedCylinder(0.5, 0.5, 1, 10, 4);
    gx::popMatrix();
    endPart();
}

void drawHindLeg() {
    beginPart();
    gx::pushMatrix();  // upper
    gx::translate(2, 3, -2);
    gx::rotate(90, 1, 0, 0);
    gx::rotate(10, -1, 0, 0);
    gx::scale(0.6f, 1, 1);
    drawTexturedCylinder(3.0, 0.6, 8, 10, 10);
    gx::popMatrix();
    gx::pushMatrix();  // lower
    gx::translate(2, -4.5f, -0.5f);
    gx::rotate(90, 1, 0, 0);
    drawTexturedCylinder(0.5, 0.3, 5, 10, 10);
    gx::popMatrix();
    gx::pushMatrix();  // hoof
    gx::translate(2, -9, -0.5f);
    gx::rotate(90, 1, 0, 0);
    gx::rotate(5, -1, 0, 0);
    drawTexturedCylinder(0.5, 0.5, 1, 10, 4);
    gx::popMatrix();
    endPart();
}

void drawTail() {
    beginPart();
    gx::pushMatrix();
    gx::rotate(-10, -1, 0, 0);
    gx::pushMatrix();
    gx::scale(0.8f, 1, 1);
    drawTexturedCylinder(1.0, 0.27, 1.42, 10, 10);
    gx::popMatrix();
    gx::pushMatrix();
    gx::translate(0, 0.2f, 1.2f);
    gx::rotate(kTailAngle1, 0, 0, 1);
    gx::rotate(-65, -1, 0, 0);
    drawTexturedCylinder(0.25, 0.2, 2, 10, 10);
    gx::pushMatrix();
    gx::translate(0, 0, 1.9f);
    gx::rotate(kTailAngle2, 0, 0, 1);
    gx::rotate(-10, -1, 0, 0);
    drawTexturedCylinder(0.2, 0.2, 2, 10, 10);
    gx::pushMatrix();
    gx::translate(0, 0, 1.9f);
    gx::rotate(kTailAngle3, 0, 0, 1);
    gx::rotate(-5, -1, 0, 0);
    drawTexturedCylinder(0.2, 0.3, 2, 10, 10);
    gx::translate(0, 0, 1.9f);
    drawTexturedSphere(0.3, 10, 10);
    gx::popMatrix();
    gx::popMatrix();
    gx::popMatrix();
    gx::popMatrix();
    endPart();
}

void drawUdder() {
    gx::colour(0.8f, 0.8f, 1.0f);
    gx::pushMatrix();
    gx::translate(0, -3, 7.5f);
    gx::scale(0.5f, 0.7f, 1);
    drawTexturedSphere(2, 20, 20);
    gx::popMatrix();
    gx::colour(0.7f, 0.7f, 0.9f);
    for (float z : {8.25f, 7.7f, 6.75f}) {
        gx::pushMatrix();
        gx::translate(0, -4.3f, z);
        gx::scale(0.2f, 1, 0.2f);
        drawTexturedSphere(0.5, 10, 5);
        gx::popMatrix();
    }
}

void drawSnoutAndRing() {
    gx::pushMatrix();
    gx::translate(-2.7f, -2, 0);
    gx::rotate(90, 0, 1, 0);
    gx::rotate(35, -1, 0, 0);
    gx::scale(0.7f, 1, 1);
    drawTorus(0.2, 4.0, 20, 20);
    gx::popMatrix();
    gx::colour(0.7f, 0.3f, 0.3f);
    gx::pushMatrix();
    gx::translate(-0.4f, -5.2f, 0);
    gx::rotate(90, 1, 0, 0);
    gx::rotate(10, 0, 1, 0);
    drawTexturedCylinder(0.75, 1.25, 1.5, 20, 1);
    gx::popMatrix();
}

void headFrame() {
    gx::translate(0, 3, -2.5f);
    gx::scale(0.55f, 0.55f, 0.55f);
    gx::rotate(90, 0, 1, 0);
}

void drawLegAt(float x, float z, void (*leg)()) {
    gx::pushMatrix();
    gx::translate(x, -2, z);
    gx::scale(0.6f, 0.6f, 1);
    leg();
    gx::popMatrix();
}

// Everything in the cow's own frame: nothing in it moves.
void figure() {
    gx::pushMatrix();
    gx::translate(0, 8.5f, -4);
    gx::rotate(3, 1, 0, 0);

    gx::pushMatrix();
    headFrame();
    drawHead();
    gx::popMatrix();

    gx::pushMatrix();
    gx::scale(0.32f, 0.5f, 0.5f);
    drawBody();
    gx::popMatrix();

    drawLegAt(0.2f, 2, drawFrontLeg);
    drawLegAt(2.25f, 2, drawFrontLeg);
    drawLegAt(-0.2f, 9.8f, drawHindLeg);
    drawLegAt(-2.25f, 9.8f, drawHindLeg);

    gx::pushMatrix();
    gx::translate(0, 2.5f, 9.8f);
    drawTail();
    gx::popMatrix();

    gx::pushMatrix();
    drawUdder();
    gx::popMatrix();

    gx::pushMatrix();
    headFrame();
    drawSnoutAndRing();
    gx::popMatrix();
    gx::popMatrix();
}

}  // namespace

float cow2Reach() { return (recordedReach(figure) + kLyingTurnHeight + kLyingBodyHeight) * cow2Scale; }

void drawCow2(int, int) {
    Cow* cow = world.cow2;
    if (!cow) return;
    fillTextureSlots();
    gx::pushMatrix();
    gx::translate(cow->x, cow->y, cow->baseLevel);
    gx::rotate(90, 1, 0, 0);
    gx::rotate(-90, 0, 1, 0);
    gx::rotate(static_cast<float>(cow->heading), 0, 1, 0);
    gx::scale(cow2Scale, cow2Scale, cow2Scale);
    if (cow->stunned) {
        // Turned about the body (8.5 up), not the feet, and let down until
        // its flank rests on the ground: it lies where it stood rather than
        // sliding a body's height sideways and half into the ground.
        gx::translate(0, kLyingBodyHeight, 0);
        gx::rotate(90, 0, 0, 1);
        gx::translate(0, -kLyingTurnHeight, 0);
    }
    drawRecorded(figure);
    gx::popMatrix();
}
