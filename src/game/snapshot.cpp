#include "game/snapshot.h"

#include <cstddef>

#include "game/cow.h"
#include "game/step.h"
#include "world/world_grid.h"

void saveGame(GameSnapshot& into) {
    const Cow* cows[2] = {world.cow1, world.cow2};
    for (int c = 0; c < 2; ++c) {
        if (!cows[c]) continue;
        into.cow[c] = *cows[c];
        const GroundTile* t = cows[c]->groundUnder;
        into.groundUnder[c][0] = t ? t->column : -1;
        into.groundUnder[c][1] = t ? t->row : -1;
    }
    into.scale[0] = cow1Scale;
    into.scale[1] = cow2Scale;
    into.objects.clear();
    for (int column = 0; column < world.usedColumns; ++column)
        for (int row = 0; row < world.usedRows; ++row) {
            const int i = cellIndex(column, row);
            if (const WorldObject* o = world.objectGrid[i]) into.objects.push_back({i, *o});
        }
    into.lastInput = lastStepInput();
}

void restoreGame(const GameSnapshot& from) {
    Cow* cows[2] = {world.cow1, world.cow2};
    for (int c = 0; c < 2; ++c) {
        if (!cows[c]) continue;
        Cow* rival = cows[c]->rival;
        *cows[c] = from.cow[c];
        // References stay those of the live world.
        cows[c]->rival = rival;
        cows[c]->groundUnder =
            from.groundUnder[c][0] < 0 ? nullptr : groundAt(from.groundUnder[c][0], from.groundUnder[c][1]);
    }
    cow1Scale = from.scale[0];
    cow2Scale = from.scale[1];
    // Both lists run in cell order: walk them together.
    std::size_t next = 0;
    for (int column = 0; column < world.usedColumns; ++column)
        for (int row = 0; row < world.usedRows; ++row) {
            const int i = cellIndex(column, row);
            WorldObject*& slot = world.objectGrid[i];
            if (next < from.objects.size() && from.objects[next].cell == i) {
                if (slot) *slot = from.objects[next].object;
                else slot = new WorldObject(from.objects[next].object);
                ++next;
            } else if (slot) {
                delete slot;
                slot = nullptr;
            }
        }
    // The help panels show what the step took.
    StepInput in = from.lastInput;
    restoreLastStepInput(in);
}
