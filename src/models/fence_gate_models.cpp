// Fences join up with their neighbours; gates turn towards their other leaf
// and swing open while their owner's gate is open or broken.
#include <GL/gl.h>

#include "models/draw_behaviours.h"
#include "models/model_gl.h"
#include "models/model_rules.h"
#include "models/shapes.h"
#include "world/world_grid.h"

namespace {

// One panel: two posts and two rails, 1 cell long along x.
void fenceSegment() {
    gx::pushMatrix();
    gx::scale(0.2f, 0.2f, 0.2f);
    gx::pushAttrib(GL_COLOR_BUFFER_BIT);
    gx::disable(GL_TEXTURE_2D);  // and it stays off for whatever comes next
    gx::colour(0.3f, 0.1f, 0.1f);
    gx::pushMatrix();
    gx::translate(-2.7f, 0, 4);
    gx::scale(5, 5, 5);
    gx::rotate(-90, 1, 0, 0);
    struct Piece {
        float tx, ty, tz, sx, sy, sz;
    };
    const Piece pieces[4] = {
        {0.33f, 0.5f, 0, 0.2f, 0.5f, 0.05f},     // posts
        {0.67f, 0.5f, 0, 0.2f, 0.5f, 0.05f},
        {0.5f, 0.5f, 0.05f, 1, 0.15f, 0.05f},    // rails
        {0.5f, 0.25f, 0.05f, 1, 0.15f, 0.05f},
    };
    for (const Piece& p : pieces) {
        gx::pushMatrix();
        gx::translate(p.tx, p.ty, p.tz);
        gx::scale(p.sx, p.sy, p.sz);
        drawCube(1);
        gx::popMatrix();
    }
    gx::popMatrix();
    gx::popAttrib();
    gx::popMatrix();
}

void gateLeaf() {
    gx::pushMatrix();
    gx::scale(1, 1, 1.5f);
    gx::pushAttrib(GL_COLOR_BUFFER_BIT);
    gx::enable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Barn);
    gx::colour(0.3f, 0.1f, 0.1f);
    gx::pushMatrix();
    gx::translate(0, 0, 0.5f);
    gx::rotate(90, 1, 0, 0);
    struct Piece {
        float tx, ty, tz, angle, sx, sy, sz;
    };
    const Piece pieces[6] = {
        {0, 0.5f, 0, 0, 0.2f, 1, 0.1f},          // posts
        {1, 0.5f, 0, 0, 0.2f, 1, 0.1f},
        {0.5f, 0.1f, 0.1f, 0, 1, 0.2f, 0.1f},    // rails
        {0.5f, 0.9f, 0.1f, 0, 1, 0.2f, 0.1f},
        {0.5f, 0.5f, 0.1f, 45, 1, 0.2f, 0.1f},   // braces
        {0.5f, 0.5f, 0.1f, -45, 1, 0.2f, 0.1f},
    };
    for (const Piece& p : pieces) {
        gx::pushMatrix();
        gx::translate(p.tx, p.ty, p.tz);
        if (p.angle != 0) gx::rotate(p.angle, 0, 0, 1);
        gx::scale(p.sx, p.sy, p.sz);
        drawCube(1);
        gx::popMatrix();
    }
    gx::popMatrix();
    gx::disable(GL_TEXTURE_2D);
    gx::popAttrib();
    gx::popMatrix();
}

void drawFenceSegment() { drawRecorded(fenceSegment); }

}  // namespace

void drawFence(int column, int row) {
    const WorldObject* self = objectAt(column, row);
    if (self && self->kind == 'F') gx::scale(1, 1, 3);
    const FencePanels panels = fencePanelsAt(column, row);
    if (panels.alongY) {
        gx::pushMatrix();
        gx::rotate(90, 0, 0, 1);
        drawFenceSegment();
        gx::popMatrix();
    } else if (panels.towardsObject) {
        gx::pushMatrix();
        drawFenceSegment();
        gx::popMatrix();
    }
    if (panels.towardsFence) {
        gx::pushMatrix();
        drawFenceSegment();
        gx::popMatrix();
    }
}

void drawGate(int column, int row) {
    const GatePose pose = gatePoseAt(column, row);
    gx::pushMatrix();
    if (pose.sameKindRight) gx::scale(1, -1, 1);
    if (pose.sameKindLeft) gx::rotate(180, 0, 0, 1);
    if (pose.sameKindBelow) {
        gx::rotate(90, 0, 0, 1);
        gx::scale(1, -1, 1);
    }
    if (pose.sameKindAbove) gx::rotate(-90, 0, 0, 1);
    if (pose.open) {
        gx::rotate(90, 0, 0, 1);
        gx::translate(0, 0.5f, 0);
    } else {
        gx::translate(-0.5f, 0, 0);
    }
    drawRecorded(gateLeaf);
    gx::popMatrix();
}
