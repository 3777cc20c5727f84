// Items and scenery: hay, pills, the syringe, trees, rocks, the plain cube and
// the home-cell beam. Each model sets the state it needs and leaves the rest
// to carry over to the next object. What does not move is drawn through
// drawRecorded; the spins stay live.
#include <GL/gl.h>

#include <initializer_list>

#include "models/draw_behaviours.h"
#include "models/model_gl.h"
#include "models/model_rules.h"
#include "models/shapes.h"
#include "world/world_grid.h"

namespace {

// One card of a tree's crown, in the texture and culling state its tree set.
void drawTreeCard(float width, float height, float angle, char axis) {
    gx::pushMatrix();
    switch (axis) {
    case 'x': gx::rotate(angle, 1, 0, 0); break;
    case 'y': gx::rotate(angle, 0, 1, 0); break;
    case 'z': gx::rotate(angle, 0, 0, 1); break;
    default: break;
    }
    gx::begin(GL_POLYGON);
    gx::texCoord(0, 0);
    gx::vertex(-width / 2, 0, 0);
    gx::texCoord(1, 0);
    gx::vertex(width / 2, 0, 0);
    gx::texCoord(0.5f, 1);
    gx::vertex(0, height, 0);
    gx::end();
    gx::popMatrix();
}

void drawHayRope() { drawTorus(0.2, 3.5, 10, 10); }

struct Spin {
    float hay = 0.0f;
    float item = 0.0f;
} spin;

}  // namespace

void setSpinAngles(float hayAngle, float itemAngle) {
    spin.hay = hayAngle;
    spin.item = itemAngle;
}

void drawDefaultObject(int, int) { drawCube(0.5); }

void drawNothing(int, int) {}

// The fixed parts, each drawn through drawRecorded.
namespace {
void hayBaleBody();
void pillBody(int textureSlot);
void syringeBody();
void rock();
}  // namespace

void drawHayBale(int, int) {
    gx::scale(0.15f, 0.15f, 0.15f);
    gx::colour(1, 1, 0);
    gx::enable(GL_TEXTURE_2D);
    bindObjectTexture(tex::HayRound);
    gx::translate(0, 0, 2.5f);
    gx::rotate(spin.hay, 0, 0, 1);
    drawRecorded(hayBaleBody);
}

namespace {

void hayBaleBody() {
    gx::pushMatrix();
    gx::rotate(5, 1, 0, 0);
    gx::scale(0.8f, 0.8f, 0.8f);

    drawTexturedDisk(0, 4, 10, 1);  // bottom cap
    bindObjectTexture(tex::Hay2B);
    drawTexturedCylinder(4, 3, 3.5, 10, 1);  // lower half

    gx::translate(0, 0, 3.5f);
    gx::disable(GL_TEXTURE_2D);
    gx::translate(0, 0, -0.3f);
    drawHayRope();
    gx::translate(0, 0, 0.6f);
    drawHayRope();
    gx::translate(0, 0, -0.3f);

    gx::pushMatrix();  // straw sticking out at the waist
    for (int bunch = 0; bunch < 6; ++bunch) {
        gx::begin(GL_LINES);
        gx::vertex(3.5f, 0, 0);
        gx::vertex(4.5f, 1.3f, 4);
        gx::vertex(3.5f, 0, 0);
        gx::vertex(4.5f, -1.3f, 4);
        gx::vertex(3.5f, 0, 0);
        gx::vertex(4.5f, 1.3f, -4);
        gx::vertex(3.5f, 0, 0);
        gx::vertex(4.5f, -1.3f, -4);
        gx::end();
        gx::rotate(60, 0, 0, 1);
    }
    gx::popMatrix();

    gx::enable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Hay2B);
    drawTexturedCylinder(3, 4, 3.5, 10, 1);  // upper half
    bindObjectTexture(tex::HayRound);
    gx::translate(0, 0, 3.5f);
    drawTexturedDisk(0, 4, 10, 1);  // top cap

    gx::popMatrix();
    gx::disable(GL_TEXTURE_2D);
}

}  // namespace

void drawPill(int column, int row) {
    const WorldObject* self = objectAt(column, row);
    const int slot = self ? pillTextureSlot(self->kind) : -1;

    gx::scale(0.2f, 0.2f, 0.2f);
    gx::colour(1, 1, 1);
    gx::translate(0, 0, 2.5f);
    gx::rotate(spin.item, 0, 0, 1);
    drawRecorded(pillBody, slot);
}

namespace {

void pillBody(int slot) {
    static const uint32_t noTexture = 0;
    gx::pushMatrix();
    gx::rotate(5, 1, 0, 0);

    // The lower cap keeps whatever texture state the previous object left.
    drawTexturedSphere(1, 10, 10);

    gx::enable(GL_TEXTURE_2D);
    gx::bindTexture(slot >= 0 ? &objectTextures[slot] : &noTexture);
    drawTexturedCylinder(1, 1, 4, 10, 10);
    gx::disable(GL_TEXTURE_2D);

    gx::translate(0, 0, 4);
    drawTexturedSphere(1, 10, 10);
    gx::popMatrix();
}

}  // namespace

