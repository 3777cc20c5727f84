// Long runs of random keys for both cows, checking after every frame that the
// world stays sound: finite numbers, cows on ground, values in range, and hay
// neither made nor lost. Every frame's state is also folded into a digest whose
// final value is pinned: a refactoring must leave it unchanged, and a change of
// behaviour changes it (then say why in the commit that pins the new value).
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "game/cow.h"
#include "game/rules.h"
#include "cow_test_helpers.h"
#include "state_digest.h"

namespace {

// Sanitizer builds run the same frames; they are slower but still well within
// a minute, so the count is not scaled down.
constexpr int kShippedMapFrames = 120000;
constexpr int kNewGameEvery = 20000;
constexpr int kBusyMapFrames = 80000;

constexpr const char* kDigestChanged =
    "The game's state took another course somewhere in these frames. A refactoring must not do that; "
    "a deliberate change of behaviour pins the new value here, saying why in its commit. New value: 0x";

const uint32_t kCowKeys[2][8] = {
    {vk::Up, vk::Down, vk::Left, vk::Right, vk::RShift, vk::RControl, vk::F12, 0},
    {vk::W, vk::S, vk::A, vk::D, vk::LShift, vk::LControl, vk::F1, 0},
};

class Soak : public WorldTest {
protected:
    std::mt19937 random{20261207};
    int hayOnMap = 0;
    int hayAtStart = 0;
    int presetStored = 0;  // hay given to the homes at the start, counted as held
    bool won = false;
    long frameNumber = 0;
    StateDigest digest;

    // Players hold a direction for a while and tap the other keys: each cow
    // keeps a steering intent (one of the eight directions, or none, or a
    // clash of opposite keys) that changes now and then, and presses jump,
    // attack and help in short bursts.
    int intent[2] = {0, 0};
    int burst[2][3] = {};

    void shuffleKeys() {
        for (int c = 0; c < 2; ++c) {
            const uint32_t* k = kCowKeys[c];
            if (random() % 100 < 4) intent[c] = static_cast<int>(random() % 16);
            // Intent bits: 1 up, 2 down, 4 left, 8 right; all sixteen occur.
            for (int bit = 0; bit < 4; ++bit) {
                if (intent[c] & (1 << bit))
                    keys.press(k[bit]);
                else
                    keys.release(k[bit]);
            }
            const uint32_t chance[3] = {30, 25, 2};  // per thousand frames: jump, attack, help
            for (int b = 0; b < 3; ++b) {
                if (burst[c][b] == 0 && random() % 1000 < chance[b]) burst[c][b] = 1 + random() % 12;
                if (burst[c][b] > 0) {
                    keys.press(k[4 + b]);
                    --burst[c][b];
                } else {
                    keys.release(k[4 + b]);
                }
            }
        }
    }

    // Only a touch removes hay and nothing places any during play, so the cells
    // that held hay at the start are the ones to watch.
    std::vector<std::pair<int, int>> hayCells;

    int countHay() {
        int n = 0;
        for (const auto& cell : hayCells) {
            WorldObject* o = objectAt(cell.first, cell.second);
            if (o && o->kind == '*') ++n;
        }
        return n;
    }

    void startGame(const std::string& loadWhat, bool fromFile, int storedEach = 0) {
        MapLoadResult r = fromFile ? readMapFile(loadWhat) : readMapFromBytes(loadWhat, "busy.map");
        ASSERT_TRUE(r.ok) << r.message;
        hayCells.clear();
        for (int c = 0; c < kGridSize; ++c)
            for (int row = 0; row < kGridSize; ++row) {
                WorldObject* o = objectAt(c, row);
                if (o && o->kind == '*') hayCells.push_back({c, row});
            }
        hayAtStart = hayOnMap = countHay();
        won = false;
        world.cow1->hayStored = world.cow2->hayStored = storedEach;
        presetStored = 2 * storedEach;
        digest.wholeMap();
        digest.cow(*world.cow1);
        digest.cow(*world.cow2);
    }

    void checkCow(const Cow& cow) {
        SCOPED_TRACE(std::string(cow.name) + " at frame " + std::to_string(frameNumber));
        for (float v : {cow.x, cow.y, cow.speed, cow.maxSpeed, cow.energy, cow.jumpHeight, cow.jumpPhase,
                        cow.baseLevel, cow.jumpBase, cow.dirX, cow.dirY, cow.dashFrames})
            ASSERT_TRUE(std::isfinite(v));
        int column = static_cast<int>(std::floor(cow.x));
        int row = static_cast<int>(std::floor(cow.y));
        ASSERT_TRUE(insideGrid(column, row)) << cow.x << ", " << cow.y;
        ASSERT_NE(groundAt(column, row), nullptr) << cow.x << ", " << cow.y;
        ASSERT_EQ(cow.groundUnder, groundAt(column, row));
        ASSERT_GE(cow.speed, 0.0f);
        // The last climb out of the slow effect may pass 0.5 by a fraction of
        // a step before the top speed is set back; a held key keeps that speed.
        ASSERT_LE(cow.speed, kTopSpeed + kSlowRecoveryStep);
        ASSERT_GE(cow.maxSpeed, kSlowTopSpeed);
        ASSERT_LE(cow.maxSpeed, kTopSpeed + kSlowRecoveryStep);
        ASSERT_GT(cow.energy, -kDashEnergyCost);
        ASSERT_LE(cow.energy, kGrowthPillEnergy);
        ASSERT_TRUE(cow.heading >= 0 && cow.heading < 360 && cow.heading % kTurnStep == 0) << cow.heading;
        ASSERT_TRUE(cow.dirX != 0 || cow.dirY != 0);
        ASSERT_GE(cow.jumpHeight, 0.0f);
        ASSERT_LE(cow.jumpHeight, 2.0f);
        ASSERT_GE(cow.dashFrames, 0.0f);
        ASSERT_LE(cow.dashFrames, kDashFramesPerPress);
        ASSERT_GE(cow.hayCarried, 0);
        ASSERT_LE(cow.hayCarried, kHayCarryLimit);
        ASSERT_GE(cow.hayStored, 0);
        ASSERT_LT(cow.hayStored, kHayToWin);
        if (cow.stunned) {
            ASSERT_GE(cow.stunFrames, 0);
            ASSERT_LE(cow.stunFrames, kKnockedOverCount);
        }
    }

