// The cow record's construction and the per-frame update.
#pragma once

#include "game/cow_input.h"
#include "world/records.h"

// Normal and grown model scales of the two cows; growth changes them.
extern float cow1Scale;
extern float cow2Scale;
constexpr float kCow1NormalScale = 0.05f;
constexpr float kCow1GrownScale = 0.08f;
constexpr float kCow2NormalScale = 0.12f;
constexpr float kCow2GrownScale = 0.2f;

Cow* makeCow(char kind, int column, int row);

// One step of a cow under its input record for that step.
void updateCow(Cow& cow, CowInput in);
void steerFromKeys(Cow& cow, CowInput in);
void turnHeading(Cow& cow, CowInput in);
void accelerateAndMove(Cow& cow, CowInput in);
bool overlaps(const Cow& mover, const WorldObject& other);

struct Cell {
    int column;
    int row;
};
Cell probeCell(const Cow& cow);

// The level a drawn cow takes: the stand level of the tile under it, or its
// take-off level plus the jump curve. The step applies it where the drawing
// of the scene used to (see game/step.h).
void updateCowLevel(Cow& cow);
