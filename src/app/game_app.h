#pragma once

// Opens the window, runs the start-up sequence and enters the main loop; never returns.
[[noreturn]] void runHoofbrawl(int argc, char** argv);

void displayFrame();
void idlePace();
void reshapeWindow(int width, int height);
