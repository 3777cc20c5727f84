// The one world of the process: both grids, the map size and the two cows.
#pragma once

#include "world/records.h"

constexpr int kGridSize = 256;

struct WorldGrid {
    GroundTile* groundGrid[kGridSize * kGridSize] = {};
    WorldObject* objectGrid[kGridSize * kGridSize] = {};
    int32_t mapWidth = 0;
    int32_t mapHeight = 0;
    Cow* cow1 = nullptr;
    Cow* cow2 = nullptr;
    // How far the reader wrote, so that a release reaches every record it made,
    // including cells of over-long lines and of a last line without "\n".
    int32_t usedColumns = 0;
    int32_t usedRows = 0;
};

extern WorldGrid world;

inline bool insideGrid(int column, int row) {
    return column >= 0 && row >= 0 && column < kGridSize && row < kGridSize;
}
inline int cellIndex(int column, int row) { return column * kGridSize + row; }

// Null for cells outside the grids: such cells count as cells without ground.
GroundTile* groundAt(int column, int row);
WorldObject* objectAt(int column, int row);

// Empties the cell and releases its object.
void removeObject(int column, int row);

// Releases every tile, object and both cows and clears every cell.
void releaseWorld();
