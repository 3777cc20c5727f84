// PLACEHOLDER(ui): the HUD. To be written in full.
#include "ui/hud.h"

void drawHud(const Cow&) {}
