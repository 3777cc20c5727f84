#include "game/push_back.h"

#include <cmath>

#include "world/world_grid.h"

int cellOf(double coordinate) {
    double cell = std::floor(coordinate);
    if (!(cell >= 0.0 && cell < kGridSize)) return -1;
    return static_cast<int>(cell);
}

bool groundUnderPoint(float x, float y) { return groundAt(cellOf(x), cellOf(y)) != nullptr; }

void returnToGround(Cow& cow) {
    for (int steps = 0; steps < kMaxPushSteps && !standsOnGround(cow); ++steps) {
        cow.x = backX(cow);
        cow.y = backY(cow);
    }
    if (!standsOnGround(cow)) {
        cow.x = cow.prevX;
        cow.y = cow.prevY;
    }
}
