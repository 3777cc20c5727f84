// The barn and the silo: single objects whose models reach far past their cell.
#include <GL/gl.h>

#include <initializer_list>

#include "models/draw_behaviours.h"
#include "models/model_gl.h"
#include "models/shapes.h"

void drawBarn(int, int) {
    glTranslatef(0, 0, 1.5f);  // half the wall height, kept for the whole barn
    glColor3f(0.3f, 0.1f, 0.1f);
    glEnable(GL_TEXTURE_2D);
    bindObjectTexture(tex::Barn);

    // Long walls: two half boxes stacked on each side.
    const float longWalls[4][2] = {{3, 0}, {3, -1.5f}, {-3, 0}, {-3, -1.5f}};
    for (const auto& w : longWalls) {
        glPushMatrix();
        glTranslatef(0, w[0], w[1]);
        glScalef(8, 0.5f, 3);
        drawHalfBox(1);
        glPopMatrix();
    }

    // End walls: two pillars at each end, leaving a doorway between them.
    for (float x : {4.0f, -4.0f}) {
        for (float y : {2.4f, -2.4f}) {
            for (float z : {0.0f, -1.5f}) {
                glPushMatrix();
                glTranslatef(x, y, z);
                glRotatef(90, 0, 0, 1);
                glScalef(12.0f / 7.0f, 0.45f, 3);
                drawHalfBox(1);
                glPopMatrix();
            }
        }
    }

    // Gables over both doorways.
    for (float mirror : {1.0f, -1.0f}) {
        glPushMatrix();
        if (mirror < 0) glScalef(-1, 1, 1);
        glTranslatef(3.8f, 0, 1.5f);
        glRotatef(90, 1, 0, 0);
        glRotatef(90, 0, 1, 0);
        glScalef(6, 1, 0.45f);
        drawPrism(1, 1, 1);
        glPopMatrix();
    }

    // The roof adds to what lies behind it, so the cows inside show through.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    bindObjectTexture(tex::Silo);
    glPushMatrix();
    glColor4f(0.4f, 0.1f, 0.1f, 0.9f);
    glTranslatef(0, 3.3f, 1.4f);
    glRotatef(70, 1, 0, 0);
    glScalef(8.5f, 0.2f, 7);
    drawHalfBox(1);
    glPopMatrix();
    glPushMatrix();
    glScalef(1, -1, 1);
    glColor4f(0.3f, 0.1f, 0.1f, 0.9f);
    glTranslatef(0, 3.3f, 1.4f);
    glRotatef(70, 1, 0, 0);
    glScalef(8.5f, 0.2f, 7);
    drawHalfBox(1);
    glPopMatrix();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

void drawSilo(int, int) {
    glColor3f(1, 1, 1);
    glEnable(GL_TEXTURE_2D);
    glScalef(0.5f, 0.5f, 0.3f);
    bindObjectTexture(tex::Silo);

    glPushMatrix();
    drawTexturedCylinder(5, 5, 10, 20, 1);  // drum, in two courses
    glTranslatef(0, 0, 10);
    drawTexturedCylinder(5, 5, 10, 20, 1);
    glTranslatef(0, 0, 10);

    glDisable(GL_TEXTURE_2D);  // dome
    glScalef(1, 1, 0.5f);
    glRotatef(-90, 1, 0, 0);
    glColor3f(0.5f, 0.5f, 0.5f);
    drawTexturedSphere(5, 20, 20);

    glEnable(GL_TEXTURE_2D);  // ladder rails, back down to the ground
    bindObjectTexture(tex::Bark);
    glRotatef(90, 1, 0, 0);
    glScalef(1, 1, 2);
    glTranslatef(-1, 5.5f, -20);
    drawTexturedCylinder(0.2, 0.2, 20, 10, 1);
    glTranslatef(2, 0, 0);
    drawTexturedCylinder(0.2, 0.2, 20, 10, 1);
    glPopMatrix();

    glPushMatrix();  // rungs
    glTranslatef(1, 5.5f, 0);
    glRotatef(-90, 0, 1, 0);
    for (int rung = 0; rung < 10; ++rung) {
        glTranslatef(2, 0, 0);
        drawTexturedCylinder(0.2, 0.2, 2, 10, 1);
    }
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}
