// The decisions the models take from the object grid and the cows, kept apart
// from the drawing so that they can be checked without a screen.
#pragma once

#include "world/records.h"

// Which fence panels a fence cell shows. The matching kind is the cell's own
// character: '#' joins only '#', 'F' only 'F'; anything else is "another
// object". Neighbours beyond the map's edge are not looked at.
struct FencePanels {
    bool alongY = false;          // a fence above or below: panel turned 90 degrees
    bool towardsObject = false;   // no fence above or below, another object beside in x
    bool towardsFence = false;    // a fence beside in x
};
FencePanels fencePanelsAt(int column, int row);

// How a gate leaf is posed, from same-kind neighbours (all four tests count
// and their transforms accumulate) and its owner's gate state.
struct GatePose {
    bool sameKindRight = false;  // (x+1, y)
    bool sameKindLeft = false;   // (x-1, y)
    bool sameKindBelow = false;  // (x, y+1)
    bool sameKindAbove = false;  // (x, y-1)
    bool open = false;
};
GatePose gatePoseAt(int column, int row);

// A gate kind's owner: '\' belongs to cow 1, '/' to cow 2; null otherwise or
// while the slot is empty.
const Cow* gateOwner(char gateKind);
bool gateShownOpen(char gateKind);

// The object texture slot of a pill kind, or -1 for a kind that is no pill.
int pillTextureSlot(char kind);
