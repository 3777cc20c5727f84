#pragma once

#include "world/records.h"

// The player's overlay, drawn first in each half: introduction, help panel,
// win or lose text, or the regular HUD.
void drawHud(const Cow& cow);
