// The game's icon: a cow's head in front of its meadow. One set of shapes drawn
// at any size, so the installed icon files and the window's own icon are the
// same picture.
#pragma once

#include <cstdint>
#include <vector>

// The square sizes the icon is installed in and given to the window.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// size x size pixels, row 0 at the top, each 0xAARRGGBB with straight (not
// premultiplied) alpha; transparent outside the rounded square.
std::vector<uint32_t> iconPixels(int size);
