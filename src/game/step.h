// One playing step: the whole game's advance for one displayed frame, apart
// from the drawing. Live play, tests, replays, the computer rival's matches and
// play across machines all run this and nothing else.
#pragma once

#include "game/cow_input.h"
#include "platform/keys.h"
#include "world/records.h"

// Update Boris, update Horace, then refresh both cows' levels as drawing the
// scene once did: a half draws the scene unless its player holds help, and a
// drawn scene set both cows' levels, so the refresh happens unless both hold it.
void stepPlayingFrame(const StepInput& in);

// The records of the last step, for what the drawing shows of them (the help
// panels). A new game clears them.
const StepInput& lastStepInput();
void clearLastStepInput();
void restoreLastStepInput(const StepInput& in);

// Whether this cow's player held help in the last step.
bool helpHeld(const Cow& cow);

// A win sets both cows' delivered hay to 0; the score it was won with is kept
// here for results and replays (by cow index). Nothing in the step reads it.
void noteWinningScore(const Cow& winner);
int32_t hayAtLastWin(int cowIndex);

// 0 for Boris (the map's cow '1'), 1 for Horace.
int cowIndexOf(const Cow& cow);

// Both records as `keys` hold them under the bindings in force.
StepInput inputsFromKeys(KeySource& keys);

// Both records from the active key source (see platform/keys.h), or-ed with
// the active pads (see game/input_source.h).
StepInput inputsFromActiveKeys();

// A step with both cows read from the active key source: the tests' scripted
// keys, with the bindings in force.
void stepPlayingFrameHeadless();
