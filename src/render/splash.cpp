#include <GL/gl.h>

#include "assets/texture_tables.h"
#include "render/screens.h"

// The splash picture on one quad over the whole view volume, at its near side.
// Wound clockwise, so it survives the front-face culling set up at start-up.
// Texturing stays on afterwards.
void drawSplash() {
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, splashTexture);
    glTranslatef(0.0f, 0.0f, -1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(-1.0f, -1.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(-1.0f, 1.0f, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(1.0f, 1.0f, 0.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(1.0f, -1.0f, 0.0f);
    glEnd();
}