    void checkWorld() {
        checkCow(*world.cow1);
        checkCow(*world.cow2);
        int now = countHay();
        ASSERT_LE(now, hayOnMap) << "a bale came back at frame " << frameNumber;
        hayOnMap = now;
        const Cow& a = *world.cow1;
        const Cow& b = *world.cow2;
        int held = a.hayCarried + a.hayStored + b.hayCarried + b.hayStored;
        if (!won && (a.winner || b.winner)) {
            won = true;
            hayAtStart = hayOnMap;  // from here on, nothing can be picked up
        }
        if (won) {
            ASSERT_EQ(held, 0) << "frame " << frameNumber;
            ASSERT_EQ(hayOnMap, hayAtStart) << "hay picked up after the win, frame " << frameNumber;
        } else {
            ASSERT_EQ(presetStored + hayAtStart - hayOnMap, held) << "frame " << frameNumber;
        }
    }

    // Plays a game's frames with the console captured (the slow effect's
    // notices), folding what was printed and the final map into the digest.
    void playGame(int frames) {
        testing::internal::CaptureStdout();
        play(frames);
        digest.add(testing::internal::GetCapturedStdout());
        digest.wholeMap();
    }

    void play(int frames) {
        for (int i = 0; i < frames; ++i, ++frameNumber) {
            shuffleKeys();
            stepPlayingFrameHeadless();
            checkWorld();
            if (HasFatalFailure()) return;
            digest.frame(frameNumber, sounds);
        }
    }
};

TEST_F(Soak, RandomKeysOnTheShippedMapKeepTheWorldSound) {
    const std::string map = std::string(HOOFBRAWL_SOURCE_DIR) + "/data/_maps/Map02.map";
    int picked = 0;
    for (int played = 0; played < kShippedMapFrames; played += kNewGameEvery) {
        // A new game each time: release everything and read the map again.
        startGame(map, true);
        if (HasFatalFailure()) return;
        int before = hayOnMap;
        playGame(kNewGameEvery);
        if (HasFatalFailure()) return;
        picked += before - hayOnMap;
    }
    RecordProperty("hay_picked_up", picked);
    RecordProperty("state_digest", testing::PrintToString(digest.value()));
    EXPECT_EQ(digest.value(), 0x8e898983de81f939ull) << kDigestChanged << std::hex << digest.value();
}

// A crowded map with every kind of object and ground, so random play meets
// gates, water, pills, syringes and buildings far more often.
TEST_F(Soak, RandomKeysOnACrowdedMapKeepTheWorldSound) {
    auto rows = field(16, 16);
    for (int c = 1; c <= 3; ++c)
        for (int r : {1, 2, 3, 10, 11, 12}) put(rows, c, r, '.', '*');
    for (int c = 5; c <= 8; ++c)
        for (int r = 1; r <= 3; ++r) put(rows, c, r, '~', ' ');
    for (int c = 13; c <= 15; ++c)
        for (int r = 10; r <= 12; ++r) put(rows, c, r, '~', ' ');
    put(rows, 2, 2, '.', '1');
    put(rows, 14, 11, '~', '2');
    put(rows, 6, 2, '~', 'o');
    put(rows, 7, 3, '~', '*');
    put(rows, 9, 1, 'E', ' ');
    put(rows, 9, 2, 'E', ' ');
    put(rows, 9, 3, 'e', ' ');
    put(rows, 11, 1, '.', '!');
    put(rows, 13, 1, '.', '+');
    put(rows, 11, 2, '.', 'Y');
    put(rows, 13, 2, '.', '@');
    put(rows, 5, 4, '.', '\\');
    put(rows, 9, 5, '.', '/');
    for (int c = 9; c <= 11; ++c) put(rows, c, 4, '_', ' ');
    put(rows, 2, 5, '.', '#');
    put(rows, 3, 5, '.', 'o');
    put(rows, 2, 6, '.', '#');
    put(rows, 6, 6, '.', 'x');
    put(rows, 8, 6, '.', 'x');
    put(rows, 12, 6, '.', 'I');
    put(rows, 1, 7, '.', 'T');
    put(rows, 4, 7, '.', 'F');
    put(rows, 4, 9, '.', '+');
    put(rows, 6, 11, '.', '!');
    put(rows, 14, 8, '.', '!');
    put(rows, 8, 13, '.', 'Y');
    put(rows, 8, 12, '.', 'B');
    put(rows, 0, 15, 'X', ' ');
    put(rows, 1, 15, 'X', ' ');
    const std::string text = mapText(rows);
    for (int game = 0; game < 8; ++game) {
        // Most games start close to the win, so that random play reaches it.
        startGame(text, false, game == 0 ? 0 : 45);
        if (HasFatalFailure()) return;
        playGame(kBusyMapFrames / 8);
        if (HasFatalFailure()) return;
    }
    RecordProperty("state_digest", testing::PrintToString(digest.value()));
    EXPECT_EQ(digest.value(), 0xb20cba2a53f0556eull) << kDigestChanged << std::hex << digest.value();
}

}  // namespace
