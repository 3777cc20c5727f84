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
void drawFenceSegment() {
    glScalef(0.2f, 0.2f, 0.2f);
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);  // and it stays off for whatever comes next
    glColor3f(0.3f, 0.1f, 0.1f);
    glPushMatrix();
    glTranslatef(-2.7f, 0, 4);
    glScalef(5, 5, 5);
    glRotatef(-90, 1, 0, 0);
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
        glPushMatrix();
        glTranslatef(p.tx, p.ty, p.tz);
        glScalef(p.sx, p.sy, p.sz);
        drawCube(1);
        glPopMatrix();
    }
    glPopMatrix();
    glPopAttrib();
}

void drawGateLeaf() {
    glScalef(1, 1, 1.5f);
    glPushAttrib(GL_COLOR_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Barn);
    glColor3f(0.3f, 0.1f, 0.1f);
    glPushMatrix();
    glTranslatef(0, 0, 0.5f);
    glRotatef(90, 1, 0, 0);
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
        glPushMatrix();
        glTranslatef(p.tx, p.ty, p.tz);
        if (p.angle != 0) glRotatef(p.angle, 0, 0, 1);
        glScalef(p.sx, p.sy, p.sz);
        drawCube(1);
        glPopMatrix();
    }
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
    glPopAttrib();
}

}  // namespace

void drawFence(int column, int row) {
    const WorldObject* self = objectAt(column, row);
    if (self && self->kind == 'F') glScalef(1, 1, 3);
    const FencePanels panels = fencePanelsAt(column, row);
    if (panels.alongY) {
        glPushMatrix();
        glRotatef(90, 0, 0, 1);
        drawFenceSegment();
        glPopMatrix();
    } else if (panels.towardsObject) {
        glPushMatrix();
        drawFenceSegment();
        glPopMatrix();
    }
    if (panels.towardsFence) {
        glPushMatrix();
        drawFenceSegment();
        glPopMatrix();
    }
}

void drawGate(int column, int row) {
    const GatePose pose = gatePoseAt(column, row);
    glPushMatrix();
    if (pose.sameKindRight) glScalef(1, -1, 1);
    if (pose.sameKindLeft) glRotatef(180, 0, 0, 1);
    if (pose.sameKindBelow) {
        glRotatef(90, 0, 0, 1);
        glScalef(1, -1, 1);
    }
    if (pose.sameKindAbove) glRotatef(-90, 0, 0, 1);
    if (pose.open) {
        glRotatef(90, 0, 0, 1);
        glTranslatef(0, 0.5f, 0);
    } else {
        glTranslatef(-0.5f, 0, 0);
    }
    drawGateLeaf();
    glPopMatrix();
}
