// The cow record's construction and the per-frame update.
#pragma once

#include "world/records.h"

// Normal and grown model scales of the two cows; growth changes them.
extern float cow1Scale;
extern float cow2Scale;
constexpr float kCow1NormalScale = 0.05f;
constexpr float kCow1GrownScale = 0.08f;
constexpr float kCow2NormalScale = 0.12f;
constexpr float kCow2GrownScale = 0.2f;

Cow* makeCow(char kind, int column, int row);

void updateCow(Cow& cow);
void steerFromKeys(Cow& cow);
void turnHeading(Cow& cow);
void accelerateAndMove(Cow& cow);
bool overlaps(const Cow& mover, const WorldObject& other);

struct Cell {
    int column;
    int row;
};
Cell probeCell(const Cow& cow);

// The level a drawn cow takes: the stand level of the tile under it, or its
// take-off level plus the jump curve. Drawing calls this; so does a headless
// frame, so both run the same rule.
void updateCowLevel(Cow& cow);

// One playing frame without a screen: both updates, then each cow's level
// refreshed as drawing would do it (when at least one half draws the scene).
void stepPlayingFrameHeadless();
