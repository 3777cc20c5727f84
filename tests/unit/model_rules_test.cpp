#include "models/model_rules.h"

#include "assets/texture_tables.h"
#include "test_support.h"

namespace {

class FencePanelsTest : public WorldTest {};

TEST_F(FencePanelsTest, LineAlongXShowsOnePanelAlongXPerCell) {
    load({". . . . . ", ". .#.#.#. ", ".1. . .2. "});
    for (int c = 1; c <= 3; ++c) {
        FencePanels p = fencePanelsAt(c, 1);
        EXPECT_FALSE(p.alongY) << c;
        EXPECT_FALSE(p.towardsObject) << c;
        EXPECT_TRUE(p.towardsFence) << c;
    }
}

TEST_F(FencePanelsTest, LineAlongYShowsTurnedPanelsOnly) {
    load({". .#. . ", ".1.#. . ", ". .#.2. ", ". . . . "});
    for (int r = 0; r <= 2; ++r) {
        FencePanels p = fencePanelsAt(1, r);
        EXPECT_TRUE(p.alongY) << r;
        EXPECT_FALSE(p.towardsFence) << r;
    }
    // A cow's own cell holds no object; the cow beside the fence at (1,1) is
    // not in the grid, so nothing points towards it.
    EXPECT_FALSE(fencePanelsAt(1, 1).towardsObject);
}

TEST_F(FencePanelsTest, LoneFenceShowsNothingEvenWithObjectsAboveOrBelow) {
    load({". . .*. ", ". . .#. ", ". . .T. ", ".1.2. . "});
    FencePanels p = fencePanelsAt(2, 1);
    EXPECT_FALSE(p.alongY);
    EXPECT_FALSE(p.towardsObject);
    EXPECT_FALSE(p.towardsFence);
}

TEST_F(FencePanelsTest, OtherObjectBesideInXGetsAPanelTowardsIt) {
    load({". . . . ", ".T.#. . ", ".1. .2. "});
    EXPECT_TRUE(fencePanelsAt(1, 1).towardsObject);
    EXPECT_FALSE(fencePanelsAt(1, 1).towardsFence);
    releaseWorld();
    load({". . . . ", ". .#.o. ", ".1. .2. "});
    EXPECT_TRUE(fencePanelsAt(1, 1).towardsObject);
}

TEST_F(FencePanelsTest, HashAndTallFenceDoNotJoin) {
    load({". . . . . ", ". .F.F.#. ", ".1. . .2. "});
    // '#' beside 'F' sees another object, not a fence.
    FencePanels hash = fencePanelsAt(3, 1);
    EXPECT_TRUE(hash.towardsObject);
    EXPECT_FALSE(hash.towardsFence);
    // The 'F' beside both: joined to its own kind and pointing at the '#'.
    FencePanels tall = fencePanelsAt(2, 1);
    EXPECT_TRUE(tall.towardsFence);
    EXPECT_TRUE(tall.towardsObject);
    EXPECT_TRUE(fencePanelsAt(1, 1).towardsFence);
    EXPECT_FALSE(fencePanelsAt(1, 1).towardsObject);
}

TEST_F(FencePanelsTest, CrossingShowsBothAndNoPanelTowardsOthers) {
    load({". .#. . ", ".*.#.#. ", ". .#. . ", ".1. .2. "});
    FencePanels p = fencePanelsAt(1, 1);
    EXPECT_TRUE(p.alongY);
    EXPECT_TRUE(p.towardsFence);
    // With a fence above or below, the hay beside it does not add a panel.
    EXPECT_FALSE(p.towardsObject);
}

TEST_F(FencePanelsTest, CellsBeyondTheMapAreNotLookedAt) {
    // The first line runs past the map's width (set by the last complete
    // line), so the grid holds a fence at column 2 outside the map.
    load({".#.#.#", ".1.2", ". . "});
    ASSERT_EQ(world.mapWidth, 2);
    ASSERT_NE(objectAt(2, 0), nullptr);
    FencePanels edge = fencePanelsAt(1, 0);
    EXPECT_TRUE(edge.towardsFence);  // from the fence at column 0
    world.objectGrid[cellIndex(0, 0)]->kind = 'T';
    edge = fencePanelsAt(1, 0);
    EXPECT_FALSE(edge.towardsFence);  // column 2 lies outside and is ignored
    EXPECT_TRUE(edge.towardsObject);
}

class GatePoseTest : public WorldTest {};

TEST_F(GatePoseTest, NeighboursOfTheSameKindTurnTheLeaf) {
    load({". . . . . ", ". .\\.\\. ", ". ./. . ", ". ./. . ", ".1. . .2"});
    GatePose left = gatePoseAt(1, 1);
    EXPECT_TRUE(left.sameKindRight);
    EXPECT_FALSE(left.sameKindLeft);
    EXPECT_FALSE(left.sameKindBelow);  // a '/' below is another gate
    GatePose right = gatePoseAt(2, 1);
    EXPECT_TRUE(right.sameKindLeft);
    EXPECT_FALSE(right.sameKindRight);
    GatePose top = gatePoseAt(1, 2);
    EXPECT_TRUE(top.sameKindBelow);
    EXPECT_FALSE(top.sameKindAbove);
    EXPECT_TRUE(gatePoseAt(1, 3).sameKindAbove);
}

TEST_F(GatePoseTest, AllFourTestsCount) {
    load({". ./. . ", "./././. ", ". ./. . ", ".1. .2. "});
    GatePose p = gatePoseAt(1, 1);
    EXPECT_TRUE(p.sameKindRight);
    EXPECT_TRUE(p.sameKindLeft);
    EXPECT_TRUE(p.sameKindBelow);
    EXPECT_TRUE(p.sameKindAbove);
}

TEST_F(GatePoseTest, EachGateFollowsItsOwnersGate) {
    load({".\\./. ", ".1.2. "});
    EXPECT_FALSE(gatePoseAt(0, 0).open);
    EXPECT_FALSE(gatePoseAt(1, 0).open);

    world.cow1->gateOpen = 1;
    EXPECT_TRUE(gatePoseAt(0, 0).open);
    EXPECT_FALSE(gatePoseAt(1, 0).open);

    world.cow1->gateOpen = 0;
    world.cow2->gateBroken = 1;
    EXPECT_FALSE(gatePoseAt(0, 0).open);
    EXPECT_TRUE(gatePoseAt(1, 0).open);
}

TEST_F(GatePoseTest, MissingOwnerShowsTheGateClosed) {
    load({".\\./. ", ".1.2. "});
    Cow* saved = world.cow1;
    saved->gateOpen = 1;
    world.cow1 = nullptr;
    EXPECT_FALSE(gatePoseAt(0, 0).open);
    world.cow1 = saved;
    EXPECT_TRUE(gatePoseAt(0, 0).open);
}

TEST(PillTexture, KindSelectsItsLabel) {
    EXPECT_EQ(pillTextureSlot('+'), tex::BigPill);
    EXPECT_EQ(pillTextureSlot('Y'), tex::HeadPill);
    EXPECT_EQ(pillTextureSlot('@'), tex::Snail);
    EXPECT_EQ(pillTextureSlot('*'), -1);
}

}  // namespace
