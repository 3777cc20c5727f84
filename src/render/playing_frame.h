#pragma once

// One playing frame: both cow updates, then both halves of the window.
void drawPlayingFrame();
