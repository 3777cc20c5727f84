#include "ui/menu_draw.h"

#include <GL/gl.h>

#include <algorithm>

#include "app/menu.h"
#include "ui/fonts.h"

namespace {

struct Frame {
    float pixelsX = 0, pixelsY = 0;  // pixels per unit of the viewport's frame
    bool ok() const { return pixelsX > 0 && pixelsY > 0; }
};

Frame currentFrame() {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    return {0.5f * static_cast<float>(viewport[2]), 0.5f * static_cast<float>(viewport[3])};
}

const float kPlate[3] = {0.12f, 0.16f, 0.24f};
const float kSelectedPlate[3] = {0.35f, 0.22f, 0.1f};

void plate(float left, float bottom, float right, float top, const float* colour, float z = -0.85f) {
    glColor3f(colour[0], colour[1], colour[2]);
    glBegin(GL_QUADS);
    glVertex3f(left, bottom, z);
    glVertex3f(right, bottom, z);
    glVertex3f(right, top, z);
    glVertex3f(left, top, z);
    glEnd();
}

// Text at (x, baseline) with glyphs an em of `em` frame units high, kept in
// shape whatever the viewport's proportions. Returns its width in frame units.
float textWidth(const Frame& f, const std::string& text, float em) {
    return textAdvance(text.c_str()) * (em / 144.0f) * f.pixelsY / f.pixelsX;
}

void text(const Frame& f, const std::string& s, float x, float baseline, float em) {
    const float scaleY = em / 144.0f;
    const float scaleX = scaleY * f.pixelsY / f.pixelsX;
    glPushMatrix();
    glTranslatef(x, baseline, -0.9f);
    glScalef(scaleX, scaleY, 0.0f);
    drawText(s.c_str());
    glPopMatrix();
}

void centredLine(const Frame& f, const std::string& s, float baseline, float em) {
    const float w = textWidth(f, s, em);
    const float margin = 0.3f * em;
    const float mx = margin * f.pixelsY / f.pixelsX;
    plate(-0.5f * w - mx, baseline - 0.25f * em - 0.5f * margin, 0.5f * w + mx, baseline + 0.75f * em + 0.5f * margin,
          kPlate);
    text(f, s, -0.5f * w, baseline, em);
}

// The state the overlays change, put back for the frame's next drawing.
struct OverlayState {
    GLboolean depth, cull, texture;
    OverlayState() {
        depth = glIsEnabled(GL_DEPTH_TEST);
        cull = glIsEnabled(GL_CULL_FACE);
        texture = glIsEnabled(GL_TEXTURE_2D);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        glDisable(GL_TEXTURE_2D);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
    }
    ~OverlayState() {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        if (depth) glEnable(GL_DEPTH_TEST);
        if (cull) glEnable(GL_CULL_FACE);
        if (texture) glEnable(GL_TEXTURE_2D);
    }
};

}  // namespace

void drawMenu(const MenuView& view, const std::string& score) {
    OverlayState keep;
    const Frame f = currentFrame();
    if (!f.ok()) return;
    if (!score.empty()) centredLine(f, score, 0.84f, 0.08f);

    // Long screens (the controls) get smaller lines so they fit above the prompt.
    const int count = static_cast<int>(view.lines.size()) + (view.heading.empty() ? 0 : 1);
    const float step = count > 10 ? 0.083f : 0.12f;
    const float em = count > 10 ? 0.055f : 0.075f;
    float widest = 0.0f;
    for (const MenuLine& l : view.lines) {
        const std::string row = l.value.empty() ? l.label : l.label + "   " + l.value;
        widest = std::max(widest, textWidth(f, row, em));
    }
    widest = std::max(widest, textWidth(f, view.heading, em * 1.2f));
    const float half = 0.5f * widest + 0.06f;
    float y = 0.68f;
    const float top = y + em + 0.04f;
    const float bottom = y - step * (count - 1) - 0.05f;
    plate(-half, bottom, half, top, kPlate, -0.8f);
    if (!view.heading.empty()) {
        text(f, view.heading, -0.5f * textWidth(f, view.heading, em * 1.2f), y, em * 1.2f);
        y -= step;
    }
    for (const MenuLine& l : view.lines) {
        if (l.selected) plate(-half + 0.02f, y - 0.3f * em, half - 0.02f, y + 0.9f * em, kSelectedPlate, -0.82f);
        if (l.value.empty()) {
            text(f, l.label, -0.5f * textWidth(f, l.label, em), y, em);
        } else {
            text(f, l.label, -half + 0.05f, y, em);
            text(f, l.value, half - 0.05f - textWidth(f, l.value, em), y, em);
        }
        y -= step;
    }
    if (!view.message.empty()) centredLine(f, view.message, -0.7f, 0.06f);
    if (!view.hint.empty()) centredLine(f, view.hint, -0.8f, 0.045f);
}

void drawPausePanel(const std::string& note) {
    OverlayState keep;
    const Frame f = currentFrame();
    if (!f.ok()) return;
    const std::string keys = "P: RESUME     N: NEW GAME     ESC: QUIT";
    const float w = std::max(textWidth(f, keys, 0.07f), textWidth(f, "PAUSED", 0.2f)) + 0.12f;
    // The note (who paused a shared game) gets a line of its own below the keys.
    plate(-0.5f * w, note.empty() ? -0.22f : -0.32f, 0.5f * w, 0.32f, kPlate, -0.8f);
    text(f, "PAUSED", -0.5f * textWidth(f, "PAUSED", 0.2f), 0.05f, 0.2f);
    text(f, keys, -0.5f * textWidth(f, keys, 0.07f), -0.14f, 0.07f);
    if (!note.empty()) text(f, note, -0.5f * textWidth(f, note, 0.06f), -0.26f, 0.06f);
}

void drawNotice(const std::string& s, float baseline) {
    OverlayState keep;
    const Frame f = currentFrame();
    if (!f.ok()) return;
    centredLine(f, s, baseline, 0.08f);
}
