#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/behaviours.h"
#include "game/object_kinds.h"
#include "test_support.h"

namespace {

class MapReaderTest : public WorldTest {};

TEST_F(MapReaderTest, SizeAndCellCoordinatesFollowTheLines) {
    load({".1. . . ", ". . .2. ", ". .*. . "});
    EXPECT_EQ(world.mapWidth, 4);
    EXPECT_EQ(world.mapHeight, 3);
    ASSERT_NE(objectAt(1, 2), nullptr);
    EXPECT_EQ(objectAt(1, 2)->kind, '*');
    EXPECT_EQ(objectAt(1, 2)->x, 1.0f);
    EXPECT_EQ(objectAt(1, 2)->y, 2.0f);
    EXPECT_EQ(groundAt(3, 2)->column, 3);
    EXPECT_EQ(groundAt(3, 2)->row, 2);
}

TEST_F(MapReaderTest, WidthIsTheLastCompleteLine) {
    load({".1. . . . . ", ".2", ". . . "});
    EXPECT_EQ(world.mapWidth, 3);
    EXPECT_EQ(world.mapHeight, 3);
}

TEST_F(MapReaderTest, CarriageReturnLineFeedReadsAsLineFeed) {
    ASSERT_TRUE(readMapFromBytes(".1. \r\n.2. \r\n", "crlf.map").ok);
    EXPECT_EQ(world.mapWidth, 2);
    EXPECT_EQ(world.mapHeight, 2);
    EXPECT_EQ(groundAt(0, 1)->kind, '.');
    // A lone carriage return is an ordinary ground character.
    ASSERT_TRUE(readMapFromBytes("\r ._.1\n.2. . \n", "cr.map").ok);
    EXPECT_EQ(groundAt(0, 0)->kind, '\r');
    EXPECT_EQ(world.mapWidth, 3);
}

TEST_F(MapReaderTest, CowsHaveHomesRivalsAndNoObjectCell) {
    load({".1. ", "~2. "});
    Cow* c1 = world.cow1;
    Cow* c2 = world.cow2;
    ASSERT_NE(c1, nullptr);
    ASSERT_NE(c2, nullptr);
    EXPECT_EQ(objectAt(0, 0), nullptr);
    EXPECT_EQ(objectAt(0, 1), nullptr);
    EXPECT_EQ(c1->homeColumn, 0);
    EXPECT_EQ(c1->homeRow, 0);
    EXPECT_EQ(c2->homeRow, 1);
    EXPECT_EQ(c1->rival, c2);
    EXPECT_EQ(c2->rival, c1);
    EXPECT_FLOAT_EQ(c1->baseLevel, 0.6f);
    EXPECT_FLOAT_EQ(c2->baseLevel, -0.6f);
    EXPECT_EQ(c2->groundUnder, groundAt(0, 1));
    EXPECT_STREQ(c1->name, "Boris");
    EXPECT_STREQ(c2->name, "Horace");
}

TEST_F(MapReaderTest, GroundKindsTakeTheirHeightsAndSteps) {
    load({".1E e _ ~ X   ", ".2. . . . . . "});
    struct Expect { int column; float stand, surface; StepBehaviour step; };
    const Expect expected[] = {
        {0, 0.6f, 0.6f, stepOnDryGround}, {1, 4.5f, 4.5f, doNothingTouch}, {2, 3.0f, 3.0f, doNothingTouch},
        {3, 0.9f, 0.9f, stepOnDryGround}, {4, -0.6f, 0.3f, enterWater},    {5, 6.0f, 6.0f, doNothingTouch},
        {6, 6.0f, 6.0f, doNothingTouch},
    };
    for (const auto& e : expected) {
        GroundTile* t = groundAt(e.column, 0);
        EXPECT_FLOAT_EQ(t->standLevel, e.stand) << e.column;
        EXPECT_FLOAT_EQ(t->surfaceHeight, e.surface) << e.column;
        EXPECT_EQ(t->step, e.step) << e.column;
    }
    // Stored as the double product cast to float, not a float product.
    EXPECT_EQ(groundAt(0, 0)->standLevel, static_cast<float>(2 * 0.3));
    EXPECT_EQ(groundAt(4, 0)->standLevel, static_cast<float>(-2 * 0.3));
}

TEST_F(MapReaderTest, ObjectsStandAtTheirCellsLevel) {
    load({".1~*.*", ".2. . "});
    EXPECT_FLOAT_EQ(objectAt(1, 0)->baseLevel, -0.6f);
    EXPECT_FLOAT_EQ(objectAt(2, 0)->baseLevel, 0.6f);
}

TEST_F(MapReaderTest, ObjectCharacterIsTakenWhateverItIs) {
    // A "\n" in the object position is an object (decoration row), and the
    // line then pairs up one character later.
    ASSERT_TRUE(readMapFromBytes(".1.\n.2\n", "odd.map").ok);
    ASSERT_NE(objectAt(1, 0), nullptr);
    EXPECT_EQ(objectAt(1, 0)->kind, '\n');
    EXPECT_EQ(objectAt(1, 0)->height, 0.0f);
    EXPECT_EQ(world.mapHeight, 1);
}

TEST_F(MapReaderTest, LastLineWithoutLineFeedIsBuiltButNotCounted) {
    ASSERT_TRUE(readMapFromBytes(".1. \n.2.*", "tail.map").ok);
    EXPECT_EQ(world.mapHeight, 1);
    EXPECT_EQ(world.mapWidth, 2);
    ASSERT_NE(groundAt(1, 1), nullptr);
    EXPECT_EQ(objectAt(1, 1)->kind, '*');
    // Released like every other record: the next read leaves nothing behind.
    ASSERT_TRUE(readMapFromBytes(".1.2\n", "small.map").ok);
    EXPECT_EQ(groundAt(1, 1), nullptr);
    EXPECT_EQ(objectAt(1, 1), nullptr);
}

TEST_F(MapReaderTest, BrokenMapsAreRefusedWithTheirReasonAndLeaveNothing) {
    std::string longLine(2 * 257, '.');
    longLine[1] = '1';
    longLine[3] = '2';
    struct Case { std::string text; std::string mustSay; };
    std::string manyLines = ".1.2\n";
    for (int i = 0; i < 256; ++i) manyLines += ". . \n";
    std::string manyEmpty = ".1.2\n" + std::string(300, '\n');
    const Case cases[] = {
        {longLine + "\n", "line 1 has more than 256 cells"},
        {manyLines, "more than 256 lines"},
        {manyEmpty, "more than 256 lines"},
        {". . \n", "no cow '1' and no cow '2'"},
        {".1. \n", "no cow '2'"},
        {".2. \n", "no cow '1'"},
        {".1.2\n.1. \n", "cow '1' is placed twice (lines 1 and 2)"},
        {"", "no cow '1' and no cow '2'"},
    };
    for (const auto& c : cases) {
        MapLoadResult r = readMapFromBytes(c.text, "bad.map");
        EXPECT_FALSE(r.ok);
        EXPECT_NE(r.message.find("bad.map"), std::string::npos) << r.message;
        EXPECT_NE(r.message.find(c.mustSay), std::string::npos) << r.message;
        EXPECT_EQ(world.cow1, nullptr);
        EXPECT_EQ(world.cow2, nullptr);
        EXPECT_EQ(groundAt(0, 0), nullptr);
    }
}

TEST_F(MapReaderTest, MapsWithoutCellsToPlayAreRefusedWithWhatToDo) {
    // The shipped farm with one empty line after its last row: its width
    // would come from the empty line.
    std::ifstream in(HOOFBRAWL_SOURCE_DIR "/data/_maps/Map02.map", std::ios::binary);
    std::string farm((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(farm.empty());
    const std::string lastLine = std::to_string(std::count(farm.begin(), farm.end(), '\n') + 1);
    struct Case { std::string text; std::vector<std::string> mustSay; };
    const Case cases[] = {
        {farm + "\n", {"line " + lastLine + " is empty", "width", "last line", "remove the empty line " + lastLine}},
        {".1.2\r\n\r\n", {"line 2 is empty", "remove the empty line 2"}},
        {".1.2\n\n. ", {"line 2 is empty"}},  // an unfinished line after it changes nothing
        {".1.2", {"line 1 does not end with a line feed", "0 x 0", "the last one too"}},
        {". .1. .2. . ", {"line 1 does not end with a line feed"}},
    };
    for (const auto& c : cases) {
        MapLoadResult r = readMapFromBytes(c.text, "bad.map");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message.rfind("bad.map: ", 0), 0u) << r.message;
        EXPECT_EQ(r.message.find('\n'), std::string::npos) << r.message;
        for (const auto& words : c.mustSay) EXPECT_NE(r.message.find(words), std::string::npos) << r.message;
        EXPECT_EQ(world.cow1, nullptr);
        EXPECT_EQ(groundAt(0, 0), nullptr);
    }
    // Only the last complete line sets the width: an empty line inside the
    // map is read as before.
    ASSERT_TRUE(readMapFromBytes(".1.2\n\n. . \n", "inner.map").ok);
    EXPECT_EQ(world.mapWidth, 2);
    EXPECT_EQ(world.mapHeight, 3);
    ASSERT_TRUE(readMapFromBytes(farm, "farm.map").ok);
}

TEST_F(MapReaderTest, ExactlyTheLimitsAreAccepted) {
    std::string line(2 * 256, '.');
    for (size_t i = 1; i < line.size(); i += 2) line[i] = ' ';
    std::string text = ".1.2" + line.substr(4) + "\n";
    for (int i = 1; i < 256; ++i) text += line + "\n";
    ASSERT_TRUE(readMapFromBytes(text, "full.map").ok);
    EXPECT_EQ(world.mapWidth, 256);
    EXPECT_EQ(world.mapHeight, 256);
    EXPECT_NE(groundAt(255, 255), nullptr);
}

TEST_F(MapReaderTest, MissingFileIsReportedWithItsName) {
    MapLoadResult r = readMapFile("/nonexistent/dir/Map02.map");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("/nonexistent/dir/Map02.map"), std::string::npos);
    EXPECT_NE(r.message.find("No such file"), std::string::npos);
}

TEST_F(MapReaderTest, ReadingADirectoryFails) {
    MapLoadResult r = readMapFile("/tmp");
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.message.find("/tmp"), std::string::npos);
}

TEST_F(MapReaderTest, RepeatedNewGamesReleaseEverything) {
    // Run under LeakSanitizer in CI: 200 rebuilds must not leak, and no cell
    // may keep pointing at a released record.
    std::vector<std::string> rows = {".1.*.T.o", ".!.+~ .2", ".#.#.I.x"};
    for (int i = 0; i < 200; ++i) load(rows);
    releaseWorld();
    for (int c = 0; c < kGridSize; ++c)
        for (int r = 0; r < kGridSize; ++r) {
            ASSERT_EQ(groundAt(c, r), nullptr);
            ASSERT_EQ(objectAt(c, r), nullptr);
        }
}

TEST_F(MapReaderTest, GridLookupsOutsideTheGridsAreEmpty) {
    load({".1.2"});
    EXPECT_EQ(groundAt(-1, 0), nullptr);
    EXPECT_EQ(groundAt(0, -1), nullptr);
    EXPECT_EQ(groundAt(256, 0), nullptr);
    EXPECT_EQ(objectAt(0, 256), nullptr);
    placeObject('*', -3, 0);
    placeObject('*', 5, 0);  // no ground there
    EXPECT_EQ(objectAt(5, 0), nullptr);
}

}  // namespace
