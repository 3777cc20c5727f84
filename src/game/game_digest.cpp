#include "game/game_digest.h"

#include <cstring>
#include <initializer_list>

#include "game/actions.h"
#include "game/behaviours.h"
#include "game/cow.h"
#include "world/world_grid.h"

void Fnv64::addFloat(float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    add(bits);
}

void Fnv64::bytes(const void* data, unsigned long size) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (unsigned long i = 0; i < size; ++i) add(p[i]);
}

namespace {

// Behaviours by their place in the list of known ones: addresses differ from
// one build to the next, the place does not. One not listed counts as 255.
uint32_t touchIndex(TouchBehaviour f) {
    static const TouchBehaviour known[] = {
        doNothingTouch, blockCow, touchGate, pickUpHay, pickUpSyringe, takeGrowthPill,
        vanish,         cowContact, enterWater, stepOnDryGround, slowEffect,
    };
    if (!f) return 0;
    for (uint32_t i = 0; i < sizeof known / sizeof known[0]; ++i)
        if (known[i] == f) return i + 1;
    return 255;
}

void objectFields(Fnv64& h, const WorldObject& o) {
    h.add(static_cast<unsigned char>(o.kind));
    h.add(touchIndex(o.touch));
    h.add(static_cast<uint32_t>(o.hitCounter));
    h.addFloat(o.x);
    h.addFloat(o.y);
    h.addFloat(o.baseLevel);
    h.addFloat(o.height);
    h.addFloat(o.radius);
}

void cowFields(Fnv64& h, const Cow& c) {
    objectFields(h, c);
    h.add(touchIndex(c.heldEffect));
    for (float f : {c.dirX, c.dirY, c.jumpBase, c.jumpHeight, c.jumpPhase, c.speed, c.prevX, c.prevY, c.maxSpeed,
                    c.jumpAmplitude, c.stepClearance, c.energy, c.dashFrames})
        h.addFloat(f);
    for (int32_t v : {c.heading, c.homeColumn, c.homeRow, c.stunFrames, c.hayCarried, c.hayStored})
        h.add(static_cast<uint32_t>(v));
    for (uint8_t v : {c.inWater, c.leftWater, c.grown, c.slowed, c.stunned, c.winner, c.jumping, c.attacking,
                      c.blocked, c.gateBroken, c.gateOpen})
        h.add(v);
    h.add(c.jumpSound);
    h.add(static_cast<uint32_t>(c.groundUnder ? c.groundUnder->column : -1));
    h.add(static_cast<uint32_t>(c.groundUnder ? c.groundUnder->row : -1));
}

}  // namespace

uint64_t digestGameState() {
    Fnv64 h;
    for (const Cow* c : {world.cow1, world.cow2}) {
        h.add(c ? 1u : 0u);
        if (c) cowFields(h, *c);
    }
    h.addFloat(cow1Scale);
    h.addFloat(cow2Scale);
    for (int column = 0; column < world.usedColumns; ++column)
        for (int row = 0; row < world.usedRows; ++row) {
            const WorldObject* o = world.objectGrid[cellIndex(column, row)];
            if (!o) continue;
            h.add(static_cast<uint32_t>(cellIndex(column, row)));
            objectFields(h, *o);
        }
    return h.value();
}
