// The barn and the silo: single objects whose models reach far past their cell.
#include <GL/gl.h>

#include <initializer_list>

#include "models/draw_behaviours.h"
#include "models/model_gl.h"
#include "models/shapes.h"

namespace {

// Listed, not recorded: its stacked wall pieces meet face to face, so which
// face shows is decided by the last bit of each depth, and vertices moved into
// place in software would settle it differently.
void barn() {
    gx::translate(0, 0, 1.5f);  // half the wall height, kept for the whole barn
    gx::colour(0.3f, 0.1f, 0.1f);
    gx::enable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Barn);

    // Long walls: two half boxes stacked on each side.
    const float longWalls[4][2] = {{3, 0}, {3, -1.5f}, {-3, 0}, {-3, -1.5f}};
    for (const auto& w : longWalls) {
        gx::pushMatrix();
        gx::translate(0, w[0], w[1]);
        gx::scale(8, 0.5f, 3);
        drawHalfBox(1);
        gx::popMatrix();
    }

    // End walls: two pillars at each end, leaving a doorway between them.
    for (float x : {4.0f, -4.0f}) {
        for (float y : {2.4f, -2.4f}) {
            for (float z : {0.0f, -1.5f}) {
                gx::pushMatrix();
                gx::translate(x, y, z);
                gx::rotate(90, 0, 0, 1);
                gx::scale(12.0f / 7.0f, 0.45f, 3);
                drawHalfBox(1);
                gx::popMatrix();
            }
        }
    }

    // Gables over both doorways.
    for (float mirror : {1.0f, -1.0f}) {
        gx::pushMatrix();
        if (mirror < 0) gx::scale(-1, 1, 1);
        gx::translate(3.8f, 0, 1.5f);
        gx::rotate(90, 1, 0, 0);
        gx::rotate(90, 0, 1, 0);
        gx::scale(6, 1, 0.45f);
        drawPrism(1, 1, 1);
        gx::popMatrix();
    }

    // The roof adds to what lies behind it, so the cows inside show through.
    gx::enable(GL_BLEND);
    gx::blendFunc(GL_SRC_ALPHA, GL_ONE);
    bindObjectTexture(tex::Silo);
    gx::pushMatrix();
    gx::colour(0.4f, 0.1f, 0.1f, 0.9f);
    gx::translate(0, 3.3f, 1.4f);
    gx::rotate(70, 1, 0, 0);
    gx::scale(8.5f, 0.2f, 7);
    drawHalfBox(1);
    gx::popMatrix();
    gx::pushMatrix();
    gx::scale(1, -1, 1);
    gx::colour(0.3f, 0.1f, 0.1f, 0.9f);
    gx::translate(0, 3.3f, 1.4f);
    gx::rotate(70, 1, 0, 0);
    gx::scale(8.5f, 0.2f, 7);
    drawHalfBox(1);
    gx::popMatrix();
    gx::disable(GL_BLEND);
    gx::disable(GL_TEXTURE_2D);
}

}  // namespace

void drawBarn(int, int) { drawListed(barn); }

namespace {

void silo() {
    gx::pushMatrix();
    gx::colour(1, 1, 1);
    gx::enable(GL_TEXTURE_2D);
    gx::scale(0.5f, 0.5f, 0.3f);
    bindObjectTexture(tex::Silo);

    gx::pushMatrix();
    drawTexturedCylinder(5, 5, 10, 20, 1);  // drum, in two courses
    gx::translate(0, 0, 10);
    drawTexturedCylinder(5, 5, 10, 20, 1);
    gx::translate(0, 0, 10);

    gx::disable(GL_TEXTURE_2D);  // dome
    gx::scale(1, 1, 0.5f);
    gx::rotate(-90, 1, 0, 0);
    gx::colour(0.5f, 0.5f, 0.5f);
    drawTexturedSphere(5, 20, 20);

    gx::enable(GL_TEXTURE_2D);  // ladder rails, back down to the ground
    bindObjectTexture(tex::Bark);
    gx::rotate(90, 1, 0, 0);
    gx::scale(1, 1, 2);
    gx::translate(-1, 5.5f, -20);
    drawTexturedCylinder(0.2, 0.2, 20, 10, 1);
    gx::translate(2, 0, 0);
    drawTexturedCylinder(0.2, 0.2, 20, 10, 1);
    gx::popMatrix();

    gx::pushMatrix();  // rungs
    gx::translate(1, 5.5f, 0);
    gx::rotate(-90, 0, 1, 0);
    for (int rung = 0; rung < 10; ++rung) {
        gx::translate(2, 0, 0);
        drawTexturedCylinder(0.2, 0.2, 2, 10, 1);
    }
    gx::popMatrix();
    gx::disable(GL_TEXTURE_2D);
    gx::popMatrix();
}

}  // namespace

void drawSilo(int, int) { drawRecorded(silo); }
