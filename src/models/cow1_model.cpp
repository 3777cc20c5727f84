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
    gx::colour(1, 0, 1);
    gx::pushMatrix();
    gx::scale(1.3f, 1.2f, 1.0f);
    gx::translate(-6, -3, 0);
    drawTexturedSphere(4, 10, 10);
    gx::popMatrix();
}

void drawTeats() {
    gx::colour(1, 0, 1);
    for (float x : {-7.6f, -8.6f}) {
        gx::pushMatrix();
        gx::translate(x, -7.8f, 0.5f);
        gx::scale(0.2f, 1.8f, 0.2f);
        drawTexturedSphere(1, 10, 10);
        gx::popMatrix();
    }
}

void drawOuterSlab() {
    gx::pushAttrib(GL_COLOR_BUFFER_BIT);
    gx::colour(1, 1, 1);
    gx::enable(GL_TEXTURE_2D);
    for (const SlabPolygon& poly : kOuterSlab) {
        bindObjectTexture(poly.texture);
        gx::begin(GL_POLYGON);
        for (int i = 0; i < poly.count; ++i) {
            const SlabCorner& c = poly.corners[i];
            const Vec3& v = kBodyVertices[c.vertex];
            gx::texCoord(c.s, c.t);
            gx::vertex(v.x, v.y, v.z);
        }
        gx::end();
    }
    gx::disable(GL_TEXTURE_2D);
    gx::popAttrib();
}

void drawInnerStrip() {
    gx::pushAttrib(GL_COLOR_BUFFER_BIT);
    gx::colour(1, 1, 1);
    gx::enable(GL_TEXTURE_2D);
    for (const StripPolygon& poly : kInnerStrip) {
        bindObjectTexture(poly.texture);
        gx::begin(GL_POLYGON);
        for (int i = 0; i < poly.count; ++i) {
            const StripCorner& c = poly.corners[i];
            gx::texCoord(c.s, c.t);
            gx::vertex(c.p.x, c.p.y, c.p.z);
        }
        gx::end();
    }
    gx::disable(GL_TEXTURE_2D);
    gx::popAttrib();
}

void drawSpottedEllipsoid() {
    gx::colour(0.8f, 0.8f, 0.8f);
    gx::enable(GL_TEXTURE_2D);
    bindObjectTexture(tex::CowSpots);
    gx::pushMatrix();
    gx::scale(1.6f, 0.8f, 1.0f);
    drawTexturedSphere(8, 30, 30);
    gx::popMatrix();
    gx::disable(GL_TEXTURE_2D);
}

void drawBody() {
    gx::pushMatrix();
    drawUdder();
    drawTeats();
    drawOuterSlab();
    drawInnerStrip();
    drawSpottedEllipsoid();
    gx::scale(1, 1, -1);
    drawTeats();
    drawOuterSlab();
    drawInnerStrip();
    gx::popMatrix();
}

// Draws one side's part, then the same again mirrored across the body.
template <typename Part>
void mirrored(Part part) {
    gx::pushMatrix();
    part();
    gx::popMatrix();
    gx::pushMatrix();
    gx::scale(1, 1, -1);
    part();
    gx::popMatrix();
}

void drawNeckPlates() {
    gx::colour(1, 1, 1);
    gx::begin(GL_POLYGON);
    gx::vertex(15, 12, 2);
    gx::vertex(21, 12, 2);
    gx::vertex(21, 8, 2);
    gx::vertex(11, 0, 2);
    gx::vertex(15, 8, 2);
    gx::vertex(15, 12, 2);
    gx::end();
    gx::colour(0.8f, 0.8f, 0.8f);
    gx::begin(GL_POLYGON);
    gx::vertex(15, 12, 2);
    gx::vertex(21, 12, 2);
    gx::vertex(21, 12, 0);
    gx::vertex(15, 12, 0);
    gx::vertex(15, 12, 2);
    gx::end();
    gx::begin(GL_POLYGON);
    gx::vertex(11, 0, 2);
    gx::vertex(21, 8, 2);
    gx::vertex(21, 8, 0);
    gx::vertex(11, 0, 0);
    gx::vertex(11, 0, 2);
    gx::end();
}

void drawEye() {
    gx::colour(0, 0, 0);
    gx::translate(25.5f, 12, 2);
    gx::rotate(90, 0, 1, 0);
    gx::scale(1, 1.3f, 0.8f);
    drawTorus(0.1, 1.0, 8, 20);
    gx::translate(0, 0, -0.5f);
    drawTorus(0.1, 0.1, 8, 20);
}

void drawNostril() {
    gx::colour(1, 0, 1);
    gx::translate(27.1f, 4, 2);
    gx::rotate(90, 0, 1, 0);
    drawTorus(0.1, 0.7, 8, 20);
}

void drawEar() {
    gx::colour(1, 1, 1);
    gx::enable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Horns);
    gx::translate(23, 10, 6.3f);
    gx::scale(0.3f, 0.8f, 3.0f);
    drawTexturedSphere(1, 10, 10);
    gx::disable(GL_TEXTURE_2D);
}

void drawHorn() {
    gx::colour(1, 1, 0);
    gx::enable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Horns);
    gx::translate(23.5f, 12, 4);
    gx::rotate(-70, 1, 0, 0);
    gx::scale(1, 1.3f, 0.8f);
    drawTexturedCone(0.5, 1.0, 8, 20);
    gx::disable(GL_TEXTURE_2D);
}

