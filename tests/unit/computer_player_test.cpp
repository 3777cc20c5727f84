// The computer player through the step alone: how fast it wins, how its levels
// fare against each other, that it is never stuck, and that a game against it
// replays exactly.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ai/computer_player.h"
#include "app/headless.h"
#include "app/solo.h"
#include "game/key_bindings.h"
#include "platform/keys.h"
#include "audio/sound_recorder.h"
#include "game/actions.h"
#include "game/behaviours.h"
#include "game/drivers.h"
#include "game/game_digest.h"
#include "game/push_back.h"
#include "game/step.h"
#include "world/map_reader.h"
#include "world/world_grid.h"
#include "scripted_chaser.h"

namespace {

const std::string kShipped = std::string(HOOFBRAWL_DATA_DIR) + "/_maps/Map02.map";
std::string testMap(const char* name) { return std::string(HOOFBRAWL_SOURCE_DIR) + "/tests/data/maps/" + name; }

void load(const std::string& path) {
    MapLoadResult r = readMapFile(path);
    ASSERT_TRUE(r.ok) << r.message;
    clearLastStepInput();
}

bool hayLeft() {
    for (int c = 0; c < world.usedColumns; ++c)
        for (int r = 0; r < world.usedRows; ++r)
            if (WorldObject* o = objectAt(c, r); o && o->touch == pickUpHay) return true;
    return false;
}

// Near a shut gate of the rival's: breaking it keeps a cow on one cell.
bool atRivalGate(const Cow& cow) {
    const int c = cellOf(cow.x), r = cellOf(cow.y);
    for (int dc = -2; dc <= 2; ++dc)
        for (int dr = -2; dr <= 2; ++dr)
            if (WorldObject* o = objectAt(c + dc, r + dr); o && o->touch == touchGate) {
                const Cow* owner = o->kind == '\\' ? world.cow1 : world.cow2;
                if (owner != &cow && !owner->gateBroken) return true;
            }
    return false;
}

// Checked after every step: a computer cow stands on one cell at most 40
// steps while hay remains, unless knocked over, raiding or at a gate.
class StuckWatch {
public:
    explicit StuckWatch(bool watchBoris, bool watchHorace) : watch_{watchBoris, watchHorace} {}
    void check(int64_t step) {
        Cow* cows[2] = {world.cow1, world.cow2};
        for (int i = 0; i < 2; ++i) {
            const Cow& cow = *cows[i];
            const int c = cellOf(cow.x), r = cellOf(cow.y);
            const bool excused = cow.stunned || inHomeArea(*cow.rival, cow.x, cow.y) || atRivalGate(cow);
            if (!watch_[i] || c != column_[i] || r != row_[i] || excused) {
                column_[i] = c;
                row_[i] = r;
                since_[i] = 0;
                continue;
            }
            if (++since_[i] > 40 && hayLeft()) {
                ADD_FAILURE() << cow.name << " stood on cell (" << c << ", " << r << ") for " << since_[i]
                              << " steps up to step " << step;
                since_[i] = -100000;  // one report per stand
            }
        }
    }

private:
    bool watch_[2];
    int column_[2] = {-1, -1}, row_[2] = {-1, -1};
    int since_[2] = {0, 0};
};

// Plays to a win or maxSteps, watching the computer cows every step.
MatchResult play(InputSource& boris, InputSource& horace, int64_t maxSteps, bool watchBoris, bool watchHorace) {
    StuckWatch watch(watchBoris, watchHorace);
    int64_t step = 0;
    MatchResult r = playMatch(boris, horace, maxSteps, [&](const StepInput&) {
        if (!world.cow1->winner && !world.cow2->winner) watch.check(++step);
    });
    return r;
}

class ComputerPlayerTest : public ::testing::Test {
protected:
    SoundRecorder sounds;
    void SetUp() override { setSoundSink(&sounds); }
    void TearDown() override {
        releaseWorld();
        setSoundSink(nullptr);
    }
};

struct LevelLimit {
    ComputerLevel level;
    int64_t steps;
};
const LevelLimit kLimits[] = {{ComputerLevel::Easy, 9408}, {ComputerLevel::Normal, 5880}, {ComputerLevel::Hard, 4704}};

void winsAgainstIdleOn(const std::string& map) {
    for (const LevelLimit& limit : kLimits) {
        for (uint64_t seed = 1; seed <= 10; ++seed) {
            load(map);
            ComputerPlayer computer(limit.level, seed);
            IdleInput idle;
            const bool asBoris = seed % 2 == 1;  // both sides of the map
            MatchResult r = asBoris ? play(computer, idle, limit.steps, true, false)
                                    : play(idle, computer, limit.steps, false, true);
            EXPECT_EQ(r.winner, asBoris ? kBoris : kHorace)
                << map << ": " << computerLevelName(limit.level) << " seed " << seed << " as "
                << (asBoris ? "Boris" : "Horace") << " did not win within " << limit.steps << " steps (stores "
                << r.stored[0] << " to " << r.stored[1] << ")";
        }
    }
}

int winsBetween(ComputerLevel a, ComputerLevel b, int games) {
    int wins = 0;
    for (int g = 0; g < games; ++g) {
        load(kShipped);
        ComputerPlayer pa(a, 1000 + g), pb(b, 2000 + g);
        const bool aIsBoris = g % 2 == 0;
        MatchResult r = aIsBoris ? play(pa, pb, 23520, true, true) : play(pb, pa, 23520, true, true);
        if (r.winner == (aIsBoris ? kBoris : kHorace)) ++wins;
    }
    return wins;
}

}  // namespace

