// Moving a cow back along its own direction, the way the map edge, solid
// objects and the rival push it, without ever leaving it where there is no
// ground.
#pragma once

#include "world/records.h"

// The cell under a coordinate. Values far outside the grids (or not finite)
// map to -1, so that looking the cell up simply finds no ground.
int cellOf(double coordinate);

// True when the cell under the point (x, y) has a ground tile.
bool groundUnderPoint(float x, float y);
inline bool standsOnGround(const Cow& cow) { return groundUnderPoint(cow.x, cow.y); }

// Where one step of 0.01 back along the cow's direction takes it.
inline float backX(const Cow& cow) { return static_cast<float>(cow.x - 0.01 * cow.dirX); }
inline float backY(const Cow& cow) { return static_cast<float>(cow.y - 0.01 * cow.dirY); }

// No push ever needs more steps than a straight crossing of the grids; the cap
// only guards against a condition that would never clear.
constexpr int kMaxPushSteps = 2 * 256 * 100 + 100;

// If a move has left the cow's centre where there is no ground (a dash over a
// hole in a ragged map), back it up until it stands on ground again, and
// failing that put it back where its update started.
void returnToGround(Cow& cow);

// Moves the cow back in steps of 0.01 while stillPushed() holds. A push that
// would carry the centre off the ground stops at the last position that still
// has ground.
template <class StillPushed>
void pushBack(Cow& cow, StillPushed stillPushed) {
    for (int steps = 0; steps < kMaxPushSteps && stillPushed(); ++steps) {
        float nx = backX(cow);
        float ny = backY(cow);
        if (!groundUnderPoint(nx, ny) && standsOnGround(cow)) break;
        cow.x = nx;
        cow.y = ny;
    }
    if (!standsOnGround(cow)) returnToGround(cow);
}
