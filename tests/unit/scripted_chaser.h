// The opponent the hard computer player is measured against: it heads
// straight for its rival, with no way-finding, and headbutts whenever it is
// within three and a half cells, letting the key go every other step so that
// each press starts a new lunge. Nothing else: it gathers only the hay it
// walks over. Its seed sets only when it sets off (up to sixteen steps late)
// and which steps it presses on, so that twenty games are twenty games and
// not two played ten times over. Shared by the unit test and the benchmark.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "game/input_source.h"
#include "world/world_grid.h"

class ScriptedChaser : public InputSource {
public:
    explicit ScriptedChaser(uint64_t seed = 0)
        : wait_(static_cast<int>(seed % 17)), beat_(static_cast<int>(seed / 17 % 2)) {}

    CowInput next(int cow) override {
        CowInput in;
        if (wait_ > 0) {
            --wait_;
            return in;
        }
        const Cow& me = cow == kBoris ? *world.cow1 : *world.cow2;
        const Cow& rival = *me.rival;
        const float dx = rival.x - me.x, dy = rival.y - me.y;
        if (dx > 0.5f) in.set(CowAction::Right);
        if (dx < -0.5f) in.set(CowAction::Left);
        if (dy > 0.5f) in.set(CowAction::Down);
        if (dy < -0.5f) in.set(CowAction::Up);
        if (std::fabs(dx) < 3.5f && std::fabs(dy) < 3.5f && ++beat_ % 2 == 0) in.set(CowAction::Attack);
        return in;
    }
    std::string name() const override { return "chaser"; }

private:
    int wait_;
    int beat_;
};