TEST_F(ComputerPlayerTest, EachLevelBeatsAnIdleCowInTimeOnTheShippedMap) { winsAgainstIdleOn(kShipped); }
TEST_F(ComputerPlayerTest, EachLevelBeatsAnIdleCowInTimeInASmallArena) { winsAgainstIdleOn(testMap("arena.map")); }
TEST_F(ComputerPlayerTest, EachLevelBeatsAnIdleCowInTimeAroundALake) { winsAgainstIdleOn(testMap("water.map")); }
TEST_F(ComputerPlayerTest, EachLevelBeatsAnIdleCowInTimeWithGatedHomes) { winsAgainstIdleOn(testMap("gated.map")); }
TEST_F(ComputerPlayerTest, EachLevelBeatsAnIdleCowInTimeOnTheMirroredMap) { winsAgainstIdleOn(testMap("mirrored.map")); }

TEST_F(ComputerPlayerTest, HigherLevelsBeatLowerOnesOverTwentyGames) {
    EXPECT_GE(winsBetween(ComputerLevel::Hard, ComputerLevel::Easy, 20), 18);
    EXPECT_GE(winsBetween(ComputerLevel::Hard, ComputerLevel::Normal, 20), 14);
    EXPECT_GE(winsBetween(ComputerLevel::Normal, ComputerLevel::Easy, 20), 14);
}

// A chaser that lands one headbutt can keep its rival down for good (a butt
// that lands starts the sixty steps again), so this is about never being
// caught first: meeting it standing and striking with the lunge that lands
// first, and keeping it down while gathering near it.
TEST_F(ComputerPlayerTest, HardBeatsAScriptedChaserInFourteenOfTwentyGames) {
    int wins = 0;
    std::string games;
    for (int g = 0; g < 20; ++g) {
        load(kShipped);
        ComputerPlayer hard(ComputerLevel::Hard, 500 + g);
        ScriptedChaser chaser(static_cast<uint64_t>(g) * 7);
        const bool hardIsBoris = g % 2 == 0;
        MatchResult r = hardIsBoris ? play(hard, chaser, 23520, true, false) : play(chaser, hard, 23520, false, true);
        const bool won = r.winner == (hardIsBoris ? kBoris : kHorace);
        wins += won;
        games += won ? 'W' : '.';
    }
    EXPECT_GE(wins, 14) << "games, W for a win: " << games;
}

TEST_F(ComputerPlayerTest, BreaksTheGateOfAGatedHomeAndRaidsIt) {
    load(testMap("gated.map"));
    // Nothing left on the field: the rival's stores are the only hay.
    for (int c = 0; c < world.usedColumns; ++c)
        for (int r = 0; r < world.usedRows; ++r)
            if (WorldObject* o = objectAt(c, r); o && o->touch == pickUpHay) removeObject(c, r);
    world.cow2->hayStored = 40;
    ComputerPlayer hard(ComputerLevel::Hard, 9);
    IdleInput idle;
    bool broken = false;
    playMatch(hard, idle, 3000, [&](const StepInput&) { broken = broken || world.cow2->gateBroken; });
    EXPECT_TRUE(broken) << "the rival's gate was never broken";
    EXPECT_LT(world.cow2->hayStored, 40) << "nothing was taken from the rival's stores";
    EXPECT_GT(world.cow1->hayStored + world.cow1->hayCarried, 0);
}

TEST_F(ComputerPlayerTest, ButtsARivalCarryingHayAndTakesIt) {
    load(testMap("arena.map"));
    // Out in the field, where it cannot put the load in its store.
    world.cow2->x = world.cow2->prevX = 13.5f;
    world.cow2->y = world.cow2->prevY = 13.5f;
    world.cow2->hayCarried = 8;
    ComputerPlayer hard(ComputerLevel::Hard, 4);
    IdleInput idle;
    bool lostLoad = false;
    playMatch(hard, idle, 800, [&](const StepInput&) {
        lostLoad = lostLoad || (world.cow2->stunned && world.cow2->hayCarried == 0);
    });
    EXPECT_TRUE(lostLoad) << "the rival was never knocked over and robbed";
}

TEST_F(ComputerPlayerTest, GivesTheRivalTheSyringe) {
    load(testMap("arena.map"));
    ComputerPlayer hard(ComputerLevel::Hard, 2);
    IdleInput idle;
    bool slowed = false;
    playMatch(hard, idle, 1500, [&](const StepInput&) { slowed = slowed || world.cow2->slowed; });
    EXPECT_TRUE(slowed) << "the syringe on the map never reached the rival";
}

