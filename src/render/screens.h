#pragma once

// The splash picture over the whole viewport.
void drawSplash();
// The splash never changes, so while frames are shown by copying the back
// buffer out (which leaves it as it was) rather than by swapping, the splash
// drawn into it once stays there and a splash frame need neither clear nor
// draw. Told how each splash frame was shown, this says whether the back
// buffer still holds the splash as this frame would draw it, in the current
// viewport; the caller knows whether the window kept its size.
void splashShown(bool byCopy);
bool splashHeldInBackBuffer();
// The arena overview with both cows (title screen and help panel).
void drawTitleMap();
// The title screen itself: the map with the keys that start a game alone
// too (the help panel's map shows only the prompt).
void drawTitleScreen();
void drawTitleMap(bool soloKeys);
