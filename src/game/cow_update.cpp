// PLACEHOLDER(gameplay): the cow's per-frame update. To be written in full.
#include "game/cow.h"

void updateCow(Cow&) {}
void steerFromKeys(Cow&) {}
void turnHeading(Cow&) {}
void accelerateAndMove(Cow&) {}
bool overlaps(const Cow&, const WorldObject&) { return false; }
Cell probeCell(const Cow& cow) { return {static_cast<int>(cow.x), static_cast<int>(cow.y)}; }
