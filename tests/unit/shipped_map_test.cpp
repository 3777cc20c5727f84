// The arenas the game ships with: their shape, their contents, the two yards,
// and that both cows can get at every bale and never off the arena; and what
// is particular to the farm, the default. Everything is checked on the world
// the reader builds (after the setup pass), and the file's own bytes where the
// layout of the text matters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "game/behaviours.h"
#include "world/map_reader.h"
#include "world/world_grid.h"

namespace {

const std::string kMapDir = HOOFBRAWL_SOURCE_DIR "/data/_maps/";

using Cell = std::pair<int, int>;  // column, row

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class ShippedMapTest : public ::testing::TestWithParam<std::string> {
protected:
    std::string bytes;
    std::vector<std::string> lines;  // without their "\n"
    int width = 0;
    int height = 0;

    virtual std::string mapFile() const { return GetParam(); }

    void SetUp() override {
        const std::string path = kMapDir + mapFile();
        bytes = fileBytes(path);
        ASSERT_FALSE(bytes.empty()) << path;
        std::string line;
        for (char c : bytes) {
            if (c == '\n') {
                lines.push_back(line);
                line.clear();
            } else {
                line += c;
            }
        }
        MapLoadResult r = readMapFile(path);
        ASSERT_TRUE(r.ok) << r.message;
        width = world.mapWidth;
        height = world.mapHeight;
    }
    void TearDown() override { releaseWorld(); }

    // The part of the map the title screen shows; the farm lies inside it.
    int firstColumn() const { return 11; }
    int lastColumn() const { return width - 11; }
    int firstRow() const { return 13; }
    int lastRow() const { return height - 10; }
    bool inArena(int c, int r) const {
        return c >= firstColumn() && c <= lastColumn() && r >= firstRow() && r <= lastRow();
    }
    // The half turn about the arena's centre.
    Cell image(int c, int r) const {
        return {firstColumn() + lastColumn() - c, firstRow() + lastRow() - r};
    }
    // The object character as written in the file (before the setup pass);
    // 0 outside the map.
    char written(int c, int r) const {
        if (c < 0 || r < 0 || r >= static_cast<int>(lines.size()) || 2 * c + 1 >= static_cast<int>(lines[r].size()))
            return 0;
        return lines[r][2 * c + 1];
    }

    static char kindAt(int c, int r) {
        WorldObject* o = objectAt(c, r);
        return o ? o->kind : ' ';
    }
    static char ownGate(const Cow* cow) { return cow == world.cow1 ? '\\' : '/'; }

    // A cow on foot: through cells with ground whose object does not push it
    // back; a gate lets only its owner through.
    static bool walkable(const Cow* cow, int c, int r) {
        if (!groundAt(c, r)) return false;
        WorldObject* o = objectAt(c, r);
        if (!o) return true;
        if (o->touch == touchGate) return o->kind == ownGate(cow);
        return o->touch != blockCow;
    }

    static std::set<Cell> flood(Cell start, bool diagonal, const std::function<bool(int, int)>& open) {
        std::set<Cell> seen{start};
        std::vector<Cell> todo{start};
        while (!todo.empty()) {
            auto [c, r] = todo.back();
            todo.pop_back();
            for (int dc = -1; dc <= 1; ++dc) {
                for (int dr = -1; dr <= 1; ++dr) {
                    if ((dc == 0 && dr == 0) || (!diagonal && dc != 0 && dr != 0)) continue;
                    Cell n{c + dc, r + dr};
                    if (seen.count(n) || !open(n.first, n.second)) continue;
                    seen.insert(n);
                    todo.push_back(n);
                }
            }
        }
        return seen;
    }

    static Cell home(const Cow* cow) { return {cow->homeColumn, cow->homeRow}; }

    // The yard: where a cow can go from its home cell without passing any
    // gate or solid object, corner to corner included.
    static std::set<Cell> yard(const Cow* cow) {
        return flood(home(cow), true, [](int c, int r) {
            if (!groundAt(c, r)) return false;
            WorldObject* o = objectAt(c, r);
            return !o || (o->touch != blockCow && o->touch != touchGate);
        });
    }

    static std::vector<Cell> homeArea(const Cow* cow) {
        std::vector<Cell> cells;
        for (int c = cow->homeColumn - 2; c <= cow->homeColumn + 1; ++c)
            for (int r = cow->homeRow - 2; r <= cow->homeRow + 1; ++r) cells.push_back({c, r});
        return cells;
    }
};

// The default arena, on its own.
class FarmMapTest : public ShippedMapTest {
protected:
    std::string mapFile() const override { return "Map02.map"; }
};

TEST_P(ShippedMapTest, FileIsAWellFormedGridOfTheRightSize) {
    EXPECT_GE(width, 50);
    EXPECT_LE(width, 256);
    EXPECT_GE(height, 50);
    EXPECT_LE(height, 256);
    EXPECT_EQ(bytes.back(), '\n') << "the last row needs its line end to count";
    EXPECT_EQ(bytes.find('\r'), std::string::npos);
    ASSERT_EQ(static_cast<int>(lines.size()), height);
    for (size_t r = 0; r < lines.size(); ++r) EXPECT_EQ(lines[r].size(), 2u * width) << "line " << r + 1;

    int ones = 0, twos = 0;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            ones += written(c, r) == '1';
            twos += written(c, r) == '2';
        }
    }
    EXPECT_EQ(ones, 1);
    EXPECT_EQ(twos, 1);
}

