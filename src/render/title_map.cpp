#include <GL/gl.h>

#include <algorithm>

#include "models/shapes.h"
#include "render/screens.h"
#include "render/title_map_colours.h"
#include "ui/fonts.h"
#include "world/world_grid.h"

MapColour titleCellColour(char groundKind, char objectKind, MapColour colour) {
    switch (groundKind) {
    case '_': colour = {0.3f, 0.6f, 0.5f}; break;
    case '.': colour = {0.6f, 0.3f, 0.3f}; break;
    case '~': colour = {0.3f, 0.3f, 0.8f}; break;
    default: break;
    }
    switch (objectKind) {
    case '#':
    case 'F': colour = {0.4f, 0.1f, 0.1f}; break;
    case 'T': colour = {0.1f, 0.9f, 0.1f}; break;
    case '*': colour = {1.0f, 0.8f, 0.1f}; break;
    case 'o': colour = {0.7f, 0.7f, 0.7f}; break;
    case 's': colour = {0.0f, 0.0f, 0.0f}; break;
    case '+': colour = {0.8f, 0.8f, 1.0f}; break;
    case '!':
    case '\\':
    case '/': colour = {1.0f, 0.8f, 1.0f}; break;
    default: break;
    }
    return colour;
}

namespace {

const char kPrompt[] = "HIT [SPACE] TO START!";
// The one-player keys, on a line of their own above the prompt.
const char kSoloPrompt[] = "ALONE: [1] EASY  [2] NORMAL  [3] HARD";

void drawMapCells(int width, int height) {
    MapColour colour = {1.0f, 1.0f, 1.0f};
    glColor3f(colour.red, colour.green, colour.blue);
    // The outer margin of the map, mostly filler, is left out.
    for (int row = 13; row <= height - 10; ++row) {
        for (int column = 11; column <= width - 11; ++column) {
            const GroundTile* ground = groundAt(column, row);
            const WorldObject* object = objectAt(column, row);
            colour = titleCellColour(ground ? ground->kind : 0, object ? object->kind : 0, colour);
            glPushMatrix();
            glTranslatef(static_cast<float>(column), static_cast<float>(row), 0.0f);
            glColor3f(colour.red, colour.green, colour.blue);
            glBegin(GL_QUADS);
            glVertex3f(1.0f, 0.0f, 0.0f);
            glVertex3f(0.0f, 0.0f, 0.0f);
            glVertex3f(0.0f, 1.0f, 0.0f);
            glVertex3f(1.0f, 1.0f, 0.0f);
            glEnd();
            glPopMatrix();
        }
    }
}

void drawCowMarker(const Cow* cow) {
    if (!cow) return;
    glPushMatrix();
    glTranslatef(cow->x, cow->y, 0.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawTexturedSphere(1.5, 3, 5);
    glPopMatrix();
}

// The prompt goes along the bottom edge of the caller's frame, centred, on a
// dark plate so the white text reads over the sky-blue clear colour and over
// any cell. Its glyphs are sized against the pixels the frame maps to, so they
// keep their shape on the full-window title and in the squeezed help panel.
void drawPromptLine(const char* text, float baseline) {
    GLint viewport[4];
    GLfloat modelview[16];
    glGetIntegerv(GL_VIEWPORT, viewport);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    // Pixels per unit of the caller's frame (the projection is the identity).
    float pixelsX = 0.5f * static_cast<float>(viewport[2]) * modelview[0];
    float pixelsY = 0.5f * static_cast<float>(viewport[3]) * modelview[5];
    if (pixelsX <= 0.0f || pixelsY <= 0.0f) return;

    const float emHeight = 0.1f;  // in frame units: a twentieth of its height
    float scaleY = emHeight / 144.0f;
    float scaleX = scaleY * pixelsY / pixelsX;
    float width = textAdvance(text) * scaleX;
    float left = -0.5f * width;
    float margin = 0.3f * emHeight;

    glPushMatrix();
    glColor3f(0.12f, 0.16f, 0.24f);
    glBegin(GL_QUADS);
    glVertex3f(left - margin * pixelsY / pixelsX, baseline - 0.25f * emHeight - 0.5f * margin, -0.85f);
    glVertex3f(left + width + margin * pixelsY / pixelsX, baseline - 0.25f * emHeight - 0.5f * margin, -0.85f);
    glVertex3f(left + width + margin * pixelsY / pixelsX, baseline + 0.75f * emHeight + 0.5f * margin, -0.85f);
    glVertex3f(left - margin * pixelsY / pixelsX, baseline + 0.75f * emHeight + 0.5f * margin, -0.85f);
    glEnd();
    glTranslatef(left, baseline, -0.9f);
    glScalef(scaleX, scaleY, 0.0f);
    drawText(text);
    glPopMatrix();
}

void drawPrompt(bool soloKeys) {
    if (soloKeys) drawPromptLine(kSoloPrompt, -0.77f);
    drawPromptLine(kPrompt, -0.92f);
}

}  // namespace

void drawTitleMap() { drawTitleMap(false); }
void drawTitleScreen() { drawTitleMap(true); }

void drawTitleMap(bool soloKeys) {
    // The caller's culling is put back at the end, so the mirrored world
    // drawn after a help panel or the title keeps culling its front faces.
    GLboolean cullWasOn = glIsEnabled(GL_CULL_FACE);
    GLint culledFace = GL_BACK;
    glGetIntegerv(GL_CULL_FACE_MODE, &culledFace);

    glDisable(GL_TEXTURE_2D);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);

    glPushMatrix();
    // Row 0 at the top, as the map file reads; the longer side fills the view.
    glScalef(1.0f, -1.0f, 1.0f);
    int width = world.mapWidth;
    int height = world.mapHeight;
    float m = static_cast<float>(std::max(width, height));
    if (m > 0.0f) {
        glTranslatef(-width / m, -height / m, 0.9f);
        glScalef(2.0f / m, 2.0f / m, 0.05f);
    }
    drawMapCells(width, height);
    drawCowMarker(world.cow1);
    drawCowMarker(world.cow2);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();

    glDisable(GL_CULL_FACE);
    drawPrompt(soloKeys);

    if (cullWasOn) glEnable(GL_CULL_FACE);
    else glDisable(GL_CULL_FACE);
    glCullFace(static_cast<GLenum>(culledFace));
}
