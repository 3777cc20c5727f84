// PLACEHOLDER(gameplay): cow actions and effects. To be written in full.
#include "game/actions.h"

void jumpStep(Cow&) {}
void dashStep(Cow&) {}
void cowContact(Cow*, int, int) {}
void injectHeldEffect(Cow&) {}
void knockOver(Cow&) {}
void slowEffect(Cow*, int, int) {}
void growCow(Cow&) {}
void shrinkBack(Cow&) {}
void depositHay(Cow&) {}
bool inHomeArea(const Cow&, float, float) { return false; }
