// The passes that draw the world around one cow, after the camera is placed:
// ground, objects and the home beams.
#pragma once

#include <cstdint>

#include "render/view_volume.h"
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

// Both cows, skipping one wholly outside the view volume (in the
// modelview's coordinates; null: none skipped) but refreshing its level and
// leaving the state it would have.
void drawCows(const ViewVolume* view);
void drawGround(const Cow& cow);
void drawObjects(const Cow& cow);
// The same, skipping trees, hay and rocks wholly outside the view volume
// (in the modelview's coordinates) but leaving the state they would have.
void drawObjects(const Cow& cow, const ViewVolume* view);

// The state a skippable model leaves for the next object: the parts it sets
// (the rest it leaves as it found them).
enum LeftStatePart : unsigned {
    kLeftColour = 1, kLeftNormal = 2, kLeftTexCoord = 4, kLeftTexture = 8,
    kLeftTexturing = 16, kLeftCulling = 32, kLeftBlending = 64, kLeftDepthTest = 128,
    kLeftEverything = 255
};
struct ModelLeftState {
    bool known = false;
    float colour[4] = {}, normal[3] = {}, texCoord[4] = {};
    uint32_t texture = 0;
    bool texturing = false, culling = false, blending = false, depthTest = false;
};
// Which parts of two states differ (a mask of LeftStatePart).
unsigned leftStateDifferences(const ModelLeftState& a, const ModelLeftState& b);
// Draws each skippable model and cow after two unlike states: the parts it is listed
// as setting must come out the same, the others as they went in. Null when
// all hold, else which model fails. Needs a GL context; draws nothing visible.
const char* checkSkippableModels();
// Calls the object's draw behaviour with its position truncated toward zero.
void drawObject(const WorldObject& object);
// The beams over both cows' home cells.
void drawCowMarkers();
