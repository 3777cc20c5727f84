#pragma once

#include "world/records.h"

struct ObjectKind {
    DrawBehaviour draw;
    SetupBehaviour setup;
    TouchBehaviour touch;
    float height;
    int32_t hitCounter;
};

// The row of the kind table for this exact character; unlisted characters get
// the decoration row.
ObjectKind objectKind(char kind);

// Fills the WorldObject part of an object (or a cow) from its kind row. The
// ground tile of the cell must already exist: the object stands at its level.
void initObject(WorldObject& object, char kind, int column, int row);

WorldObject* makeObject(char kind, int column, int row);

// Replaces (and releases) whatever object the cell held. Cells outside the
// grids or without ground are skipped, since an object needs its cell's tile.
void placeObject(char kind, int column, int row);
