// PLACEHOLDER(ui): fonts and text. To be written in full.
#include "ui/fonts.h"

void createFonts(const char*) {}
void drawText(const char*) {}
