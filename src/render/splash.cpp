#include <GL/gl.h>

#include <algorithm>

#include "assets/texture_tables.h"
#include "render/screens.h"

namespace {

// The splash picture on one quad over the whole view volume, at its near side.
// Wound clockwise, so it survives the front-face culling set up at start-up.
void drawSplashPicture() {
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

// Sampling the mipmapped picture over every pixel is most of a splash frame's
// cost on a software renderer, for a picture that never changes. So it is
// drawn once per viewport size, copied out of the frame, and the copy is
// shown one texel per pixel with nothing to test or blend: the same pixels.
struct SplashCopy {
    GLuint texture = 0;
    GLint width = 0, height = 0;
    bool failed = false;  // no copy could be made: draw the picture every frame
};
SplashCopy copy;

// The viewport the last splash was drawn in, and whether the back buffer
// still holds it.
struct SplashDrawing {
    GLint viewport[4] = {0, 0, 0, 0};
    bool held = false;
};
SplashDrawing drawn;

bool takeCopy(const GLint viewport[4]) {
    if (copy.texture == 0) glGenTextures(1, &copy.texture);
    while (glGetError() != GL_NO_ERROR) {
    }
    glBindTexture(GL_TEXTURE_2D, copy.texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, viewport[0], viewport[1], viewport[2], viewport[3], 0);
    copy.failed = glGetError() != GL_NO_ERROR;
    copy.width = viewport[2];
    copy.height = viewport[3];
    return !copy.failed;
}

void showCopy() {
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, copy.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(1.0f, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(1.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-1.0f, 1.0f);
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glPopAttrib();
}

}  // namespace

// Leaves what the picture's own drawing leaves: the colour white, texturing on
// with the splash picture bound, and the modelview moved to the near side.
void drawSplash() {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    std::copy(viewport, viewport + 4, drawn.viewport);
    const bool sameSize = copy.texture != 0 && !copy.failed && copy.width == viewport[2] && copy.height == viewport[3];
    if (sameSize) {
        showCopy();
        glColor3f(1.0f, 1.0f, 1.0f);
        glEnable(GL_TEXTURE_2D);
        glBindTexture(GL_TEXTURE_2D, splashTexture);
        glTranslatef(0.0f, 0.0f, -1.0f);
        return;
    }
    drawSplashPicture();
    if (copy.width != viewport[2] || copy.height != viewport[3] || copy.texture == 0) {
        if (viewport[2] > 0 && viewport[3] > 0) takeCopy(viewport);
        glBindTexture(GL_TEXTURE_2D, splashTexture);
    }
}

void splashShown(bool byCopy) { drawn.held = byCopy; }

bool splashHeldInBackBuffer() {
    if (!drawn.held) return false;
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    return std::equal(viewport, viewport + 4, drawn.viewport);
}
