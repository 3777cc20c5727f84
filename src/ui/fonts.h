#pragma once

class FTFont;

// One font of each FTGL renderer kind, all from the same file: bitmap, pixmap,
// outline, polygon, extruded, texture.
constexpr int kFontCount = 6;
extern FTFont* fontTable[kFontCount];
// Every string is drawn with the extruded font.
constexpr int textFontIndex = 4;

// Creates the six fonts from a TrueType file, or reports and exits with status 1.
void createFonts(const char* path);
// Draws a string at the origin in white, baseline along +x, in the extruded font.
// Leaves the modelview translated and blending disabled.
void drawText(const char* text);
// How far drawText advances along +x for this string, in font units (an em is
// 144 units); 0 before the fonts exist.
float textAdvance(const char* text);
