// The object pass over the visible rectangle: which cells, in what order, with
// what arguments, and the spin angles it advances. Runs without a GL context;
// the GL calls of the pass do nothing there.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "render/camera.h"
#include "render/world_passes.h"
#include "test_support.h"

namespace {

std::vector<std::pair<int, int>> drawn;
void recordDraw(int column, int row) { drawn.emplace_back(column, row); }

class ObjectPass : public WorldTest {
protected:
    void SetUp() override {
        WorldTest::SetUp();
        drawn.clear();
        camera = CameraState{};
    }
    // A 40 x 40 field with cow 1 at (20, 30) and a rock on every cell listed.
    void field(const std::vector<std::pair<int, int>>& rocks) {
        std::vector<std::string> rows(40, std::string(80, ' '));
        for (auto& r : rows)
            for (int c = 0; c < 40; ++c) r[2 * c] = '.';
        rows[30][2 * 20 + 1] = '1';
        rows[39][2 * 39 + 1] = '2';
        for (auto [c, r] : rocks) rows[r][2 * c + 1] = 'o';
        load(rows);
        for (auto [c, r] : rocks) objectAt(c, r)->draw = recordDraw;
    }
};

TEST_F(ObjectPass, RowsOuterColumnsInnerWithinTheRectangle) {
    // Inside: columns 1..30, rows 5..40. Outside: column 0, 31 and row 4.
    field({{25, 6}, {2, 6}, {30, 5}, {1, 39}, {0, 10}, {31, 10}, {20, 4}});
    drawObjects(*world.cow1);
    std::vector<std::pair<int, int>> want = {{30, 5}, {2, 6}, {25, 6}, {1, 39}};
    EXPECT_EQ(drawn, want);
}

TEST_F(ObjectPass, SpinAnglesAdvanceOncePerPassAndDrawGetsTruncatedPosition) {
    field({{21, 25}});
    drawObjects(*world.cow1);
    drawObjects(*world.cow2);
    EXPECT_EQ(camera.haySpinAngle, 2.0f);
    EXPECT_EQ(camera.itemSpinAngle, 2.0f);
    // An object is drawn with its own position, truncated toward zero.
    WorldObject o;
    o.x = 3.99f;
    o.y = 0.7f;
    o.draw = recordDraw;
    drawn.clear();
    drawObject(o);
    o.x = -0.5f;  // toward zero, not down
    drawObject(o);
    std::vector<std::pair<int, int>> want = {{3, 0}, {0, 0}};
    EXPECT_EQ(drawn, want);
}

}  // namespace

namespace {

// A ragged map leaves cells inside the drawn rectangle without ground: both
// passes must step over them (reading the missing tile would crash here).
TEST_F(ObjectPass, CellsWithoutGroundAreSkippedByBothPasses) {
    load({".1. . . . . ", ". ", ". . . . .2. "});
    ASSERT_EQ(groundAt(3, 1), nullptr);
    drawGround(*world.cow1);
    drawObjects(*world.cow1);
    drawGround(*world.cow2);
    EXPECT_TRUE(drawn.empty());
}

}  // namespace
