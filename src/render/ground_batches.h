// The ground of the whole map kept as vertex batches, one per texture, so a
// pass draws the visible tiles in a few calls instead of one draw per tile.
#pragma once

#include "render/world_passes.h"

// Draws the tiles of the cells in the range, with the modelview at the world's
// origin and texturing on: the faces tileFaces gives each cell, in the order a
// tile-by-tile drawing would give them, with back faces culled while they are
// drawn. Leaves bound the texture of the last tile in row-by-row order and the
// colour white, as the tile-by-tile drawing did. Rebuilds the batches when the
// map has changed.
void drawGroundBatches(const CellRange& cells);
