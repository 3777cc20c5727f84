// Every game played in the window is recorded, from its first playing step
// to its end, into the replay directory (see app/replay_store.h).
#pragma once

#include <cstdint>
#include <cstdio>

#include "game/cow_input.h"
#include "game/input_source.h"
#include "game/replay.h"

// Turns recording on for this process (the window's games) or off (watching
// a replay records nothing). Off by default, so the test programs built on
// the game's frame record nothing unless they ask.
void setRecordingEnabled(bool on);

// A game that has reached its first playing step begins its replay, once:
// later calls do nothing until armRecording() says a new game has begun.
// Warnings (no directory, a file that cannot be made) go to `warnings` once
// a process; the game plays on unrecorded.
void beginRecording(const InputSource& boris, const InputSource& horace, uint64_t seed,
                    std::FILE* warnings = stderr);
// The phase has left play (a new game): the next playing step begins a new replay.
void armRecording();
// After each step of the recorded game; finishes the replay when a cow wins.
void recordStep(const StepInput& in);
// Ends the replay being written (if any) with how the game ended.
void endRecording(GameEnd how);
// How the replay ends when the process exits while one is being written:
// Quit unless told otherwise (the window closed).
void setEndAtExit(GameEnd how);

// The path of the replay being or last written; empty when none.
const char* currentReplayPath();
