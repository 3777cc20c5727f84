// PLACEHOLDER(ui): the title map. To be written in full.
#include "render/screens.h"

void drawTitleMap() {}
