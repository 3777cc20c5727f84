#pragma once

#include <cstdint>

// Introductions drawn since the game began; one counter for both halves.
extern int32_t introCallCount;

// The help panel's six key lines (up, down, left, right, jump, attack), shared
// by both players and rewritten whenever a help panel is drawn.
constexpr int kControlsLineCount = 6;
constexpr int kControlsLineSize = 20;
extern char controlsLines[kControlsLineCount][kControlsLineSize];