void drawSyringe(int, int) {
    gx::scale(0.6f, 0.6f, 0.6f);
    gx::disable(GL_BLEND);
    gx::disable(GL_CULL_FACE);
    gx::translate(-0.75f, -0.1f, 0);
    gx::translate(0, 0, 0.5f);
    gx::rotate(45, 0, 0, 1);
    gx::pushMatrix();

    gx::colour(1, 1, 1, 0.25f);  // blending is off: opaque
    gx::translate(0, 0.25f, 0);
    gx::rotate(spin.item, 0, 1, 0);
    drawRecorded(syringeBody);
    gx::popMatrix();
    gx::enable(GL_CULL_FACE);
}

namespace {

void syringeBody() {
    gx::pushMatrix();
    gx::rotate(90, 1, 0, 0);

    drawTexturedCylinder(0.2, 0.2, 2, 10, 1);  // barrel
    gx::enable(GL_DEPTH_TEST);
    gx::enable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Snail);
    gx::translate(0, 0, 0.25f);
    drawTexturedCylinder(0.21, 0.21, 1.5, 10, 1);  // label

    gx::translate(0, 0, -0.45f);
    gx::disable(GL_TEXTURE_2D);
    gx::colour(0.5f, 0.5f, 0.5f);
    drawTexturedCylinder(0.2, 0.2, 0.2, 10, 1);  // collar

    gx::translate(0, 0, -1);
    gx::colour(1, 1, 1);
    drawTexturedCylinder(0.01, 0.01, 1, 10, 1);  // needle

    gx::translate(0, 0, 3.2f);
    gx::colour(0.5f, 0.5f, 0.5f);
    drawTexturedCylinder(0.2, 0.2, 0.4, 10, 1);  // plunger end

    gx::translate(-0.1f, 0.2f, 0.6f);
    gx::colour(0.2f, 0.2f, 0.2f);
    gx::rotate(90, 0, 1, 0);
    drawTexturedCylinder(0.2, 0.2, 0.2, 10, 1);  // grips
    gx::translate(0, -0.4f, 0);
    drawTexturedCylinder(0.2, 0.2, 0.2, 10, 1);
    gx::popMatrix();
}

}  // namespace

namespace {

// Listed, not recorded: its crossed cards cut through one another, and along
// the cut the last bit of each depth decides which shows; vertices moved into
// place in software would settle it differently.
void tree() {
    gx::scale(0.2f, 0.2f, 0.2f);
    gx::colour(1, 1, 1);
    textureAloneUnderWhite();
    gx::enable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Bark);
    drawTexturedCylinder(2, 0, 20, 10, 10);  // trunk
    gx::disable(GL_TEXTURE_2D);

    // Two tiers of crossed cards: one in the x-z plane, one in the y-z plane.
    // Where the tiers overlap their cards would lie in one plane and fight
    // over the depth; the upper tier stands a hair (0.05 of a cell) off it.
    // The cards are seen from both sides.
    gx::disable(GL_CULL_FACE);
    gx::enable(GL_TEXTURE_2D);
    bindObjectTexture(tex::TriTree);
    for (float tier : {15.0f, 17.0f}) {
        const float nudge = tier > 15.0f ? 0.25f : 0.0f;
        gx::pushMatrix();
        gx::translate(nudge, nudge, tier);
        drawTreeCard(10, 5, 90, 'x');
        gx::popMatrix();
        gx::pushMatrix();
        gx::translate(nudge, nudge, tier);
        gx::rotate(90, 0, 1, 0);
        drawTreeCard(10, 5, 90, 'z');
        gx::popMatrix();
    }
    gx::disable(GL_TEXTURE_2D);
    gx::enable(GL_CULL_FACE);
    textureTimesColour();
}

}  // namespace

void drawTree(int, int) { drawListed(tree); }

void drawRock(int, int) { drawRecorded(rock); }

namespace {

void rock() {
    gx::pushMatrix();
    gx::scale(0.2f, 0.2f, 0.2f);
    gx::colour(1, 1, 1);
    textureAloneUnderWhite();
    gx::enable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Rock2);

    gx::pushMatrix();
    gx::scale(0.9f, 0.8f, 0.6f);
    drawTexturedSphere(2, 10, 10);
    gx::popMatrix();

    gx::pushMatrix();
    gx::translate(1, 0, 0);
    gx::scale(0.5f, 0.8f, 0.8f);
    drawTexturedSphere(2, 10, 10);
    gx::popMatrix();

    gx::pushMatrix();
    gx::translate(-1, -1, 0);
    drawTexturedSphere(0.5, 10, 10);
    gx::popMatrix();

    gx::pushMatrix();
    gx::translate(-1.3f, -1.6f, 0);
    drawTexturedSphere(0.3, 10, 10);
    gx::popMatrix();

    gx::pushMatrix();
    gx::translate(2.3f, -0.2f, 0);
    drawTexturedSphere(0.3, 10, 10);
    gx::popMatrix();

    gx::disable(GL_TEXTURE_2D);
    textureTimesColour();
    gx::popMatrix();
}

}  // namespace

void drawMarkerBeam(double height) {
    gx::pushMatrix();
    gx::colour(0.6f, 0.6f, 1.0f, 0.2f);
    gx::blendFunc(GL_SRC_ALPHA, GL_ONE);
    gx::enable(GL_BLEND);
    gx::disable(GL_DEPTH_TEST);
    drawTexturedCylinder(2, 1, height, 20, 1);
    gx::disable(GL_BLEND);
    gx::enable(GL_DEPTH_TEST);
    gx::popMatrix();
}
