#include "game/object_kinds.h"

#include "game/actions.h"
#include "game/behaviours.h"
#include "models/draw_behaviours.h"
#include "world/world_grid.h"

ObjectKind objectKind(char kind) {
    switch (kind) {
    case '1': return {drawCow1, doNothingSetup, cowContact, 1.0f, 0};
    case '2': return {drawCow2, doNothingSetup, cowContact, 1.0f, 0};
    case 'T': return {drawTree, doNothingSetup, blockCow, 100.0f, 0};
    case '#': return {drawFence, doNothingSetup, blockCow, 1.0f, 0};
    case 'F': return {drawFence, doNothingSetup, blockCow, 100.0f, 0};
    case '\\': return {drawGate, doNothingSetup, touchGate, 100.0f, 3};
    case '/': return {drawGate, doNothingSetup, touchGate, 100.0f, 3};
    case 'o': return {drawRock, doNothingSetup, blockCow, 1.0f, 0};
    case '*': return {drawHayBale, doNothingSetup, pickUpHay, 1.0f, 0};
    case 'I': return {drawSilo, buildSiloRing, doNothingTouch, 1.0f, 0};
    case 'B': return {drawBarn, buildBarnWalls, doNothingTouch, 10.0f, 0};
    case '+': return {drawPill, doNothingSetup, takeGrowthPill, 1.0f, 0};
    case 'Y': return {drawPill, doNothingSetup, vanish, 1.0f, 0};
    case '@': return {drawPill, doNothingSetup, vanish, 1.0f, 0};
    case '!': return {drawSyringe, doNothingSetup, pickUpSyringe, 1.0f, 0};
    case 's': return {drawNothing, doNothingSetup, blockCow, 20.0f, 0};
    case 'x': return {drawNothing, buildPostBlockers, blockCow, 20.0f, 0};
    default: return {drawDefaultObject, doNothingSetup, doNothingTouch, 0.0f, 0};
    }
}

void initObject(WorldObject& object, char kind, int column, int row) {
    ObjectKind k = objectKind(kind);
    object.kind = kind;
    object.x = static_cast<float>(column);
    object.y = static_cast<float>(row);
    GroundTile* tile = groundAt(column, row);
    object.baseLevel = tile ? tile->standLevel : 0.0f;
    object.draw = k.draw;
    object.setup = k.setup;
    object.touch = k.touch;
    object.height = k.height;
    object.radius = 1.0f;
    object.hitCounter = k.hitCounter;
}

WorldObject* makeObject(char kind, int column, int row) {
    auto* object = new WorldObject;
    initObject(*object, kind, column, row);
    return object;
}

void placeObject(char kind, int column, int row) {
    if (!groundAt(column, row)) return;
    WorldObject*& slot = world.objectGrid[cellIndex(column, row)];
    delete slot;
    slot = makeObject(kind, column, row);
}
