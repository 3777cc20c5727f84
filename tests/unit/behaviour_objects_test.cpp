// The object kind table, the touch behaviours and the set-up of blockers.
#include <set>
#include <utility>

#include "cow_test_helpers.h"
#include "game/actions.h"
#include "game/behaviours.h"
#include "game/object_kinds.h"
#include "models/draw_behaviours.h"

namespace {

using CellSet = std::set<std::pair<int, int>>;

class Behaviours : public CowTest {
protected:
    CellSet cellsHolding(char kind) {
        CellSet out;
        for (int c = 0; c < world.mapWidth; ++c)
            for (int r = 0; r < world.mapHeight; ++r)
                if (objectKindAt(c, r) == kind) out.insert({c, r});
        return out;
    }
    // Lets the cow coast to a stop, then one press of the attack key.
    void dashOnce(uint32_t attackKey) {
        keys.releaseAll();
        frames(8);
        sounds.clear();
        keys.press(attackKey);
        frame();
        keys.releaseAll();
    }
};

TEST_F(Behaviours, KindTableRows) {
    const struct {
        char kind;
        DrawBehaviour draw;
        SetupBehaviour setup;
        TouchBehaviour touch;
        float height;
    } rows[] = {
        {'1', drawCow1, doNothingSetup, cowContact, 1},       {'2', drawCow2, doNothingSetup, cowContact, 1},
        {'T', drawTree, doNothingSetup, blockCow, 100},       {'#', drawFence, doNothingSetup, blockCow, 1},
        {'F', drawFence, doNothingSetup, blockCow, 100},      {'\\', drawGate, doNothingSetup, touchGate, 100},
        {'/', drawGate, doNothingSetup, touchGate, 100},      {'o', drawRock, doNothingSetup, blockCow, 1},
        {'*', drawHayBale, doNothingSetup, pickUpHay, 1},     {'I', drawSilo, buildSiloRing, doNothingTouch, 1},
        {'B', drawBarn, buildBarnWalls, doNothingTouch, 10},  {'+', drawPill, doNothingSetup, takeGrowthPill, 1},
        {'Y', drawPill, doNothingSetup, vanish, 1},           {'@', drawPill, doNothingSetup, vanish, 1},
        {'!', drawSyringe, doNothingSetup, pickUpSyringe, 1}, {'s', drawNothing, doNothingSetup, blockCow, 20},
        {'x', drawNothing, buildPostBlockers, blockCow, 20},  {'i', drawDefaultObject, doNothingSetup, doNothingTouch, 0},
        {'X', drawDefaultObject, doNothingSetup, doNothingTouch, 0},
    };
    for (const auto& r : rows) {
        ObjectKind k = objectKind(r.kind);
        EXPECT_EQ(k.draw, r.draw) << r.kind;
        EXPECT_EQ(k.setup, r.setup) << r.kind;
        EXPECT_EQ(k.touch, r.touch) << r.kind;
        EXPECT_EQ(k.height, r.height) << r.kind;
        if (r.kind == '/' || r.kind == '\\') {
            EXPECT_EQ(k.hitCounter, 3) << r.kind;
        }
    }
    load({"~!.1. ", ". . .2"});
    WorldObject* syringe = objectAt(0, 0);
    ASSERT_NE(syringe, nullptr);
    EXPECT_EQ(syringe->baseLevel, -0.6f);
    EXPECT_EQ(syringe->radius, 1.0f);
    EXPECT_EQ(syringe->x, 0.0f);
}

TEST_F(Behaviours, AGateBlocksTheRivalBreaksOnTheThirdDashAndItsOwnerRepairsIt) {
    auto rows = field(30, 8);
    put(rows, 1, 1, '.', '1');
    put(rows, 28, 6, '.', '2');
    put(rows, 10, 3, '.', '/');  // cow 2's gate
    put(rows, 20, 5, '.', '\\');  // cow 1's gate
    load(rows);
    WorldObject* gate = objectAt(10, 3);
    place(cow1(), 7.5f, 3.5f, 1, 0);
    keys.press(vk::Right);
    frames(10);
    EXPECT_LT(cow1().x + 0.501, 10.0);
    EXPECT_TRUE(cow1().blocked);
    EXPECT_GE(sounds.playsWithoutRestart(SoundId::ChainJingle), 1);
    EXPECT_EQ(sounds.plays(SoundId::ChainJingle), 0);
    EXPECT_EQ(gate->hitCounter, 3);

    sounds.clear();
    dashOnce(vk::RControl);
    EXPECT_EQ(gate->hitCounter, 2);
    EXPECT_LT(cow1().x + 0.501, 10.0);
    dashOnce(vk::RControl);
    EXPECT_EQ(gate->hitCounter, 1);
    EXPECT_EQ(sounds.playsWithoutRestart(SoundId::ChainJingle), 0) << "a dash is not a jingle";
    EXPECT_EQ(sounds.plays(SoundId::CowHBSoundSource), 1);
    EXPECT_FALSE(cow2().gateBroken);
    float before = cow1().x;
    dashOnce(vk::RControl);
    EXPECT_TRUE(cow2().gateBroken);
    EXPECT_EQ(gate->hitCounter, 0);
    EXPECT_NEAR(cow1().x, before + 1, 1e-5) << "the breaking frame does not push back";

    // Broken: the rival walks through.
    keys.press(vk::Right);
    frames(8);
    EXPECT_GT(cow1().x, 12.0f);
    // The owner touching it repairs it.
    keys.releaseAll();
    sounds.clear();
    place(cow1(), 3.5f, 6.5f, 1, 0);
    place(cow2(), 9.6f, 3.5f, 1, 0);
    frame();
    EXPECT_FALSE(cow2().gateBroken);
    EXPECT_TRUE(cow2().gateOpen);
    EXPECT_EQ(gate->hitCounter, 3);
    EXPECT_EQ(sounds.playsWithoutRestart(SoundId::OpenGate), 1);
    EXPECT_EQ(sounds.plays(SoundId::CloseGate), 0);
    // The owner walks through its own gate; gateOpen lasts one update.
    keys.press(vk::D);
    frames(12);
    EXPECT_GT(cow2().x, 12.0f);
    EXPECT_FALSE(cow2().gateOpen);

    // The backslash gate belongs to cow 1: it blocks cow 2 and lets cow 1 by.
    keys.releaseAll();
    place(cow2(), 19.6f, 5.5f, 1, 0);
    frame();
    EXPECT_TRUE(cow2().blocked);
    EXPECT_LT(cow2().x + 0.501, 20.0);
    place(cow2(), 25.5f, 1.5f, 1, 0);
    place(cow1(), 19.6f, 5.5f, 1, 0);
    frame();
    EXPECT_TRUE(cow1().gateOpen);
    EXPECT_FALSE(cow1().blocked);
}

TEST_F(Behaviours, HayIsPickedUpUntilTheCowIsFullAndNeverBlocks) {
    auto rows = field(30, 8);
    put(rows, 1, 1, '.', '1');
    put(rows, 28, 6, '.', '2');
    put(rows, 10, 3, '.', '*');
    put(rows, 10, 5, '.', '*');
    load(rows);
    place(cow1(), 9.6f, 3.5f, 1, 0);
    frame();
    EXPECT_EQ(cow1().hayCarried, 1);
    EXPECT_EQ(objectAt(10, 3), nullptr);
    EXPECT_EQ(sounds.playsWithoutRestart(SoundId::CowChewSoundSource), 1);
    // A full cow hears CowFull in every frame it overlaps, and walks on through.
    cow1().hayCarried = 10;
    place(cow1(), 7.5f, 5.5f, 1, 0);
    keys.press(vk::Right);
    frames(14);
    EXPECT_GT(cow1().x, 11.0f);
    EXPECT_EQ(objectKindAt(10, 5), '*');
    EXPECT_GE(sounds.playsWithoutRestart(SoundId::CowFull), 2);
    EXPECT_EQ(sounds.plays(SoundId::CowFull), 0);
    EXPECT_FALSE(cow1().blocked);
}

TEST_F(Behaviours, SyringesAndPillsAreSingleUse) {
    auto rows = field(30, 8);
    put(rows, 1, 1, '.', '1');
    put(rows, 28, 6, '.', '2');
    put(rows, 8, 3, '.', '!');
    put(rows, 12, 3, '.', '!');
    put(rows, 16, 3, '.', 'Y');
    put(rows, 20, 3, '.', '@');
    put(rows, 24, 3, '.', 'q');
    load(rows);
    place(cow1(), 6.5f, 3.5f, 1, 0);
    keys.press(vk::Right);
    frames(45);
    EXPECT_GT(cow1().x, 25.0f) << "nothing on the way blocks";
    for (int c : {8, 12, 16, 20}) EXPECT_EQ(objectAt(c, 3), nullptr) << c;
    EXPECT_EQ(objectKindAt(24, 3), 'q') << "decorations stay";
    EXPECT_EQ(sounds.plays(SoundId::SyringePickup), 2);
    EXPECT_EQ(cow1().heldEffect, slowEffect);
    EXPECT_FALSE(cow1().grown);
    EXPECT_EQ(cow1().energy, 100.0f);
    // Only the two syringes made a sound.
    EXPECT_EQ(sounds.played().size(), 2u);
}

TEST_F(Behaviours, ASiloRingsItselfWithSixteenBlockers) {
    auto rows = field(9, 9);
    put(rows, 0, 0, '.', '1');
    put(rows, 8, 8, '.', '2');
    put(rows, 4, 4, '.', 'I');
    put(rows, 5, 4, '.', '*');  // a side neighbour: left alone
    put(rows, 6, 6, '.', '*');  // a corner: left alone
    put(rows, 6, 3, '.', '*');  // on the ring: replaced
    load(rows);
    CellSet expected = {{6, 3}, {6, 4}, {6, 5}, {2, 3}, {2, 4}, {2, 5}, {3, 6}, {4, 6},
                        {5, 6}, {3, 2}, {4, 2}, {5, 2}, {5, 5}, {3, 5}, {3, 3}, {5, 3}};
    EXPECT_EQ(cellsHolding('s'), expected);
    EXPECT_EQ(objectKindAt(4, 4), 'I');
    EXPECT_EQ(objectKindAt(5, 4), '*');
    EXPECT_EQ(objectKindAt(6, 6), '*');
    EXPECT_EQ(objectAt(4, 3), nullptr);
}

TEST_F(Behaviours, ABarnOutlinesItselfWithTwentyTwoBlockersAndTwoDoorways) {
    auto rows = field(13, 11);
    put(rows, 0, 0, '.', '1');
    put(rows, 12, 10, '.', '2');
    put(rows, 6, 5, '.', 'B');
    load(rows);
    CellSet expected;
    for (int c = 2; c <= 10; ++c) {
        expected.insert({c, 2});
        expected.insert({c, 8});
    }
    for (int c : {2, 10})
        for (int r : {3, 7}) expected.insert({c, r});
    EXPECT_EQ(expected.size(), 22u);
    EXPECT_EQ(cellsHolding('s'), expected);
    for (int r = 4; r <= 6; ++r) {
        EXPECT_EQ(objectAt(10, r), nullptr);
        EXPECT_EQ(objectAt(2, r), nullptr);
    }
}

TEST_F(Behaviours, BlockersNearTheMapEndAreSkipped) {
    // A silo and a barn at the corner place only what falls inside the map.
    auto rows = field(6, 6);
    put(rows, 0, 0, '.', 'I');
    put(rows, 5, 5, '.', 'B');
    put(rows, 3, 0, '.', '1');
    put(rows, 0, 5, '.', '2');
    load(rows);
    CellSet expected = {{2, 0}, {2, 1}, {1, 2}, {0, 2}, {1, 1},     // the silo's ring inside the map
                        {5, 2}, {4, 2}, {3, 2}, {2, 2}, {1, 2}, {1, 3}};  // the barn's top wall and side
    EXPECT_EQ(cellsHolding('s'), expected);
    EXPECT_EQ(objectAt(3, 0), nullptr);
}

TEST_F(Behaviours, PostsCloseGapsButNeverReplaceEachOther) {
    auto rows = field(7, 5);
    put(rows, 2, 2, '.', 'x');
    put(rows, 4, 2, '.', 'x');
    put(rows, 0, 0, '.', 'x');
    put(rows, 6, 4, '.', '1');
    put(rows, 6, 0, '.', '2');
    load(rows);
    EXPECT_EQ(cellsHolding('x'), (CellSet{{2, 2}, {4, 2}, {0, 0}}));
    CellSet expected = {{2, 4}, {2, 0}, {0, 2}, {4, 4}, {4, 0}, {6, 2}};
    EXPECT_EQ(cellsHolding('s'), expected) << "the corner post only reaches (0,2) and (2,0)";
}

TEST_F(Behaviours, AnObjectRemovedByItsTouchIsGoneFromTheGrid) {
    auto rows = field(12, 4);
    put(rows, 1, 1, '.', '1');
    put(rows, 10, 3, '.', '2');
    put(rows, 5, 1, '.', '*');
    put(rows, 6, 1, '.', '+');
    load(rows);
    place(cow1(), 4.6f, 1.5f, 1, 0);
    frame();
    EXPECT_EQ(objectAt(5, 1), nullptr);
    keys.press(vk::Right);
    frames(8);
    EXPECT_EQ(objectAt(6, 1), nullptr);
    EXPECT_TRUE(cow1().grown);
}

}  // namespace
