// What a network match adds to the window: lines of text across the top (the
// round trip and the input delay, "Waiting for Horace…", why it ended) and a
// frame around the local player's half, so nobody wonders which cow is theirs.
#pragma once

#include <string>
#include <vector>

// `localHalf`: 0 the left half, 1 the right, -1 none (the title screen).
// `centre`: a big message in the middle of the window ("" for none).
void drawNetOverlay(int windowWidth, int windowHeight, const std::vector<std::string>& lines, int localHalf,
                    const std::string& centre);