TEST_P(ShippedMapTest, MarginOutsideTheTitleViewIsBareMountain) {
    const std::string namedGround = "._eE~";
    int mountains = 0;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            if (inArena(c, r)) continue;
            ++mountains;
            EXPECT_EQ(namedGround.find(groundAt(c, r)->kind), std::string::npos) << c << "," << r;
            EXPECT_EQ(written(c, r), ' ') << c << "," << r;
        }
    }
    EXPECT_GT(mountains, 0);
}

TEST_F(FarmMapTest, EveryGroundAndObjectKindAppears) {
    std::set<char> grounds, objects;
    bool defaultGround = false, decoration = false;
    const std::string namedGround = "._eE~";
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            char g = groundAt(c, r)->kind;
            grounds.insert(g);
            defaultGround |= namedGround.find(g) == std::string::npos;
            objects.insert(written(c, r));
            if (WorldObject* o = objectAt(c, r))
                decoration |= o->touch == doNothingTouch && o->setup == doNothingSetup && o->height == 0.0f;
        }
    }
    for (char g : namedGround) EXPECT_TRUE(grounds.count(g)) << "ground " << g;
    EXPECT_TRUE(defaultGround);
    for (char k : std::string("T#F\\/o*IB+Y@!sx")) EXPECT_TRUE(objects.count(k)) << "object " << k;
    EXPECT_TRUE(decoration) << "no decoration object";
}

TEST_F(FarmMapTest, ArenaIsTheSameFarmFromBothSides) {
    for (int r = firstRow(); r <= lastRow(); ++r) {
        for (int c = firstColumn(); c <= lastColumn(); ++c) {
            auto [ic, ir] = image(c, r);
            EXPECT_EQ(groundAt(c, r)->kind, groundAt(ic, ir)->kind) << c << "," << r;
            char k = kindAt(c, r);
            char swapped = k == '\\' ? '/' : k == '/' ? '\\' : k;
            EXPECT_EQ(swapped, kindAt(ic, ir)) << c << "," << r;
        }
    }
    // The home squares, not the cow characters, are each other's image: the
    // square lies round the home cell's corner.
    std::vector<Cell> area2 = homeArea(world.cow2);
    std::sort(area2.begin(), area2.end());
    std::vector<Cell> turned;
    for (auto [c, r] : homeArea(world.cow1)) turned.push_back(image(c, r));
    std::sort(turned.begin(), turned.end());
    EXPECT_EQ(turned, area2);
}

