#pragma once

// Opens the window, runs the start-up sequence and enters the main loop; never returns.
[[noreturn]] void runHoofbrawl(int argc, char** argv);

void displayFrame();
void idlePace();
void reshapeWindow(int width, int height);

class KeySource;
// What the game sets up between opening its window and loading: the kept
// settings (the command line's overrides laid over them), the arena, the
// cows' drivers reading `keys`, and the title's menu. For the programs that
// run the game's own frames too.
void setUpPlayerShell(KeySource& keys);
