// Steering, turning, speed, the map edge, solid objects and the pushes that
// must never leave a cow without ground.
#include <cmath>

#include "cow_test_helpers.h"
#include "game/actions.h"
#include "game/behaviours.h"

namespace {

class CowMovement : public CowTest {};

TEST_F(CowMovement, CowsStartWithTheirKeysNamesAndDirections) {
    auto rows = field(12, 4);
    put(rows, 2, 1, '~', '1');
    put(rows, 9, 2, '_', '2');
    // Left over from cows grown in an earlier game.
    cow1Scale = kCow1GrownScale;
    cow2Scale = kCow2GrownScale;
    load(rows);
    Cow& a = cow1();
    Cow& b = cow2();
    EXPECT_STREQ(a.name, "Boris");
    EXPECT_STREQ(b.name, "Horace");
    EXPECT_EQ(a.kind, '1');
    EXPECT_EQ(a.dirX, -1.0f);
    EXPECT_EQ(b.dirX, 1.0f);
    EXPECT_EQ(a.dirY, 0.0f);
    EXPECT_EQ(a.x, 2.0f);
    EXPECT_EQ(a.y, 1.0f);
    EXPECT_EQ(a.homeColumn, 2);
    EXPECT_EQ(b.homeRow, 2);
    EXPECT_EQ(a.baseLevel, -0.6f);
    EXPECT_EQ(b.baseLevel, 0.9f);
    EXPECT_EQ(a.groundUnder, groundAt(2, 1));
    EXPECT_EQ(a.rival, &b);
    EXPECT_EQ(b.rival, &a);
    EXPECT_EQ(a.touch, cowContact);
    EXPECT_EQ(a.heldEffect, doNothingTouch);
    // The keys live in the binding table, not in the cow.
    const KeyBindings keys = defaultKeyBindings();
    EXPECT_EQ(keys.cow[kBoris].key[0], 38u);
    EXPECT_EQ(keys.cow[kBoris].key[1], 40u);
    EXPECT_EQ(keys.cow[kBoris].key[2], 37u);
    EXPECT_EQ(keys.cow[kBoris].key[3], 39u);
    EXPECT_EQ(keys.cow[kBoris].key[4], 161u);
    EXPECT_EQ(keys.cow[kBoris].key[5], 163u);
    EXPECT_EQ(keys.cow[kBoris].key[6], 123u);
    EXPECT_EQ(keys.cow[kHorace].key[0], 87u);
    EXPECT_EQ(keys.cow[kHorace].key[1], 83u);
    EXPECT_EQ(keys.cow[kHorace].key[2], 65u);
    EXPECT_EQ(keys.cow[kHorace].key[3], 68u);
    EXPECT_EQ(keys.cow[kHorace].key[4], 160u);
    EXPECT_EQ(keys.cow[kHorace].key[5], 162u);
    EXPECT_EQ(keys.cow[kHorace].key[6], 112u);
    EXPECT_EQ(a.jumpSound, static_cast<uint32_t>(SoundId::Cow1Jump));
    EXPECT_EQ(b.jumpSound, static_cast<uint32_t>(SoundId::Cow2JumpSoundSource));
    for (Cow* c : {&a, &b}) {
        EXPECT_EQ(c->maxSpeed, 0.5f);
        EXPECT_EQ(c->jumpAmplitude, 2.0f);
        EXPECT_EQ(c->stepClearance, 0.3f);
        EXPECT_EQ(c->energy, 100.0f);
        EXPECT_EQ(c->height, 1.0f);
        EXPECT_EQ(c->radius, 1.0f);
        EXPECT_EQ(c->heading, 0);
        EXPECT_EQ(c->speed, 0.0f);
        EXPECT_EQ(c->hayCarried + c->hayStored, 0);
        EXPECT_FALSE(c->jumping || c->attacking || c->stunned || c->grown || c->slowed || c->winner ||
                     c->inWater || c->gateOpen || c->gateBroken);
    }
    // A new game's cows start at their normal size.
    EXPECT_EQ(cow1Scale, kCow1NormalScale);
    EXPECT_EQ(cow2Scale, kCow2NormalScale);
}

TEST_F(CowMovement, SpeedReachesFullOnTheTwelfthFrameAndRunsDownInFourAfterRelease) {
    auto rows = field(40, 4);
    put(rows, 2, 1, '.', '1');
    put(rows, 38, 3, '.', '2');
    load(rows);
    keys.press(vk::Right);
    const double rising[12] = {0.04, 0.09, 0.13, 0.18, 0.22, 0.27, 0.31, 0.35, 0.40, 0.44, 0.49, 0.50};
    for (int i = 0; i < 12; ++i) {
        float before = cow1().x;
        frame();
        EXPECT_NEAR(cow1().x - before, rising[i], 1e-5) << "frame " << i + 1;
        if (i < 11) {
            EXPECT_LT(cow1().speed, 0.5f);
        }
    }
    EXPECT_EQ(cow1().speed, 0.5f);
    EXPECT_EQ(cow1().dirX, 1.0f);
    frames(2);
    keys.releaseAll();
    const double falling[6] = {0.40, 0.31, 0.22, 0.13, 0.0, 0.0};
    for (int i = 0; i < 6; ++i) {
        float before = cow1().x;
        frame();
        EXPECT_NEAR(cow1().x - before, falling[i], 1e-5) << "frame " << i + 1 << " after release";
    }
    EXPECT_EQ(cow1().speed, 0.0f);
    // Without keys the cow keeps its direction.
    EXPECT_EQ(cow1().dirX, 1.0f);
    EXPECT_EQ(cow1().dirY, 0.0f);
}

TEST_F(CowMovement, OppositeKeysAndDiagonals) {
    auto rows = field(30, 30);
    put(rows, 20, 20, '.', '1');
    put(rows, 2, 2, '.', '2');
    load(rows);
    keys.press(vk::Up);
    keys.press(vk::Down);
    frame();
    EXPECT_EQ(cow1().dirY, 1.0f) << "down wins over up";
    EXPECT_EQ(cow1().dirX, 0.0f);
    keys.releaseAll();
    keys.press(vk::Left);
    keys.press(vk::Right);
    frame();
    EXPECT_EQ(cow1().dirX, -1.0f) << "left wins over right";
    EXPECT_EQ(cow1().dirY, 0.0f);
    // Up with left: the full speed along both axes.
    keys.releaseAll();
    keys.press(vk::Up);
    keys.press(vk::Left);
    frames(14);
    float x = cow1().x, y = cow1().y;
    frame();
    EXPECT_NEAR(cow1().x - x, -0.5, 1e-5);
    EXPECT_NEAR(cow1().y - y, -0.5, 1e-5);
}

// Holds exactly the given direction keys of cow 1 and turns once.
int turnOnce(ScriptedKeys& keys, Cow& cow, int heading, unsigned combination) {
    keys.releaseAll();
    if (combination & 1) keys.press(vk::Up);
    if (combination & 2) keys.press(vk::Down);
    if (combination & 4) keys.press(vk::Left);
    if (combination & 8) keys.press(vk::Right);
    cow.heading = heading;
    turnHeading(cow, inputFromKeys(keys, keyBindings.cow[kBoris]));
    return cow.heading;
}

TEST_F(CowMovement, HeadingTurnsBySteppingEighteenDegreesAndRestsPerCombination) {
    auto rows = field(10, 10);
    put(rows, 2, 2, '.', '1');
    put(rows, 7, 7, '.', '2');
    load(rows);
    Cow& cow = cow1();
    // Combination bits: 1 up, 2 down, 4 left, 8 right.
    const struct {
        unsigned keys;
        int rest;
    } rows8[8] = {{1, 270}, {1 | 8, 306}, {1 | 4, 216}, {2, 90}, {2 | 8, 36}, {2 | 4, 126}, {8, 0}, {4, 180}};
    for (const auto& r : rows8) {
        for (int start = 0; start < 360; start += 18) {
            int h = start;
            for (int i = 0; i < 40; ++i) h = turnOnce(keys, cow, h, r.keys);
            EXPECT_EQ(h, r.rest) << "keys " << r.keys << " from " << start;
            // Resting means staying.
            EXPECT_EQ(turnOnce(keys, cow, r.rest, r.keys), r.rest) << "keys " << r.keys;
        }
    }
    // Every combination keeps the heading a multiple of 18 in 0..342; the
    // others (none, three or four keys, opposite keys) leave it alone.
    for (unsigned combination = 0; combination < 16; ++combination) {
        bool turns = false;
        for (const auto& r : rows8) turns |= r.keys == combination;
        for (int start = 0; start < 360; start += 18) {
            int h = turnOnce(keys, cow, start, combination);
            EXPECT_TRUE(h >= 0 && h <= 342 && h % 18 == 0) << combination << " from " << start << " gave " << h;
            if (!turns) {
                EXPECT_EQ(h, start) << "combination " << combination;
            }
        }
    }
    // Left from 0: 18 degrees a frame, 180 after 10 frames.
    int h = 0;
    for (int i = 1; i <= 10; ++i) {
        h = turnOnce(keys, cow, h, 4);
        EXPECT_EQ(h, 18 * i);
    }
    // Up and right from 270 ends at 306 and stays there.
    h = 270;
    for (int i = 0; i < 5; ++i) h = turnOnce(keys, cow, h, 1 | 8);
    EXPECT_EQ(h, 306);
}

TEST_F(CowMovement, OverlapIsStrictAndCountsTheLevels) {
    auto rows = field(12, 6);
    put(rows, 2, 2, '.', '1');
    put(rows, 9, 5, '.', '2');
    put(rows, 6, 2, '.', 'o');
    put(rows, 6, 4, '~', 'o');
    load(rows);
    Cow& cow = cow1();
    WorldObject& rock = *objectAt(6, 2);
    WorldObject& wetRock = *objectAt(6, 4);
    place(cow, 4.01f, 2.5f, 1, 0);
    EXPECT_TRUE(overlaps(cow, rock));
    cow.x = 4.0f;
    EXPECT_FALSE(overlaps(cow, rock)) << "exactly 2 apart does not overlap";
    cow.x = 7.99f;
    EXPECT_TRUE(overlaps(cow, rock));
    cow.x = 8.0f;
    EXPECT_FALSE(overlaps(cow, rock));
    cow.x = 6.5f;
    cow.y = 0.0f;
    EXPECT_FALSE(overlaps(cow, rock));
    // A rock standing in water (top 0.4) lies below a dirt cow's feet plus 0.3.
    place(cow, 6.5f, 3.5f, 0, 1);
    EXPECT_EQ(cow.baseLevel, 0.6f);
    EXPECT_FALSE(overlaps(cow, wetRock));
    // In the air the jump height counts once in the level and once more in the test.
    cow.jumpHeight = 0.35f;
    cow.baseLevel = 0.6f + 0.35f;
    EXPECT_FALSE(overlaps(cow, rock));
    cow.jumpHeight = 0.34f;
    cow.baseLevel = 0.6f + 0.34f;
    cow.y = 2.5f;
    EXPECT_TRUE(overlaps(cow, rock));
    // The probe point is 0.501 ahead of the centre.
    place(cow, 3.49f, 2.5f, 1, 0);
    EXPECT_EQ(probeCell(cow).column, 3);
    cow.x = 3.5f;
    EXPECT_EQ(probeCell(cow).column, 4);
    cow.dirX = -1;
    cow.x = 3.502f;
    EXPECT_EQ(probeCell(cow).column, 3);
    cow.x = 3.5f;
    EXPECT_EQ(probeCell(cow).column, 2);
}

TEST_F(CowMovement, MapEdgesStopTheCowHalfACellShort) {
    auto rows = field(8, 8);
    put(rows, 3, 1, '.', '1');
    put(rows, 5, 6, '.', '2');
    load(rows);
    keys.press(vk::Right);
    frames(30);
    EXPECT_LT(cow1().x + 0.501, 8.0);
    EXPECT_GE(cow1().x + 0.511, 8.0);
    keys.releaseAll();
    keys.press(vk::Left);
    frames(40);
    // Nothing ever reads below column or row 0.
    EXPECT_GE(cow1().x - 0.501, 0.0);
    EXPECT_LT(cow1().x - 0.511, 0.0);
    keys.releaseAll();
    keys.press(vk::Up);
    frames(20);
    EXPECT_GE(cow1().y - 0.501, 0.0);
    EXPECT_LT(cow1().y - 0.511, 0.0);
    // A diagonal into the top edge is pushed back along the diagonal: it stays put.
    float x = cow1().x;
    keys.releaseAll();
    keys.press(vk::Up);
    keys.press(vk::Right);
    frames(10);
    EXPECT_NEAR(cow1().x, x, 0.02);
}

TEST_F(CowMovement, ARockStopsAWalkingCowButNotAJumpingOne) {
    auto rows = field(16, 4);
    put(rows, 2, 1, '.', '1');
    put(rows, 14, 3, '.', '2');
    put(rows, 8, 1, '.', 'o');
    load(rows);
    keys.press(vk::Right);
    frames(25);
    EXPECT_NEAR(cow1().x, 8 - 0.5, 0.02);
    EXPECT_LT(cow1().x + 0.501, 8.0);
    EXPECT_TRUE(cow1().blocked);
    // Pushed back in the last update: no dash can start.
    keys.press(vk::RControl);
    frame();
    EXPECT_FALSE(cow1().attacking);
    EXPECT_EQ(cow1().energy, 100.0f);
    EXPECT_EQ(sounds.plays(SoundId::CowHBSoundSource), 0);

    keys.releaseAll();
    place(cow1(), 4.0f, 1.5f, 1, 0);
    cow1().speed = 0.5f;
    keys.press(vk::Right);
    keys.press(vk::RShift);
    frame();
    keys.release(vk::RShift);
    for (int i = 0; i < 11; ++i) {
        frame();
        EXPECT_FALSE(cow1().blocked) << "frame " << i + 2;
    }
    EXPECT_NEAR(cow1().x, 10.0, 1e-5);
    EXPECT_EQ(objectKindAt(8, 1), 'o');
}

// Dashes and pushes near the end of the map: the cow's centre always stays on
// a cell with ground inside the grids.
TEST_F(CowMovement, PushesNeverLeaveACowWithoutGround) {
    auto rows = field(10, 5);
    put(rows, 8, 1, '.', '1');
    put(rows, 1, 3, '.', '2');
    for (int r = 0; r < 5; ++r) putObject(rows, 5, r, 's');
    load(rows);
    auto onGround = [&](const Cow& c) {
        return groundAt(static_cast<int>(std::floor(c.x)), static_cast<int>(std::floor(c.y))) != nullptr;
    };

    // A dash past the right edge comes back onto the last cell.
    place(cow1(), 9.4f, 1.5f, 1, 0);
    keys.press(vk::RControl);
    frame();
    EXPECT_TRUE(onGround(cow1()));
    EXPECT_LT(cow1().x + 0.501, 10.0);
    // A dash past column 0 finds no ground at negative columns.
    keys.releaseAll();
    frame();
    place(cow2(), 0.6f, 3.5f, -1, 0);
    keys.press(vk::LControl);
    frame();
    EXPECT_TRUE(onGround(cow2()));
    EXPECT_GE(cow2().x - 0.501, 0.0);

    // The push-apart carries the toucher through its rival, but not off the map.
    keys.releaseAll();
    place(cow1(), 1.6f, 3.5f, 1, 0);
    place(cow2(), 0.6f, 3.5f, 1, 0);
    frame();
    EXPECT_TRUE(onGround(cow1()));
    EXPECT_TRUE(onGround(cow2()));
    EXPECT_GE(cow1().x, 0.0f);

    // Backing out of a column of blockers stops at the bottom row.
    place(cow1(), 5.5f, 3.2f, 0, -1);
    place(cow2(), 1.5f, 0.5f, 1, 0);
    frame();
    EXPECT_TRUE(onGround(cow1()));
    EXPECT_LT(cow1().y, 5.0f);
    EXPECT_GT(cow1().y, 4.9f);
}

TEST_F(CowMovement, ADashOverAHoleInARaggedMapEndsOnGround) {
    // The middle line is short: its missing cells have no ground.
    load({". . . . .2. ", ". ", ". .1. . . . "});
    place(cow1(), 1.5f, 2.5f, 0, -1);
    keys.press(vk::RControl);
    frame();
    EXPECT_NE(groundAt(static_cast<int>(cow1().x), static_cast<int>(cow1().y)), nullptr);
    EXPECT_GE(cow1().y, 2.0f);
}

TEST_F(CowMovement, APushThatCannotClearStillEnds) {
    auto rows = field(10, 5);
    put(rows, 4, 2, '.', '1');
    put(rows, 5, 2, '.', '2');
    load(rows);
    // A direction of (0, 0) never comes from the keys; a push along it would
    // never separate the cows.
    cow1().dirX = 0;
    cow1().dirY = 0;
    frame();
    EXPECT_NE(groundAt(static_cast<int>(cow1().x), static_cast<int>(cow1().y)), nullptr);
}

}  // namespace
