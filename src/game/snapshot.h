// The whole state a step reads and writes, saved into a value and put back.
// Play changes only the two cows, their model scales and the objects on the
// map (taken away, or their counters and slots changed); the ground never
// changes during play. A snapshot therefore keeps the cows, the scales and
// every object cell of the map, and restoring one puts exactly those back.
#pragma once

#include <cstdint>
#include <vector>

#include "game/cow_input.h"
#include "world/records.h"

struct GameSnapshot {
    struct ObjectCell {
        int32_t cell = 0;  // cellIndex(column, row)
        WorldObject object;
    };
    Cow cow[2];
    int32_t groundUnder[2][2] = {};  // the cows' ground tiles by column and row; -1 for none
    float scale[2] = {};
    std::vector<ObjectCell> objects;  // every occupied cell of the map, by cell order
    StepInput lastInput;              // what the help panels show
};

// Saves the live state into `into` (its storage is reused from one save to the next).
void saveGame(GameSnapshot& into);
// Puts a saved state back into the live world, which must have been read from
// the same map. Objects taken since the save come back; ones present now that
// were not then are removed.
void restoreGame(const GameSnapshot& from);
