// What an out-of-sync match leaves for the bug report: a replay of both
// players' inputs on the map they played, in the replay directory.
#pragma once

#include <string>
#include <vector>

#include "game/cow_input.h"

class LockstepSession;

struct MatchRecord {
    std::string mapText;
    int localCow = 0;
    int64_t outOfSyncAt = 0;
    std::vector<StepInput> steps;
};

// Plays the steps again on a fresh world built from the map, silently, and
// writes them as a replay (this machine's digests) to a new file in the
// replay directory; returns its path, or "" with `error` set. The world is
// left as the steps leave it.
std::string saveMatchRecord(const MatchRecord& record, std::string& error);
// The same for the match a session played, up to the step it stopped at.
std::string saveMatchRecord(const LockstepSession& session, std::string& error);
