// The passes that draw the world around one cow, after the camera is placed:
// ground, objects and the home beams.
#pragma once

#include "world/records.h"

// The fixed rectangle of cells drawn around a cow: columns and rows from
// first (inclusive) to end (exclusive). It does not turn with the camera.
struct CellRange {
    int firstColumn;
    int endColumn;
    int firstRow;
    int endRow;
};
CellRange visibleCells(float x, float y, int mapWidth, int mapHeight);

void drawGround(const Cow& cow);
void drawObjects(const Cow& cow);
// Calls the object's draw behaviour with its position truncated toward zero.
void drawObject(const WorldObject& object);
// The beams over both cows' home cells.
void drawCowMarkers();
