#pragma once

// Creates the six fonts from a TrueType file, or reports and exits with status 1.
void createFonts(const char* path);
// Draws a string at the origin in white, baseline along +x, in the extruded font.
void drawText(const char* text);
