// Whole matches with no window and no sound device, as fast as the step runs.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/command_line.h"
#include "game/cow_input.h"
#include "game/input_source.h"

struct MatchResult {
    int winner = -1;  // kBoris, kHorace, or -1 for none
    int64_t steps = 0;
    int32_t stored[2] = {0, 0};
    uint64_t digest = 0;
};

// Called with each step's records after the step ran (a replay writer).
using StepHook = std::function<void(const StepInput&)>;

// Plays the world already read from its present state until a cow has won or
// maxSteps steps have run. A win empties both stores, so the stores reported
// are those the match ended with: the winner's with the load it delivered.
MatchResult playMatch(InputSource& boris, InputSource& horace, int64_t maxSteps, const StepHook& hook = {});

// playMatch recorded as a replay to `recordPath` (nothing recorded when it
// is empty). `error` says why the file could not be made (nothing is played
// then) or written whole.
MatchResult playRecordedMatch(InputSource& boris, InputSource& horace, int64_t maxSteps, uint64_t seed,
                              const std::string& recordPath, std::string& error, const StepHook& hook = {});

// "winner=boris steps=N boris=S horace=S seed=N digest=HEX"
std::string matchResultLine(const MatchResult& result, uint64_t seed);

// --headless: reads the map (--map, or the shipped one from the data
// directory), plays, prints the line. Returns the exit status.
int runHeadless(const Options& options, const char* program, const StepHook& hook = {});
