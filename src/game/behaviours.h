// Touch, setup and step behaviours of the object and ground kinds.
#pragma once

#include "world/records.h"

// The empty behaviour, in the two shapes the slots take; slots compare against it.
void doNothing(int column, int row);
void doNothing(Cow* cow, int column, int row);

inline constexpr SetupBehaviour doNothingSetup = static_cast<SetupBehaviour>(doNothing);
inline constexpr TouchBehaviour doNothingTouch = static_cast<TouchBehaviour>(doNothing);

void blockCow(Cow* cow, int column, int row);
// The gate's owner follows from the gate's kind: backslash for cow '1', '/' for cow '2'.
void touchGate(Cow* cow, int column, int row);
void pickUpHay(Cow* cow, int column, int row);
void pickUpSyringe(Cow* cow, int column, int row);
void takeGrowthPill(Cow* cow, int column, int row);
void vanish(Cow* cow, int column, int row);

void buildSiloRing(int column, int row);
void buildBarnWalls(int column, int row);
void buildPostBlockers(int column, int row);

void enterWater(Cow* cow, int column, int row);
void stepOnDryGround(Cow* cow, int column, int row);
