#pragma once

// One playing frame in a window of the given size: both cow updates, then both
// halves of the window.
void drawPlayingFrame(int windowWidth, int windowHeight);

// One player's game: that cow's view (cowIndex kBoris or kHorace) fills the
// whole window. Drawing only, like drawPlayingFrame.
void drawOnePlayerFrame(int windowWidth, int windowHeight, int cowIndex);

// The passes of one half, in drawing order.
enum class FramePass { Hud, Cows, Ground, Objects, Beams };
// Called before (begin true) and after each pass when set, so a benchmark can
// count what each pass costs; null in the game.
extern void (*framePassHook)(FramePass pass, bool begin);

// The two halves of a window w x h: cow 1 on the right, cow 2 on the left,
// with a 4-pixel strip of clear colour between them. The right half runs two
// columns past the window's edge; both share one aspect ratio.
struct ViewportRect {
    int x, y, width, height;
};
ViewportRect rightViewport(int windowWidth, int windowHeight);
ViewportRect leftViewport(int windowWidth, int windowHeight);
float halfAspect(int windowWidth, int windowHeight);
