#include <gtest/gtest.h>

#include "render/title_map_colours.h"

namespace {

const MapColour kWhite = {1.0f, 1.0f, 1.0f};

void expectColour(MapColour got, float r, float g, float b) {
    EXPECT_FLOAT_EQ(got.red, r);
    EXPECT_FLOAT_EQ(got.green, g);
    EXPECT_FLOAT_EQ(got.blue, b);
}

}  // namespace

TEST(TitleMapColours, GroundKinds) {
    expectColour(titleCellColour('_', 0, kWhite), 0.3f, 0.6f, 0.5f);
    expectColour(titleCellColour('.', 0, kWhite), 0.6f, 0.3f, 0.3f);
    expectColour(titleCellColour('~', 0, kWhite), 0.3f, 0.3f, 0.8f);
}

TEST(TitleMapColours, ObjectKindsOverrideTheGround) {
    expectColour(titleCellColour('.', '#', kWhite), 0.4f, 0.1f, 0.1f);
    expectColour(titleCellColour('~', 'F', kWhite), 0.4f, 0.1f, 0.1f);
    expectColour(titleCellColour('_', 'T', kWhite), 0.1f, 0.9f, 0.1f);
    expectColour(titleCellColour('.', '*', kWhite), 1.0f, 0.8f, 0.1f);
    expectColour(titleCellColour('.', 'o', kWhite), 0.7f, 0.7f, 0.7f);
    expectColour(titleCellColour('.', 's', kWhite), 0.0f, 0.0f, 0.0f);
    expectColour(titleCellColour('.', '+', kWhite), 0.8f, 0.8f, 1.0f);
    expectColour(titleCellColour('.', '!', kWhite), 1.0f, 0.8f, 1.0f);
    expectColour(titleCellColour('.', '\\', kWhite), 1.0f, 0.8f, 1.0f);
    expectColour(titleCellColour('.', '/', kWhite), 1.0f, 0.8f, 1.0f);
}

TEST(TitleMapColours, UnlistedKindsCarryThePreviousColourOver) {
    MapColour water = titleCellColour('~', 0, kWhite);
    // An unlisted ground kind with no object, a cell without ground, and an
    // unlisted object (a barn 'B') on unlisted ground all keep what came before.
    expectColour(titleCellColour('E', 0, water), 0.3f, 0.3f, 0.8f);
    expectColour(titleCellColour(0, 0, water), 0.3f, 0.3f, 0.8f);
    expectColour(titleCellColour('e', 'B', water), 0.3f, 0.3f, 0.8f);
    // An unlisted object on listed ground takes the ground's colour.
    expectColour(titleCellColour('_', 'B', water), 0.3f, 0.6f, 0.5f);
    // Before any rule has applied the carried colour is white.
    expectColour(titleCellColour('X', 0, kWhite), 1.0f, 1.0f, 1.0f);
}
