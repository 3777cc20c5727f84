#include "ui/hud.h"

#include <GL/gl.h>

#include "game/actions.h"
#include "game/rules.h"
#include "models/draw_behaviours.h"
#include "models/shapes.h"
#include "render/screens.h"
#include "ui/fonts.h"
#include "ui/hud_screens.h"
#include "ui/hud_state.h"
#include "ui/number_format.h"

// Everything here is laid out in eye coordinates on the near plane (z = -1),
// where one unit of y is half the viewport's height. Text is flattened by a
// zero z scale so the extruded glyphs lie in that plane.

namespace {

// Readability over the plain layout: the energy number at 12 pixels or more
// in an 800 x 600 window (the plain 0.0002 gives 6), the syringe lifted so
// its needle stays on screen (plain -0.9), the hay numbers beside their bales.
constexpr float kEnergyTextScale = 0.00045f;
constexpr float kSyringeIconY = -0.8f;
constexpr float kCarriedNumberShift = 0.09f;
constexpr float kStoredNumberRise = 0.14f;

void drawTextAt(const char* text, float x, float y, float scale) {
    glPushMatrix();
    glTranslatef(x, y, -1.0f);
    glScalef(scale, scale, 0.0f);
    drawText(text);
    glPopMatrix();
}

void drawIntro(const Cow& cow) {
    drawTextAt("PLAYER:", -0.55f, 0.7f, 0.0018f);
    drawTextAt(cow.name, -0.5f, 0.5f, 0.0015f);
    drawTextAt("COLLECT ", -0.65f, 0.1f, 0.0007f);
    drawTextAt(formatThreeDigits(kHayToWin, numberText), -0.155f, 0.1f, 0.0007f);
    drawTextAt(" HAY TO WIN!", 0.0f, 0.1f, 0.0007f);
    drawTextAt(introHelpLine(cow), -0.5f, -0.5f, 0.0005f);
}

void drawControlsPanel(const Cow& cow) {
    fillControlsLines(cow, controlsLines);
    drawTextAt("CONTROLS", -0.6f, 0.8f, 0.0015f);
    const float lineY[kControlsLineCount] = {0.6f, 0.4f, 0.2f, 0.0f, -0.2f, -0.4f};
    for (int i = 0; i < kControlsLineCount; ++i) drawTextAt(controlsLines[i], -0.6f, lineY[i], 0.0006f);
    drawTextAt("NEW GAME: 'N'", -0.6f, -0.6f, 0.0006f);
    drawTextAt("QUIT: ESC", -0.6f, -0.8f, 0.0006f);
}

// Under the identity projection the panel fills the viewport: controls in the
// lower half, the arena map in the upper half.
void drawHelpPanel(const Cow& cow) {
    glPushMatrix();
    glTranslatef(0.0f, -0.5f, 0.0f);
    glScalef(1.0f, 0.5f, 1.0f);
    drawControlsPanel(cow);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(0.0f, 0.5f, 0.0f);
    glScalef(1.0f, 0.5f, 1.0f);
    drawTitleMap();
    glPopMatrix();
}

void drawOutcome(const Cow& cow, const char* verdict) {
    drawTextAt(cow.name, -0.6f, 0.0f, 0.001f);
    drawTextAt(verdict, 0.1f, 0.0f, 0.001f);
}

void drawWinText(const Cow& cow) { drawOutcome(cow, "   WINS!"); }
void drawLoseText(const Cow& cow) { drawOutcome(cow, "LOSES!"); }

void drawStoredHay(const Cow& cow) {
    struct Bale {
        float x, y, z, scale;
    };
    // Growing from left to right.
    // The bales sit low and the number above them, so that neither hides
    // the other (the plain layout draws the number over the bales).
    const Bale bales[3] = {{0.02f, 0.04f, -0.08f, 0.08f}, {0.17f, 0.04f, -0.1f, 0.1f}, {0.36f, 0.04f, -0.1f, 0.12f}};
    glPushMatrix();
    glTranslatef(0.25f, -0.9f, -1.0f);
    for (const Bale& b : bales) {
        glPushMatrix();
        glTranslatef(b.x, b.y, b.z);
        glScalef(b.scale, b.scale, -b.scale);
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        drawHayBale(0, 0);
        glPopMatrix();
    }
    glTranslatef(0.0f, kStoredNumberRise, 0.0f);
    glScalef(0.0015f, 0.0015f, 0.0f);
    drawText(formatThreeDigits(cow.hayStored, numberText));
    glPopMatrix();
}

void drawCarriedHay(const Cow& cow) {
    glPushMatrix();
    glTranslatef(-0.5f, -0.9f, -1.0f);
    glPushMatrix();
    glScalef(0.1f, 0.1f, -0.1f);
    drawHayBale(0, 0);
    glPopMatrix();
    // The number starts just right of its bale rather than on it.
    glTranslatef(kCarriedNumberShift, 0.0f, 0.0f);
    glScalef(0.0015f, 0.0015f, 0.0f);
    drawText(formatTwoDigits(cow.hayCarried, numberText));
    glPopMatrix();
}

// The bar's foot stays at y = -0.9 and it grows by 0.2 per 100 energy; it
// takes the current colour, the white the carried-hay number left. A dash
// can spend the energy below 0; the bar and its number then show 0 (the
// cow's own value is left as it is).
void drawEnergyBar(const Cow& cow) {
    float v = displayedEnergy(cow.energy);
    glPushMatrix();
    glTranslatef(-0.6f, v / 1000.0f - 0.9f, -1.0f);
    glScalef(0.038f, v / 500.0f, 0.0f);
    drawCube(1.0);
    glPopMatrix();
    drawTextAt(formatThreeDigits(static_cast<int>(v), numberText), -0.625f, v / 500.0f - 0.88f, kEnergyTextScale);
}

void drawSlowSyringeIcon(const Cow& cow) {
    glPushMatrix();
    glTranslatef(-0.1f, kSyringeIconY, -1.0f);
    glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
    glScalef(0.15f, 0.15f, -0.15f);
    if (cow.heldEffect == slowEffect) drawSyringe(0, 0);
    glPopMatrix();
}

}  // namespace

void drawHud(const Cow& cow) {
    switch (chooseHudScreen(cow)) {
    case HudScreen::Intro:
        drawIntro(cow);
        ++introCallCount;
        break;
    case HudScreen::HelpPanel:
        drawHelpPanel(cow);
        break;
    case HudScreen::WinText:
        drawWinText(cow);
        break;
    case HudScreen::LoseText:
        drawLoseText(cow);
        break;
    case HudScreen::Regular:
        drawStoredHay(cow);
        drawCarriedHay(cow);
        drawEnergyBar(cow);
        drawSlowSyringeIcon(cow);
        break;
    }
}
