// The real game on both sides of an in-memory link: two worlds in one
// process, each side's kept in a snapshot and put back for its steps.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "game/cow.h"
#include "game/game_digest.h"
#include "game/snapshot.h"
#include "game/step.h"
#include "net/memory_link.h"
#include "net_test_side.h"
#include "test_support.h"

namespace {

using nettest::config;
using nettest::Side;

class RealGameMatch : public WorldTest {
protected:
    std::string map;
    GameSnapshot snap[2];
    std::unique_ptr<MemoryNetwork> net;
    std::unique_ptr<Side> side[2];
    int64_t now = 0;
    int64_t bendAfter[2] = {-1, -1};

    void SetUp() override {
        WorldTest::SetUp();
        const MapLoadResult r = readMapFile(std::string(HOOFBRAWL_SOURCE_DIR) + "/data/_maps/Map02.map");
        ASSERT_TRUE(r.ok) << r.message;
        saveGame(snap[0]);
        saveGame(snap[1]);
    }
    void start(LinkConditions link) {
        net = std::make_unique<MemoryNetwork>(link);
        MemoryTransport& a = net->addEndpoint();
        MemoryTransport& b = net->addEndpoint();
        side[0] = std::make_unique<Side>(a, config(true), 101, 0);
        side[1] = std::make_unique<Side>(b, config(false), 202, 23);
        for (int i = 0; i < 2; ++i) {
            side[i]->game = [this, i](const StepInput& in) {
                restoreGame(snap[i]);
                stepPlayingFrame(in);
                if (side[i]->session.stepsRun() == bendAfter[i]) {
                    // One bit of Horace's position, the lowest.
                    uint32_t bits;
                    std::memcpy(&bits, &world.cow2->x, sizeof bits);
                    bits ^= 1;
                    std::memcpy(&world.cow2->x, &bits, sizeof bits);
                }
                saveGame(snap[i]);
                return digestGameState();
            };
        }
        net->connect(b, a);
    }
    bool bothPlaying() const { return side[0]->session.playing() && side[1]->session.playing(); }
    void runUntil(int64_t steps) {
        for (int i = 0; i < 5000 && !bothPlaying(); ++i, ++now) tick();
        while (bothPlaying() && (side[0]->session.stepsRun() < steps || side[1]->session.stepsRun() < steps) &&
               now < 600000) {
            tick();
            ++now;
        }
    }
    void tick() {
        side[0]->tick(now);
        side[1]->tick(now);
    }
};

TEST_F(RealGameMatch, ABadLinkPlaysTheSameGameAsOneMachineWould) {
    LinkConditions bad;
    bad.delayMs = 40;
    bad.jitterMs = 10;
    bad.loss = 0.05;
    bad.duplicate = 0.05;
    bad.reorder = 0.1;
    bad.seed = 99;
    start(bad);
    for (auto& s : side) s->stopAt = 600;
    runUntil(600);
    ASSERT_TRUE(bothPlaying()) << side[0]->session.endMessage() << side[1]->session.endMessage();
    ASSERT_EQ(side[0]->session.stepsRun(), 600);
    ASSERT_EQ(side[1]->session.stepsRun(), 600);
    EXPECT_EQ(side[0]->state, side[1]->state);
    EXPECT_EQ(side[0]->session.history(), side[1]->session.history());

    // The same records on one machine give the same game.
    releaseWorld();
    ASSERT_TRUE(readMapFile(std::string(HOOFBRAWL_SOURCE_DIR) + "/data/_maps/Map02.map").ok);
    for (const StepInput& in : side[0]->session.history()) stepPlayingFrame(in);
    EXPECT_EQ(digestGameState(), side[0]->state);
    // And the cows did move: the records were not all empty.
    int moving = 0;
    for (const StepInput& in : side[0]->session.history()) moving += in.cow[0].bits != 0 && in.cow[1].bits != 0;
    EXPECT_GT(moving, 100);
}

TEST_F(RealGameMatch, ABitFlippedInOneWorldStopsBothWithinTenSteps) {
    LinkConditions link;
    link.delayMs = 25;
    link.jitterMs = 5;
    link.loss = 0.05;
    start(link);
    bendAfter[1] = 253;
    runUntil(400);
    for (int i = 0; i < 300; ++i, ++now) tick();
    for (auto& s : side) {
        EXPECT_EQ(s->session.end(), LockstepSession::End::OutOfSync);
        EXPECT_EQ(s->session.endMessage(), "Out of sync at step 260");
    }
}

}  // namespace

#include "net/sim_check.h"

namespace {

TEST(SimulationCheck, TheTestMatchGivesOneDigestAndLeavesTheWorldEmpty) {
    const uint64_t first = simulationCheckDigest();
    EXPECT_EQ(world.cow1, nullptr);
    EXPECT_EQ(world.cow2, nullptr);
    EXPECT_EQ(simulationCheckDigest(), first);
    // 0 would mean its map no longer loads: every build would agree on it.
    EXPECT_NE(first, 0u);
}

}  // namespace

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/match_record.h"
#include "audio/sound_recorder.h"
#include "game/replay.h"
#include "world/world_grid.h"

namespace {

// What an out-of-sync match leaves: a replay of the map and every step's two
// records in a new file of the replay directory, whose name is given back and
// which checks as this machine's game; an unusable directory is said.
TEST(MatchRecord, BothPlayersInputsAreSavedAsAReplayNamedBack) {
    SoundRecorder sounds;
    setSoundSink(&sounds);
    const char* before = std::getenv("XDG_DATA_HOME");
    const std::string keep = before ? before : "";
    char dir[] = "/tmp/hoofbrawl-record-XXXXXX";
    ASSERT_NE(mkdtemp(dir), nullptr);
    setenv("XDG_DATA_HOME", dir, 1);
    MatchRecord r;
    r.mapText = ". . . . . . \n. .1. . .2. \n. . . * * . \n. . . . . . \n";
    r.localCow = 1;
    r.outOfSyncAt = 340;
    for (int i = 0; i < 345; ++i) {
        StepInput in;
        in.cow[0].bits = static_cast<uint8_t>((i / 20) & 0x3f);
        in.cow[1].bits = static_cast<uint8_t>((i / 30 * 3) & 0x3f);
        r.steps.push_back(in);
    }
    std::string error;
    const std::string path = saveMatchRecord(r, error);
    ASSERT_FALSE(path.empty()) << error;
    EXPECT_EQ(path.rfind(std::string(dir) + "/hoofbrawl/replays/", 0), 0u) << path;
    EXPECT_TRUE(sounds.requests.empty()) << "playing the steps again made sounds";
    const ReplayReadResult read = readReplayFile(path);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.replay.info.mapText, r.mapText);
    EXPECT_EQ(read.replay.info.driver[kBoris], "network");
    EXPECT_EQ(read.replay.info.driver[kHorace], "keys");
    const ReplayCheck check = checkReplay(read.replay);
    EXPECT_EQ(check.outcome, ReplayCheck::Verified) << check.error;
    EXPECT_EQ(check.steps, 345);
    std::remove(path.c_str());

    setenv("XDG_DATA_HOME", "/proc/hoofbrawl-cannot-be-here", 1);
    EXPECT_TRUE(saveMatchRecord(r, error).empty());
    EXPECT_NE(error.find("/proc/hoofbrawl-cannot-be-here"), std::string::npos) << error;
    if (before)
        setenv("XDG_DATA_HOME", keep.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
    releaseWorld();
    setSoundSink(nullptr);
    std::string cmd = std::string("rm -rf ") + dir;
    EXPECT_EQ(std::system(cmd.c_str()), 0);
}

}  // namespace
