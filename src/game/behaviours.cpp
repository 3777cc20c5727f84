#include "game/behaviours.h"

#include "audio/sounds.h"
#include "game/actions.h"
#include "game/cow.h"
#include "game/object_kinds.h"
#include "game/push_back.h"
#include "game/rules.h"
#include "world/world_grid.h"

void doNothing(int, int) {}
void doNothing(Cow*, int, int) {}

void blockCow(Cow* cow, int, int) {
    cow->blocked = 1;
    // Whatever stands in the probe cell as the cow backs off, so a cow backing
    // out of one solid cell into another keeps going.
    pushBack(*cow, [&] {
        Cell probe = probeCell(*cow);
        WorldObject* object = objectAt(probe.column, probe.row);
        return object && overlaps(*cow, *object);
    });
}

void touchGate(Cow* cow, int column, int row) {
    WorldObject* gate = objectAt(column, row);
    if (!gate) return;
    Cow* owner = gate->kind == '\\' ? world.cow1 : world.cow2;
    if (cow == owner) {
        owner->gateBroken = 0;
        owner->gateOpen = 1;
        gate->hitCounter = 3;
        playSoundWithoutRestart(SoundId::OpenGate);
    } else if (owner->gateBroken) {
        // Broken open: the rival walks through.
    } else if (cow->attacking) {
        gate->hitCounter -= 1;
        if (gate->hitCounter != 0)
            blockCow(cow, column, row);
        else
            owner->gateBroken = 1;
    } else {
        blockCow(cow, column, row);
        playSoundWithoutRestart(SoundId::ChainJingle);
    }
}

void pickUpHay(Cow* cow, int column, int row) {
    if (cow->hayCarried >= kHayCarryLimit || cow->winner || cow->rival->winner) {
        playSoundWithoutRestart(SoundId::CowFull);
        return;
    }
    cow->hayCarried += 1;
    playSoundWithoutRestart(SoundId::CowChewSoundSource);
    removeObject(column, row);
}

void pickUpSyringe(Cow* cow, int column, int row) {
    playSound(SoundId::SyringePickup);
    cow->heldEffect = slowEffect;
    removeObject(column, row);
}

void takeGrowthPill(Cow* cow, int column, int row) {
    playSound(SoundId::CowGrowSoundSource);
    growCow(*cow);
    removeObject(column, row);
}

void vanish(Cow*, int column, int row) { removeObject(column, row); }

// Blockers are placed only where there is ground: placeObject skips cells
// outside the map and outside the grids.
void buildSiloRing(int c, int r) {
    const int ring[16][2] = {
        {c + 2, r - 1}, {c + 2, r},     {c + 2, r + 1}, {c - 2, r - 1}, {c - 2, r},     {c - 2, r + 1},
        {c - 1, r + 2}, {c, r + 2},     {c + 1, r + 2}, {c - 1, r - 2}, {c, r - 2},     {c + 1, r - 2},
        {c + 1, r + 1}, {c - 1, r + 1}, {c - 1, r - 1}, {c + 1, r - 1},
    };
    for (const auto& cell : ring) placeObject('s', cell[0], cell[1]);
}

void buildBarnWalls(int c, int r) {
    for (int column = c + 4; column >= c - 4; --column) placeObject('s', column, r - 3);
    placeObject('s', c + 4, r - 2);
    placeObject('s', c - 4, r - 2);
    placeObject('s', c + 4, r + 2);
    placeObject('s', c - 4, r + 2);
    for (int column = c + 4; column >= c - 4; --column) placeObject('s', column, r + 3);
}

void buildPostBlockers(int c, int r) {
    const struct {
        int column, row;
        bool insideMap;
    } sides[4] = {
        {c, r + 2, r + 2 <= world.mapHeight - 1},
        {c, r - 2, r - 2 >= 0},
        {c + 2, r, c + 2 <= world.mapWidth - 1},
        {c - 2, r, c - 2 >= 0},
    };
    for (const auto& side : sides) {
        if (!side.insideMap) continue;
        WorldObject* there = objectAt(side.column, side.row);
        if (there && there->kind == 'x') continue;
        placeObject('s', side.column, side.row);
    }
}

void enterWater(Cow* cow, int column, int row) {
    cow->leftWater = 0;
    GroundTile* tile = groundAt(column, row);
    if (!tile) return;
    // The level is the one the cow was last drawn at, so the splash comes one
    // update after the centre crosses onto water, and only once landed.
    if (!cow->inWater && cow->baseLevel <= tile->surfaceHeight) {
        playSound(SoundId::WaterSplash);
        playSound(SoundId::CowSonarSoundSource);
        cow->inWater = 1;
    }
}

void stepOnDryGround(Cow* cow, int, int) {
    cow->inWater = 0;
    if (cow->leftWater) {
        playSound(SoundId::GetOutoftheWater);
        cow->leftWater = 0;
    }
    // Both cows share the water sources.
    if (!cow->rival->inWater) {
        stopSound(SoundId::WaterSplash);
        stopSound(SoundId::CowSonarSoundSource);
    }
}
