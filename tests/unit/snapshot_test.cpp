// Snapshots are exact: from any step, save, step, restore and step again must
// give the same state and ask for the same sounds. Checked over a long match of
// random play on the shipped map, where hay is taken, cows are knocked over,
// gates are broken and the game is won.
#include <random>
#include <string>

#include "cow_test_helpers.h"
#include "game/game_digest.h"
#include "game/snapshot.h"

namespace {

class Snapshots : public CowTest {
protected:
    std::mt19937 random{7};
    int intent[2] = {0, 0};

    // Players hold a direction for a while and tap the rest now and then.
    StepInput randomInput() {
        StepInput in;
        for (int c = 0; c < 2; ++c) {
            if (random() % 100 < 5) intent[c] = static_cast<int>(random() % 16);
            in.cow[c].bits = static_cast<uint8_t>(intent[c]);
            if (random() % 100 < 4) in.cow[c].set(CowAction::Jump);
            if (random() % 100 < 6) in.cow[c].set(CowAction::Attack);
            if (random() % 1000 < 3) in.cow[c].set(CowAction::Help);
        }
        return in;
    }
};

TEST_F(Snapshots, SaveStepRestoreStepGivesTheSameStateAndSounds) {
    MapLoadResult r = readMapFile(std::string(HOOFBRAWL_SOURCE_DIR) + "/data/_maps/Map02.map");
    ASSERT_TRUE(r.ok) << r.message;
    // Give the homes most of a win, so random play reaches one.
    cow1().hayStored = 58;
    cow2().hayStored = 58;
    GameSnapshot before;
    int objectsAtStart = 0;
    for (int c = 0; c < world.usedColumns; ++c)
        for (int row = 0; row < world.usedRows; ++row) objectsAtStart += objectAt(c, row) != nullptr;
    bool someoneWon = false;
    const int steps = 20000;
    for (int step = 0; step < steps; ++step) {
        const StepInput in = randomInput();
        saveGame(before);
        sounds.clear();
        stepPlayingFrame(in);
        const uint64_t first = digestGameState();
        const auto firstSounds = sounds.requests;

        restoreGame(before);
        sounds.clear();
        stepPlayingFrame(in);
        ASSERT_EQ(digestGameState(), first) << "step " << step;
        ASSERT_EQ(sounds.requests, firstSounds) << "step " << step;
        someoneWon = someoneWon || cow1().winner || cow2().winner;
    }
    int objectsNow = 0;
    for (int c = 0; c < world.usedColumns; ++c)
        for (int row = 0; row < world.usedRows; ++row) objectsNow += objectAt(c, row) != nullptr;
    EXPECT_LT(objectsNow, objectsAtStart) << "the match should have taken some hay";
    EXPECT_TRUE(someoneWon) << "the match should have reached a win";
}

// Restoring an early snapshot late in a match brings back what was taken and
// replays to the very same state.
TEST_F(Snapshots, AnEarlySnapshotReplaysToTheSameLateState) {
    MapLoadResult r = readMapFile(std::string(HOOFBRAWL_SOURCE_DIR) + "/data/_maps/Map02.map");
    ASSERT_TRUE(r.ok) << r.message;
    GameSnapshot start;
    saveGame(start);
    const uint64_t startDigest = digestGameState();
    std::vector<StepInput> inputs;
    for (int step = 0; step < 3000; ++step) inputs.push_back(randomInput());
    for (const StepInput& in : inputs) stepPlayingFrame(in);
    const uint64_t end = digestGameState();
    ASSERT_NE(end, startDigest);

    restoreGame(start);
    EXPECT_EQ(digestGameState(), startDigest);
    for (const StepInput& in : inputs) stepPlayingFrame(in);
    EXPECT_EQ(digestGameState(), end);
}

}  // namespace