TEST_P(ShippedMapTest, EachCowStartsInAFencedYardClosedByItsOwnGate) {
    std::set<Cell> yards[2];
    const Cow* cows[2] = {world.cow1, world.cow2};
    for (int i = 0; i < 2; ++i) {
        const Cow* cow = cows[i];
        yards[i] = yard(cow);
        ASSERT_LT(yards[i].size(), 200u) << "yard of cow " << i + 1 << " is not closed";
        for (auto [c, r] : homeArea(cow)) {
            EXPECT_TRUE(yards[i].count({c, r})) << "home cell " << c << "," << r << " outside the yard";
            EXPECT_TRUE(walkable(cow, c, r)) << "home cell " << c << "," << r << " blocked";
        }
        // What closes the yard: fence that cannot be jumped, and the owner's gate.
        int gates = 0;
        for (auto [c, r] : yards[i]) {
            for (Cell n : {Cell{c + 1, r}, Cell{c - 1, r}, Cell{c, r + 1}, Cell{c, r - 1}}) {
                if (yards[i].count(n)) continue;
                char k = kindAt(n.first, n.second);
                EXPECT_TRUE(k == 'F' || k == ownGate(cow)) << "yard wall " << n.first << "," << n.second << " is '" << k << "'";
                gates += k == ownGate(cow);
            }
        }
        EXPECT_GT(gates, 0);
    }
    EXPECT_FALSE(yards[0].count(home(world.cow2)));
    if (mapFile() != "Map02.map") return;
    // The farm's two yards are each other's image.
    std::set<Cell> turned;
    for (auto [c, r] : yards[0]) turned.insert(image(c, r));
    EXPECT_EQ(turned, yards[1]);
}

TEST_P(ShippedMapTest, EnoughHayAndNoneLostToTheSetupPass) {
    int inFile = 0, inWorld = 0;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            inFile += written(c, r) == '*';
            inWorld += kindAt(c, r) == '*';
        }
    }
    // Enough for a winner with some stolen back and forth; the farm has plenty.
    EXPECT_GE(inWorld, mapFile() == "Map02.map" ? 150 : 100);
    EXPECT_EQ(inWorld, inFile);
}

TEST_P(ShippedMapTest, OnlyHayStandsInWater) {
    int water = 0;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            if (groundAt(c, r)->kind != '~') continue;
            ++water;
            EXPECT_TRUE(kindAt(c, r) == ' ' || kindAt(c, r) == '*') << c << "," << r;
        }
    }
    EXPECT_GT(water, 0);
}

TEST_P(ShippedMapTest, BuildingsStandClearOfEverythingElse) {
    int silos = 0, barns = 0;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            if (written(c, r) == 'I') {
                ++silos;
                for (int dc = -2; dc <= 2; ++dc) {
                    for (int dr = -2; dr <= 2; ++dr) {
                        if (dc == 0 && dr == 0) continue;
                        EXPECT_EQ(written(c + dc, r + dr), ' ') << "by the silo at " << c << "," << r;
                    }
                }
            }
            if (written(c, r) != 'B') continue;
            ++barns;
            std::vector<Cell> walls;
            for (int dc = -4; dc <= 4; ++dc) walls.insert(walls.end(), {{c + dc, r - 3}, {c + dc, r + 3}});
            for (int dc : {-4, 4})
                for (int dr : {-2, 2}) walls.push_back({c + dc, r + dr});
            for (auto [wc, wr] : walls) EXPECT_EQ(written(wc, wr), ' ') << "barn wall " << wc << "," << wr;
            for (int dc = -3; dc <= 3; ++dc)
                for (int dr = -2; dr <= 2; ++dr)
                    EXPECT_TRUE(walkable(world.cow1, c + dc, r + dr)) << "inside the barn " << c + dc << "," << r + dr;
            for (const Cow* cow : {world.cow1, world.cow2}) {
                std::set<Cell> reach = flood(home(cow), false, [cow](int x, int y) { return walkable(cow, x, y); });
                for (int dc : {-4, 4})
                    for (int dr = -1; dr <= 1; ++dr)
                        EXPECT_TRUE(reach.count({c + dc, r + dr})) << "barn door " << c + dc << "," << r + dr;
            }
        }
    }
    if (mapFile() == "Map02.map") {
        EXPECT_GE(silos, 1);
        EXPECT_GE(barns, 1);
    }
}

