#include "models/model_rules.h"

#include "assets/texture_tables.h"
#include "world/world_grid.h"

namespace {

// The object at a neighbour cell, null when the cell is empty or lies outside
// the map (the grid beyond the map may hold leftovers of over-long lines).
const WorldObject* neighbourAt(int column, int row) {
    if (column < 0 || row < 0 || column >= world.mapWidth || row >= world.mapHeight) return nullptr;
    return objectAt(column, row);
}

bool isKind(int column, int row, char kind) {
    const WorldObject* o = neighbourAt(column, row);
    return o && o->kind == kind;
}

bool isOther(int column, int row, char kind) {
    const WorldObject* o = neighbourAt(column, row);
    return o && o->kind != kind;
}

}  // namespace

FencePanels fencePanelsAt(int column, int row) {
    FencePanels panels;
    const WorldObject* self = objectAt(column, row);
    if (!self) return panels;
    const char kind = self->kind;
    panels.alongY = isKind(column, row - 1, kind) || isKind(column, row + 1, kind);
    if (!panels.alongY) {
        panels.towardsObject = isOther(column + 1, row, kind) || isOther(column - 1, row, kind);
    }
    panels.towardsFence = isKind(column + 1, row, kind) || isKind(column - 1, row, kind);
    return panels;
}

const Cow* gateOwner(char gateKind) {
    if (gateKind == '\\') return world.cow1;
    if (gateKind == '/') return world.cow2;
    return nullptr;
}

bool gateShownOpen(char gateKind) {
    const Cow* owner = gateOwner(gateKind);
    return owner && (owner->gateOpen || owner->gateBroken);
}

GatePose gatePoseAt(int column, int row) {
    GatePose pose;
    const WorldObject* self = objectAt(column, row);
    if (!self) return pose;
    const char kind = self->kind;
    pose.sameKindRight = isKind(column + 1, row, kind);
    pose.sameKindLeft = isKind(column - 1, row, kind);
    pose.sameKindBelow = isKind(column, row + 1, kind);
    pose.sameKindAbove = isKind(column, row - 1, kind);
    pose.open = gateShownOpen(kind);
    return pose;
}

int pillTextureSlot(char kind) {
    switch (kind) {
    case '+': return tex::BigPill;
    case 'Y': return tex::HeadPill;
    case '@': return tex::Snail;
    default: return -1;
    }
}
