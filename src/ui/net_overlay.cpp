#include "ui/net_overlay.h"

#include <GL/gl.h>

#include "ui/fonts.h"

namespace {

void textAt(const std::string& text, float x, float y, float scale) {
    glPushMatrix();
    glTranslatef(x, y, 0.0f);
    glScalef(scale, scale, 0.0f);
    drawText(text.c_str());
    glPopMatrix();
}

// Centred on x; the font's advance is in its own units, which the scale turns
// into the window's.
void centredAt(const std::string& text, float y, float scale) {
    const float width = textAdvance(text.c_str()) * scale;
    textAt(text, -width / 2, y, scale);
}

}  // namespace

void drawNetOverlay(int windowWidth, int windowHeight, const std::vector<std::string>& lines, int localHalf,
                    const std::string& centre) {
    if (windowWidth <= 0 || windowHeight <= 0) return;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_VIEWPORT_BIT | GL_LINE_BIT);
    glViewport(0, 0, windowWidth, windowHeight);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    // x in -aspect..aspect keeps the letters their shape.
    const float aspect = static_cast<float>(windowWidth) / windowHeight;
    glOrtho(-aspect, aspect, -1, 1, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    if (localHalf == 0 || localHalf == 1) {
        const float left = localHalf == 0 ? -aspect : 0.0f;
        const float right = localHalf == 0 ? 0.0f : aspect;
        const float inset = 0.012f;
        glColor3f(1.0f, 0.85f, 0.1f);
        glLineWidth(4.0f);
        glBegin(GL_LINE_LOOP);
        glVertex2f(left + inset, -1 + inset);
        glVertex2f(right - inset, -1 + inset);
        glVertex2f(right - inset, 1 - inset);
        glVertex2f(left + inset, 1 - inset);
        glEnd();
        glPushMatrix();
        glColor3f(1.0f, 0.85f, 0.1f);
        textAt("YOU", (left + right) / 2 - 0.06f, -0.95f, 0.0006f);
        glPopMatrix();
    }
    float y = 0.93f;
    for (const std::string& line : lines) {
        centredAt(line, y, 0.00045f);
        y -= 0.08f;
    }
    if (!centre.empty()) centredAt(centre, 0.0f, 0.0008f);

    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopAttrib();
}
