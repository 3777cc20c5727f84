#include "world/ground_kinds.h"

#include "assets/texture_tables.h"
#include "game/behaviours.h"

namespace {
struct GroundKind {
    int textureSlot;
    double standBase;
    double surfaceBase;
    StepBehaviour step;
};

GroundKind groundKind(char kind) {
    switch (kind) {
    case '.': return {1, 2, 2, stepOnDryGround};
    case 'E': return {0, 15, 15, doNothing};
    case '_': return {0, 3, 3, stepOnDryGround};
    case 'e': return {0, 10, 10, doNothing};
    case '~': return {2, -2, 1, enterWater};
    default: return {9, 20, 20, doNothing};
    }
}
}  // namespace

GroundTile* makeGroundTile(char kind, int column, int row) {
    GroundKind k = groundKind(kind);
    auto* tile = new GroundTile;
    tile->kind = kind;
    tile->column = column;
    tile->row = row;
    // Textures are loaded before the map, so the name copied here is final.
    tile->texture = tileTextures[k.textureSlot];
    // One base unit is 0.3 world units, multiplied in double then stored.
    tile->standLevel = static_cast<float>(k.standBase * 0.3);
    tile->surfaceHeight = static_cast<float>(k.surfaceBase * 0.3);
    tile->step = k.step;
    return tile;
}
