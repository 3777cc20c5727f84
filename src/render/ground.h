// One cell of ground drawn as a raised block: a flat top and a sloped skirt
// down to level 0 on every side whose neighbour is lower.
#pragma once

#include "world/records.h"

// Which skirts a tile gets and how far each foot is stretched sideways, so
// that two skirts meeting at a corner share one diagonal edge.
struct SkirtPlan {
    float reach = 0.0f;  // how far a skirt spreads beyond the cell; equals the height
    bool west = false, east = false, south = false, north = false;
    float widenWest = 0.0f, widenEast = 0.0f, widenSouth = 0.0f, widenNorth = 0.0f;
};

// A neighbour that does not exist (beyond the map edge, or a cell the map
// left without ground) is never lower.
struct NeighbourHeights {
    const float* west;
    const float* east;
    const float* south;
    const float* north;
};
SkirtPlan planSkirts(float surfaceHeight, const NeighbourHeights& neighbours);
// The plan for a tile of the world's ground grid.
SkirtPlan planSkirtsFor(const GroundTile& tile);

// The faces of one tile in drawing order (top, south, north, west, east);
// absent skirts are left out. Vertices in the tile's own frame.
struct TileFace {
    float tex[4][2];
    float vertex[4][3];
};
struct TileFaces {
    int count = 0;
    TileFace face[5];
};
TileFaces tileFaces(float surfaceHeight, const SkirtPlan& plan);
