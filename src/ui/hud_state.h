#pragma once

#include <cstdint>

// Introductions drawn since the game began; one counter for both halves.
extern int32_t introCallCount;
