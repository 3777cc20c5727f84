// `hoofbrawl --replay FILE`: a recorded game shown again in the window,
// through the same step, drawing and sounds as the game had.
#pragma once

#include <string>

class KeySource;

// Reads the replay and its map; a file that cannot be watched is refused with
// one line on standard error and status 2, before any window opens.
void openReplayOrExit(const std::string& path);

// Plays the replay read by openReplayOrExit in the window the caller opened:
// SPACE pauses and resumes, the right arrow held runs four steps a frame, ESC
// or N leaves (status 0), and at its end the last frame stays with a line
// saying how the game ended. Records nothing. Never returns.
[[noreturn]] void watchReplay(KeySource& keys, void (*toggleFullScreen)());

// Watches a replay from inside the running game (its menu): the window's
// display turns to the replay until ESC or N is pressed and let go, and then
// `done` is called (which hands the display back). False, with nothing
// changed, for a file that cannot be watched.
bool watchReplayFromMenu(const std::string& path, void (*done)());
