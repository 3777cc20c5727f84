#pragma once

#include <cstdint>

#include "game/rules.h"

// Introductions drawn since the game began; one counter for both halves.
extern int32_t introCallCount;
// Takes the introduction as shown, so the HUD goes straight to play (for the
// programs that start a scene in the middle of a game).
inline void skipIntroduction() { introCallCount = kIntroductionLength; }

// The help panel's six key lines (up, down, left, right, jump, attack), shared
// by both players and rewritten whenever a help panel is drawn.
constexpr int kControlsLineCount = 6;
constexpr int kControlsLineSize = 20;
extern char controlsLines[kControlsLineCount][kControlsLineSize];