void drawHead() {
    mirrored(drawNeckPlates);

    gx::pushMatrix();  // skull
    gx::colour(1, 1, 1);
    gx::translate(23, 10, 0);
    gx::scale(0.7f, 0.5f, 1.2f);
    drawTexturedSphere(5, 10, 10);
    gx::popMatrix();

    gx::pushMatrix();  // muzzle
    gx::colour(1, 1, 1);
    gx::pushMatrix();
    gx::translate(25, 4, 0);
    gx::scale(0.7f, 0.7f, 1.2f);
    drawTexturedSphere(3, 10, 10);
    gx::popMatrix();
    gx::begin(GL_POLYGON);
    gx::vertex(23, 9, 4);
    gx::vertex(23, 9, -4);
    gx::vertex(25, 4, -2);
    gx::vertex(25, 4, 2);
    gx::end();
    gx::popMatrix();

    mirrored(drawEye);
    mirrored(drawNostril);
    mirrored(drawEar);
    mirrored(drawHorn);

    gx::pushMatrix();  // collar
    gx::colour(0.7f, 0.3f, 0.3f);
    gx::translate(18, 7, 0);
    gx::rotate(90, 0, 1, 0);
    gx::scale(1, 1.3f, 0.8f);
    drawTorus(0.3, 5.0, 8, 20);
    gx::popMatrix();

    gx::pushMatrix();  // bell and clapper
    gx::colour(0.7f, 0.3f, 0.3f);
    gx::translate(18, -2, 0);
    gx::scale(0.5f, 0.5f, 0.5f);
    gx::rotate(-90, 1, 0, 0);
    drawTexturedCone(3, 5, 10, 10);
    gx::colour(1, 1, 0);
    gx::rotate(180, 1, 0, 0);
    drawTexturedCylinder(0.25, 0.25, 2, 10, 10);
    gx::translate(0, 0, 1.5f);
    drawTexturedSphere(1, 10, 10);
    gx::popMatrix();
}

// The pivot every tail piece hangs from.
void tailPivot() {
    gx::translate(-14, 12, 0);
    gx::rotate(15, 0, 1, 0);
}

void drawTail() {
    gx::colour(1, 1, 1);

    gx::pushMatrix();  // root
    tailPivot();
    gx::rotate(-90, 0, 1, 0);
    drawTexturedCylinder(1.0, 0.5, 3, 10, 10);
    gx::popMatrix();

    gx::pushMatrix();  // knot
    tailPivot();
    gx::translate(14, -12, 0);
    gx::translate(-17, 12, 0);
    drawTexturedSphere(0.5, 10, 10);
    gx::popMatrix();

    gx::pushMatrix();  // switch
    tailPivot();
    gx::translate(14, -12, 0);
    gx::translate(-17.5f, 12, 0);
    gx::rotate(40, 0, 1, 0);
    gx::rotate(-90, 0, 1, 0);
    gx::rotate(70, 1, 0, 0);
    drawTexturedCylinder(0.5, 0.1, 7, 10, 10);
    gx::popMatrix();

    gx::colour(0, 0, 0);
    gx::pushMatrix();  // tuft
    tailPivot();
    gx::translate(14, -12, 0);
    gx::translate(-17, 12, 0);
    gx::translate(0, -6.5f, 0);
    gx::rotate(30, 0, 1, 0);
    gx::translate(0, 6.5f, 0);
    gx::translate(-3, -6.5f, 0);
    gx::begin(GL_LINES);
    for (int k = -2; k <= 2; ++k) {
        gx::vertex(0, 0, 0);
        gx::vertex(-2, -2, static_cast<float>(k));
    }
    gx::end();
    gx::popMatrix();
}

// Lying, the figure turns about this height (the middle of its body) and
// comes to rest this high.
constexpr float kLyingTurnHeight = 16.0f;
constexpr float kLyingFlankRest = 6.5f;

// Everything in the cow's own frame: nothing in it moves.
void figure() {
    gx::pushMatrix();
    gx::translate(0, 10, 0);
    drawBody();
    gx::pushMatrix();
    drawHead();
    gx::popMatrix();
    gx::pushMatrix();
    drawTail();
    gx::popMatrix();
    gx::popMatrix();
}

}  // namespace

float cow1Reach() { return (recordedReach(figure) + kLyingTurnHeight + kLyingFlankRest) * cow1Scale; }

void drawCow1(int, int) {
    Cow* cow = world.cow1;
    if (!cow) return;
    gx::disable(GL_CULL_FACE);
    gx::pushMatrix();
    gx::translate(cow->x, cow->y, cow->baseLevel);
    gx::rotate(90, 1, 0, 0);
    gx::rotate(static_cast<float>(cow->heading), 0, 1, 0);
    gx::scale(cow1Scale, cow1Scale, cow1Scale);
    if (cow->stunned) {
        // Turned about the middle of the body, not the feet, and let down
        // until its flank (6 across) rests on the ground: it lies where it
        // stood rather than sliding sideways and half into the ground.
        gx::translate(0, kLyingFlankRest, 0);
        gx::rotate(90, 1, 0, 0);
        gx::translate(0, -kLyingTurnHeight, 0);
    }
    drawRecorded(figure);
    gx::popMatrix();
    gx::enable(GL_CULL_FACE);
}
