// Which skirts a ground tile gets, how they are stretched, and the map edge.
#include <gtest/gtest.h>

#include "render/ground.h"
#include "test_support.h"

namespace {

NeighbourHeights around(const float* w, const float* e, const float* s, const float* n) { return {w, e, s, n}; }

bool same(const float* a, float x, float y, float z) { return a[0] == x && a[1] == y && a[2] == z; }

TEST(SkirtPlan, OnlyStrictlyLowerNeighboursGetASkirt) {
    const float equal = 0.6f, higher = 0.9f, lower = 0.3f;
    SkirtPlan p = planSkirts(0.6f, around(&equal, &higher, &equal, &higher));
    EXPECT_FALSE(p.west || p.east || p.south || p.north);
    EXPECT_EQ(tileFaces(0.6f, p).count, 1);  // the top alone

    p = planSkirts(0.6f, around(&lower, &equal, nullptr, nullptr));
    EXPECT_TRUE(p.west);
    EXPECT_FALSE(p.east || p.south || p.north);  // missing neighbours are never lower
    EXPECT_EQ(p.widenWest, 0.6f);
    EXPECT_EQ(p.widenSouth, 0.0f);
    // One skirt alone ends square with the cell's edge at both ends.
    TileFaces f = tileFaces(0.6f, p);
    ASSERT_EQ(f.count, 2);
    EXPECT_TRUE(same(f.face[1].vertex[1], -0.6f, 0.0f, 0.0f));
    EXPECT_TRUE(same(f.face[1].vertex[2], -0.6f, 1.0f, 0.0f));
}

TEST(SkirtPlan, TwoLowerAdjacentSidesMeetOnOneDiagonal) {
    const float ground = 0.6f;
    const float h = 1.5f;
    SkirtPlan p = planSkirts(h, around(&ground, nullptr, &ground, nullptr));
    TileFaces f = tileFaces(h, p);
    ASSERT_EQ(f.count, 3);  // top, south, west in that order
    const TileFace& south = f.face[1];
    const TileFace& west = f.face[2];
    // South skirt: (1 + wE, -s, 0), (-wW, -s, 0), (0, 0, h), (1, 0, h).
    EXPECT_TRUE(same(south.vertex[0], 1.0f, -h, 0.0f));
    EXPECT_TRUE(same(south.vertex[1], -h, -h, 0.0f));
    EXPECT_TRUE(same(south.vertex[2], 0.0f, 0.0f, h));
    // West skirt: (0, 0, h), (-s, -wS, 0), (-s, 1 + wN, 0), (0, 1, h).
    EXPECT_TRUE(same(west.vertex[0], 0.0f, 0.0f, h));
    EXPECT_TRUE(same(west.vertex[1], -h, -h, 0.0f));
    EXPECT_TRUE(same(west.vertex[2], -h, 1.0f, 0.0f));
    // Texture once over every face, same order on each.
    for (int i = 0; i < f.count; ++i) {
        EXPECT_EQ(f.face[i].tex[1][0], 1.0f);
        EXPECT_EQ(f.face[i].tex[1][1], 0.0f);
        EXPECT_EQ(f.face[i].tex[3][0], 0.0f);
        EXPECT_EQ(f.face[i].tex[3][1], 1.0f);
    }
}

TEST(SkirtPlan, TopRunsAgainstXAndAllFourSkirtsInOrder) {
    const float zero = 0.0f;
    SkirtPlan p = planSkirts(0.9f, around(&zero, &zero, &zero, &zero));
    TileFaces f = tileFaces(0.9f, p);
    ASSERT_EQ(f.count, 5);
    EXPECT_TRUE(same(f.face[0].vertex[0], 1.0f, 0.0f, 0.9f));  // s = 0 at x = 1
    EXPECT_TRUE(same(f.face[0].vertex[1], 0.0f, 0.0f, 0.9f));
    EXPECT_TRUE(same(f.face[0].vertex[3], 1.0f, 1.0f, 0.9f));
    EXPECT_TRUE(same(f.face[1].vertex[0], 1.9f, -0.9f, 0.0f));   // south foot, widened east
    EXPECT_TRUE(same(f.face[2].vertex[2], -0.9f, 1.9f, 0.0f));   // north foot, widened west
    EXPECT_TRUE(same(f.face[3].vertex[2], -0.9f, 1.9f, 0.0f));   // west foot, widened north
    EXPECT_TRUE(same(f.face[4].vertex[0], 1.9f, -0.9f, 0.0f));   // east foot, widened south
    EXPECT_TRUE(same(f.face[4].vertex[3], 1.9f, 1.9f, 0.0f));
}

class GroundGrid : public WorldTest {};

TEST_F(GroundGrid, EdgeRingGetsNoSkirtOutwardAndTallestKindSpreadsSix) {
    // Row 0 is the first line. 'X' is the default, tallest kind (20 x 0.3).
    load({"X X X X ", "X ~1.2X ", "X . X X ", "X X X X "});
    const GroundTile* corner = groundAt(0, 0);
    ASSERT_NE(corner, nullptr);
    SkirtPlan p = planSkirtsFor(*corner);
    EXPECT_FALSE(p.west || p.east || p.south || p.north);

    const GroundTile* edge = groundAt(0, 1);  // west edge, lower neighbour to the east
    p = planSkirtsFor(*edge);
    EXPECT_TRUE(p.east);
    EXPECT_FALSE(p.west || p.south || p.north);
    EXPECT_FLOAT_EQ(p.reach, 6.0f);
    EXPECT_EQ(p.reach, edge->surfaceHeight);

    const GroundTile* far = groundAt(3, 3);  // high corner of the map
    p = planSkirtsFor(*far);
    EXPECT_FALSE(p.east || p.north || p.west || p.south);

    // Water (0.3) beside dry ground (0.6) and walls: nothing lower, no skirt.
    p = planSkirtsFor(*groundAt(1, 1));
    EXPECT_FALSE(p.west || p.east || p.south || p.north);
    // The dry cell east of the water has it as its west neighbour.
    p = planSkirtsFor(*groundAt(2, 1));
    EXPECT_TRUE(p.west);
    EXPECT_FALSE(p.east || p.south || p.north);
    EXPECT_FLOAT_EQ(p.widenWest, groundAt(2, 1)->surfaceHeight);

    // Two equal raised neighbours: none between them.
    p = planSkirtsFor(*groundAt(2, 2));
    EXPECT_TRUE(p.west);
    EXPECT_TRUE(p.south);
    EXPECT_FALSE(p.east || p.north);
}

TEST_F(GroundGrid, CellsWithoutGroundAreNeverLower) {
    // The first line is short: cells (2,0) and (3,0) have no ground.
    load({"X1.2", "X X X X "});
    const GroundTile* t = groundAt(2, 1);
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(groundAt(2, 0), nullptr);
    SkirtPlan p = planSkirtsFor(*t);
    EXPECT_FALSE(p.south);
    EXPECT_FALSE(p.east || p.west || p.north);
    // The lower dry cell beside the wall does get one.
    p = planSkirtsFor(*groundAt(1, 1));
    EXPECT_TRUE(p.south);
}

}  // namespace
