// What an out-of-sync match leaves for the bug report: the map and both
// players' input records of every step, enough to play the match again.
#pragma once

#include <string>
#include <vector>

#include "game/cow_input.h"

struct MatchRecord {
    std::string gameVersion;
    std::string mapText;
    int localCow = 0;
    int64_t outOfSyncAt = 0;
    std::vector<StepInput> steps;
};

// Writes `record` to a new file in the temporary directory ($TMPDIR or /tmp)
// and returns its path, or "" with `error` set. The one place that chooses
// the format, so that it can become the replay format.
std::string saveMatchRecord(const MatchRecord& record, std::string& error);
