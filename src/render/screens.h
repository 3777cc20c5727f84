#pragma once

// The splash picture over the whole viewport.
void drawSplash();
// The arena overview with both cows (title screen and help panel).
void drawTitleMap();
