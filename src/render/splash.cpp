// PLACEHOLDER(images): the splash screen. To be written in full.
#include "render/screens.h"

void drawSplash() {}