TEST_F(ComputerPlayerTest, ReadsTheWorldWithoutChangingIt) {
    load(kShipped);
    ComputerPlayer a(ComputerLevel::Hard, 1), b(ComputerLevel::Easy, 2);
    for (int s = 0; s < 400; ++s) {
        const uint64_t before = digestGameState();
        StepInput in;
        in.cow[kBoris] = a.next(kBoris);
        in.cow[kHorace] = b.next(kHorace);
        ASSERT_EQ(digestGameState(), before) << "a decision changed the game at step " << s;
        EXPECT_EQ(in.cow[kBoris].bits & ~kCowInputMask, 0);
        stepPlayingFrame(in);
    }
}

TEST_F(ComputerPlayerTest, AGameReplaysExactlyFromItsSeedsAndFromItsRecords) {
    std::vector<StepInput> records;
    load(kShipped);
    ComputerPlayer a(ComputerLevel::Normal, 31), b(ComputerLevel::Hard, 32);
    MatchResult first = playMatch(a, b, 23520, [&](const StepInput& in) { records.push_back(in); });
    ASSERT_GT(first.steps, 100);

    load(kShipped);
    ComputerPlayer a2(ComputerLevel::Normal, 31), b2(ComputerLevel::Hard, 32);
    MatchResult again = playMatch(a2, b2, 23520);
    EXPECT_EQ(again.digest, first.digest);
    EXPECT_EQ(again.steps, first.steps);

    load(kShipped);
    for (const StepInput& in : records) stepPlayingFrame(in);
    EXPECT_EQ(digestGameState(), first.digest);

    // The seed is what tells two players of one level apart.
    load(kShipped);
    ComputerPlayer a3(ComputerLevel::Normal, 77), b3(ComputerLevel::Hard, 32);
    std::vector<StepInput> other;
    playMatch(a3, b3, static_cast<int64_t>(records.size()), [&](const StepInput& in) { other.push_back(in); });
    bool differ = false;
    for (size_t i = 0; i < std::min(other.size(), records.size()); ++i)
        differ = differ || other[i].cow[kBoris].bits != records[i].cow[kBoris].bits;
    EXPECT_TRUE(differ);
}

TEST_F(ComputerPlayerTest, DriversAreMadeByName) {
    std::string error;
    for (const char* name : {"computer", "computer:easy", "computer:normal", "computer:hard"}) {
        auto source = makeInputSource(name, 3, nullptr, error);
        ASSERT_TRUE(source) << name;
        EXPECT_EQ(source->name(), std::string(name) == "computer" ? "computer:normal" : name);
    }
    EXPECT_FALSE(makeInputSource("computer:wild", 3, nullptr, error));
    EXPECT_NE(error.find("computer:wild"), std::string::npos);
}

TEST_F(ComputerPlayerTest, TheResultLineNamesWinnerStepsStoresSeedAndDigest) {
    MatchResult r;
    r.winner = kHorace;
    r.steps = 812;
    r.stored[0] = 34;
    r.stored[1] = 60;
    r.digest = 0xabcdef0123;
    EXPECT_EQ(matchResultLine(r, 7), "winner=horace steps=812 boris=34 horace=60 seed=7 digest=000000abcdef0123");
    r.winner = -1;
    EXPECT_EQ(matchResultLine(r, 0).substr(0, 12), "winner=none ");
}

TEST(OnePlayer, EitherKeySetDrivesThePlayersCowAndOnlyOneKeysDriverMakesAOnePlayerGame) {
    ScriptedKeys keys;
    EitherKeysInput either(keys);
    keys.press(keyBindings.cow[kHorace].of(CowAction::Left));
    keys.press(keyBindings.cow[kBoris].of(CowAction::Jump));
    const CowInput in = either.next(kBoris);
    EXPECT_TRUE(in.held(CowAction::Left));
    EXPECT_TRUE(in.held(CowAction::Jump));
    EXPECT_FALSE(in.held(CowAction::Right));
    // Any pad drives the player's cow too, whichever cow it would drive in a
    // two-player game.
    class HoracesPad : public CowPads {
    public:
        CowInput cowInput(int cow) override {
            CowInput in;
            if (cow == kHorace) in.set(CowAction::Right);
            return in;
        }
    } pad;
    setCowPads(&pad);
    EXPECT_TRUE(either.next(kBoris).held(CowAction::Right));
    setCowPads(nullptr);
    EXPECT_EQ(soloPlayerCow("keys", "computer:hard"), kBoris);
    EXPECT_EQ(soloPlayerCow("idle", "keys"), kHorace);
    EXPECT_EQ(soloPlayerCow("keys", "keys"), -1);
    EXPECT_EQ(soloPlayerCow("computer", "computer:easy"), -1);
    EXPECT_EQ(soloComputerDriver(0), "computer:easy");
    EXPECT_EQ(soloComputerDriver(2), "computer:hard");
}
