// Small helpers for the cow and behaviour tests: open fields to build maps on,
// and a fixture that plays frames.
#pragma once

#include <string>
#include <vector>

#include "game/cow.h"
#include "game/key_bindings.h"
#include "game/step.h"
#include "test_support.h"

// A field of w x h cells of one ground with no objects.
inline std::vector<std::string> field(int w, int h, char ground = '.') {
    std::string row;
    for (int i = 0; i < w; ++i) row += std::string(1, ground) + " ";
    return std::vector<std::string>(h, row);
}

// Sets one cell of a field: its ground character and its object character.
inline void put(std::vector<std::string>& rows, int column, int row, char ground, char object) {
    rows[row][2 * column] = ground;
    rows[row][2 * column + 1] = object;
}
inline void putObject(std::vector<std::string>& rows, int column, int row, char object) {
    rows[row][2 * column + 1] = object;
}

class CowTest : public WorldTest {
protected:
    Cow& cow1() { return *world.cow1; }
    Cow& cow2() { return *world.cow2; }
    void frame() { stepPlayingFrameHeadless(); }
    void frames(int n) {
        for (int i = 0; i < n; ++i) frame();
    }
    // Puts a cow at a point, facing along (dx, dy), as if it had walked there.
    void place(Cow& cow, float x, float y, float dx, float dy) {
        cow.x = x;
        cow.y = y;
        cow.dirX = dx;
        cow.dirY = dy;
        updateCowLevel(cow);
    }
    char objectKindAt(int column, int row) {
        WorldObject* o = objectAt(column, row);
        return o ? o->kind : 0;
    }
};