TEST_P(ShippedMapTest, PostsStandInALineThreeApartAndCloseIt) {
    int closedGaps = 0;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            if (written(c, r) != 'x') continue;
            // Whatever a post's blockers would replace must not be anything a cow wants.
            for (Cell n : {Cell{c, r + 2}, Cell{c, r - 2}, Cell{c + 2, r}, Cell{c - 2, r}}) {
                if (n.first < 0 || n.second < 0 || n.first >= width || n.second >= height) continue;
                char k = written(n.first, n.second);
                EXPECT_TRUE(k == ' ' || k == 's' || k == 'x') << "post " << c << "," << r;
            }
            if (c + 3 < width && written(c + 3, r) == 'x' && kindAt(c + 1, r) == 's' && kindAt(c + 2, r) == 's')
                ++closedGaps;
            if (r + 3 < height && written(c, r + 3) == 'x' && kindAt(c, r + 1) == 's' && kindAt(c, r + 2) == 's')
                ++closedGaps;
        }
    }
    if (mapFile() == "Map02.map") {
        EXPECT_GE(closedGaps, 2);
    }
}

TEST_P(ShippedMapTest, BothCowsReachEveryBaleOnFoot) {
    for (const Cow* cow : {world.cow1, world.cow2}) {
        std::set<Cell> reach = flood(home(cow), false, [cow](int c, int r) { return walkable(cow, c, r); });
        int bales = 0;
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                if (kindAt(c, r) != '*') continue;
                ++bales;
                EXPECT_TRUE(reach.count({c, r})) << "cow " << cow->kind << " cannot reach the bale at " << c << "," << r;
            }
        }
        EXPECT_GT(bales, 0);
    }
}

TEST_P(ShippedMapTest, NothingACowCanReachLiesUnderTheMountainSlope) {
    // A mountain tile's skirt spreads as far sideways as the tile is high, so
    // anything within that many cells of it (corners included) is buried
    // under rock on screen.
    const std::string namedGround = "._eE~";
    float tallest = 0.0f;
    std::vector<Cell> mountain;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            const GroundTile* g = groundAt(c, r);
            if (namedGround.find(g->kind) != std::string::npos) continue;
            mountain.push_back({c, r});
            tallest = std::max(tallest, g->surfaceHeight);
        }
    }
    ASSERT_FALSE(mountain.empty());
    const int slope = static_cast<int>(std::ceil(tallest));
    EXPECT_EQ(slope, 6);
    for (const Cow* cow : {world.cow1, world.cow2}) {
        int buried = 0;
        for (auto [c, r] : flood(home(cow), false, [cow](int x, int y) { return walkable(cow, x, y); })) {
            for (auto [mc, mr] : mountain) {
                if (std::max(std::abs(c - mc), std::abs(r - mr)) > slope) continue;
                if (++buried <= 5)
                    ADD_FAILURE() << "cow " << cow->kind << " can walk to " << c << "," << r << ", under the slope of "
                                  << mc << "," << mr;
                break;
            }
        }
        EXPECT_EQ(buried, 0) << "cells under the slope that cow " << cow->kind << " can reach";
    }
}

TEST_P(ShippedMapTest, NoCowCanLeaveTheArena) {
    // Stricter than walking: corner to corner, through every gate (the rival
    // can break one), and over anything low enough to jump from the highest
    // ground of the arena.
    float highest = -100.0f;
    for (int r = firstRow(); r <= lastRow(); ++r)
        for (int c = firstColumn(); c <= lastColumn(); ++c) highest = std::max(highest, groundAt(c, r)->standLevel);
    const Cow* cow = world.cow1;
    float reachUp = highest + 2.0f * cow->jumpAmplitude + cow->stepClearance;
    auto passable = [reachUp](int c, int r) {
        if (!groundAt(c, r)) return false;
        WorldObject* o = objectAt(c, r);
        if (!o || o->touch != blockCow) return true;
        return o->baseLevel + o->height <= reachUp;
    };
    for (const Cow* c : {world.cow1, world.cow2}) {
        for (auto [x, y] : flood(home(c), true, passable))
            ASSERT_TRUE(inArena(x, y)) << "cow " << c->kind << " gets out at " << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(Arenas, ShippedMapTest,
                         ::testing::Values("Map02.map", "Paddock.map", "Wetlands.map"),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             return info.param.substr(0, info.param.find('.'));
                         });

}  // namespace
