// A running digest (FNV-1a, 64 bits, over 32-bit words) of the hidden state a playing frame can
// change: both cows field by field (floats by their bit pattern), the cells
// around them, whole-map sweeps, the model scales and the sounds asked for.
// Long runs fold it after every frame and pin the final value, so any change
// of behaviour anywhere shows up as a different number.
//
// Adding a field to a record: the size checks below stop the build until the
// field is folded in here too (then the pinned values are recomputed once, by
// a commit that says why the behaviour changed).
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "audio/sound_recorder.h"
#include "game/actions.h"
#include "game/behaviours.h"
#include "game/cow.h"
#include "models/draw_behaviours.h"
#include "world/world_grid.h"

static_assert(sizeof(GroundTile) == 32, "GroundTile changed: fold the new field into StateDigest::tile");
static_assert(sizeof(WorldObject) == 64, "WorldObject changed: fold the new field into StateDigest::object");
static_assert(sizeof(Cow) == 200, "Cow changed: fold the new field into StateDigest::cow");

class StateDigest {
public:
    uint64_t value() const { return hash_; }

    // Word by word rather than byte by byte: long runs fold millions of values.
    void add(uint32_t v) {
        hash_ ^= v;
        hash_ *= 0x100000001b3ull;
    }
    void add(uint64_t v) {
        add(static_cast<uint32_t>(v));
        add(static_cast<uint32_t>(v >> 32));
    }
    void add(int32_t v) { add(static_cast<uint32_t>(v)); }
    void add(uint8_t v) { add(static_cast<uint32_t>(v)); }
    void add(char v) { add(static_cast<uint32_t>(static_cast<unsigned char>(v))); }
    void bytes(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) add(static_cast<uint32_t>(p[i]));
    }
    void add(float v) {
        uint32_t bits;
        std::memcpy(&bits, &v, sizeof bits);
        add(bits);
    }
    void add(const std::string& s) {
        add(static_cast<uint32_t>(s.size()));
        bytes(s.data(), s.size());
    }

    // Behaviours by their place in a list of the known ones, since their
    // addresses differ between builds. An unknown one fails the test: add it.
    template <class F>
    void behaviour(F f) {
        if (f == nullptr) return add(0u);
        const std::vector<F>& known = knownBehaviours(f);
        for (size_t i = 0; i < known.size(); ++i)
            if (known[i] == f) return add(static_cast<uint32_t>(i + 1));
        ADD_FAILURE() << "a behaviour the state digest does not know; add it to knownBehaviours";
        add(~0u);
    }

    void tile(const GroundTile* t) {
        if (!t) return add(0u);
        add(1u);
        add(t->kind);
        add(t->texture);
        behaviour(t->step);
        add(t->column);
        add(t->row);
        add(t->standLevel);
        add(t->surfaceHeight);
    }

    void object(const WorldObject* o) {
        if (!o) return add(0u);
        if (o == world.cow1 || o == world.cow2) return add(o == world.cow1 ? 2u : 3u);
        add(1u);
        objectFields(*o);
    }

    void cow(const Cow& c) {
        objectFields(c);
        behaviour(c.heldEffect);
        add(c.dirX);
        add(c.dirY);
        add(c.heading);
        add(c.jumpBase);
        add(c.jumpHeight);
        add(c.jumpPhase);
        add(c.speed);
        add(c.prevX);
        add(c.prevY);
        add(c.homeColumn);
        add(c.homeRow);
        add(c.rival == nullptr ? 0u : c.rival == world.cow1 ? 1u : c.rival == world.cow2 ? 2u : 3u);
        add(c.inWater);
        add(c.leftWater);
        add(c.jumpSound);
        add(c.maxSpeed);
        add(c.jumpAmplitude);
        add(c.stepClearance);
        add(c.energy);
        add(c.grown);
        add(c.slowed);
        add(c.stunned);
        add(c.stunFrames);
        add(c.winner);
        add(c.jumping);
        add(c.attacking);
        add(c.blocked);
        // The tile by its cell: the soak checks it is the tile of that cell.
        add(c.groundUnder ? c.groundUnder->column : -1);
        add(c.groundUnder ? c.groundUnder->row : -1);
        add(c.hayCarried);
        add(c.hayStored);
        add(c.dashFrames);
        add(c.gateBroken);
        add(c.gateOpen);
        bytes(c.name, sizeof c.name);
    }

    void cell(int column, int row) {
        add(column);
        add(row);
        tile(groundAt(column, row));
        object(objectAt(column, row));
    }

    // The objects next to a point: where a frame's touches land (ground
    // tiles never change during play; the sweeps cover them).
    void objectsAround(float x, float y) {
        int c0 = static_cast<int>(std::floor(x));
        int r0 = static_cast<int>(std::floor(y));
        for (int c = c0 - 1; c <= c0 + 1; ++c)
            for (int r = r0 - 1; r <= r0 + 1; ++r) object(objectAt(c, r));
    }

    // Every cell the map reader wrote.
    void wholeMap() {
        add(world.mapWidth);
        add(world.mapHeight);
        add(world.usedColumns);
        add(world.usedRows);
        for (int c = 0; c < world.usedColumns; ++c)
            for (int r = 0; r < world.usedRows; ++r) cell(c, r);
    }

    // What one frame can change, with the world swept only now and then
    // (cheap enough for long runs; a lasting change is caught by the sweep,
    // a passing one by the cells around the cows).
    void frame(long frameNumber, SoundRecorder& sounds) {
        cow(*world.cow1);
        cow(*world.cow2);
        add(cow1Scale);
        add(cow2Scale);
        for (const Cow* c : {world.cow1, world.cow2}) {
            objectsAround(c->x, c->y);
            objectsAround(c->prevX, c->prevY);
        }
        add(static_cast<uint32_t>(sounds.requests.size()));
        for (const SoundRequest& s : sounds.requests) {
            add(static_cast<uint32_t>(s.op));
            add(static_cast<uint32_t>(s.id));
        }
        sounds.clear();
        if (frameNumber % 512 == 0) wholeMap();
    }

private:
    uint64_t hash_ = 0xcbf29ce484222325ull;

    void objectFields(const WorldObject& o) {
        add(o.kind);
        behaviour(o.draw);
        behaviour(o.setup);
        behaviour(o.touch);
        add(o.hitCounter);
        add(o.x);
        add(o.y);
        add(o.baseLevel);
        add(o.height);
        add(o.radius);
    }

    // Draw and setup slots share one function type, as do touch, step and effect.
    static const std::vector<DrawBehaviour>& knownBehaviours(DrawBehaviour) {
        static const std::vector<DrawBehaviour> known = {
            drawCow1, drawCow2, drawTree, drawFence, drawGate, drawRock, drawHayBale,
            drawPill, drawSyringe, drawSilo, drawBarn, drawNothing, drawDefaultObject,
            doNothingSetup, buildSiloRing, buildBarnWalls, buildPostBlockers,
        };
        return known;
    }
    static const std::vector<TouchBehaviour>& knownBehaviours(TouchBehaviour) {
        static const std::vector<TouchBehaviour> known = {
            doNothingTouch, blockCow, touchGate, pickUpHay, pickUpSyringe, takeGrowthPill,
            vanish, cowContact, enterWater, stepOnDryGround, slowEffect,
        };
        return known;
    }
};
