#include "ui/fonts.h"

#include <FTGL/ftgl.h>
#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>

FTFont* fontTable[kFontCount] = {};

void createFonts(const char* path) {
    // All six are built before any is checked, so a missing file is reported
    // once, for the first slot.
    fontTable[0] = new FTGLBitmapFont(path);
    fontTable[1] = new FTGLPixmapFont(path);
    fontTable[2] = new FTGLOutlineFont(path);
    fontTable[3] = new FTGLPolygonFont(path);
    fontTable[4] = new FTGLExtrdFont(path);
    fontTable[5] = new FTGLTextureFont(path);
    for (FTFont* font : fontTable) {
        if (font->Error()) {
            std::fprintf(stderr, "Failed to open font %s", path);
            std::exit(1);
        }
        if (!font->FaceSize(144, 72)) {
            std::fprintf(stderr, "Failed to set size");
            std::exit(1);
        }
        font->Depth(5.0f);
        font->CharMap(ft_encoding_unicode);
    }
}

void drawText(const char* text) {
    glColor3f(1.0f, 1.0f, 1.0f);
    glTranslatef(0.0f, 0.0f, 10.0f);
    // Every caller flattens text with a zero z scale, so the extruded glyph's
    // back face and sides land exactly under its front face and add nothing
    // to the picture; drawing the front alone halves the cost of text on a
    // software renderer. FTGL keeps each glyph in display lists after its
    // first use, so a frame replays lists instead of rebuilding outlines.
    fontTable[textFontIndex]->Render(text, -1, FTPoint(), FTPoint(), FTGL::RENDER_FRONT);
    glDisable(GL_BLEND);
}

float textAdvance(const char* text) {
    FTFont* font = fontTable[textFontIndex];
    return font ? font->Advance(text) : 0.0f;
}
