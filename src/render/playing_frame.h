#pragma once

// One playing frame: both cow updates, then both halves of the window.
void drawPlayingFrame();

// The two halves of a window w x h: cow 1 on the right, cow 2 on the left,
// with a 4-pixel strip of clear colour between them. The right half runs two
// columns past the window's edge; both share one aspect ratio.
struct ViewportRect {
    int x, y, width, height;
};
ViewportRect rightViewport(int windowWidth, int windowHeight);
ViewportRect leftViewport(int windowWidth, int windowHeight);
float halfAspect(int windowWidth, int windowHeight);
