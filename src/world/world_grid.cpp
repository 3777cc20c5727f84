#include "world/world_grid.h"

WorldGrid world;

GroundTile* groundAt(int column, int row) {
    return insideGrid(column, row) ? world.groundGrid[cellIndex(column, row)] : nullptr;
}

WorldObject* objectAt(int column, int row) {
    return insideGrid(column, row) ? world.objectGrid[cellIndex(column, row)] : nullptr;
}

void removeObject(int column, int row) {
    if (!insideGrid(column, row)) return;
    WorldObject*& slot = world.objectGrid[cellIndex(column, row)];
    delete slot;
    slot = nullptr;
}

void releaseWorld() {
    for (int column = 0; column < world.usedColumns; ++column) {
        for (int row = 0; row < world.usedRows; ++row) {
            int i = cellIndex(column, row);
            delete world.groundGrid[i];
            world.groundGrid[i] = nullptr;
            delete world.objectGrid[i];
            world.objectGrid[i] = nullptr;
        }
    }
    delete world.cow1;
    delete world.cow2;
    world.cow1 = nullptr;
    world.cow2 = nullptr;
    world.usedColumns = 0;
    world.usedRows = 0;
}
