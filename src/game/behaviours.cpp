// PLACEHOLDER(gameplay): object and ground behaviours. To be written in full.
#include "game/behaviours.h"

void doNothing(int, int) {}
void doNothing(Cow*, int, int) {}
void blockCow(Cow*, int, int) {}
void touchGate(Cow*, int, int) {}
void pickUpHay(Cow*, int, int) {}
void pickUpSyringe(Cow*, int, int) {}
void takeGrowthPill(Cow*, int, int) {}
void vanish(Cow*, int, int) {}
void buildSiloRing(int, int) {}
void buildBarnWalls(int, int) {}
void buildPostBlockers(int, int) {}
void enterWater(Cow*, int, int) {}
void stepOnDryGround(Cow*, int, int) {}
