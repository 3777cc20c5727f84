// Replays: a recorded game re-runs to the same state at every step; files cut
// short are read as far as they go; damaged and made-up files are refused
// with their reason; the window's replay directory keeps the newest fifty.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "app/game_recording.h"
#include "app/replay_store.h"
#include "cow_test_helpers.h"
#include "game/game_digest.h"
#include "app/headless.h"
#include "game/replay.h"

namespace {

std::string shippedMapPath() { return std::string(HOOFBRAWL_SOURCE_DIR) + "/data/_maps/Map02.map"; }

std::string fileBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f << bytes;
}

// What a command prints to a stream, as text.
std::string readBack(std::FILE* f) {
    std::string s;
    std::rewind(f);
    for (int c; (c = std::fgetc(f)) != EOF;) s += char(c);
    return s;
}

class Replays : public CowTest {
protected:
    std::mt19937 random{11};
    int intent[2] = {0, 0};
    std::string dir;

    void SetUp() override {
        CowTest::SetUp();
        char pattern[] = "/tmp/hoofbrawl-replay-test.XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        for (const std::string& name : storedReplays(dir)) unlink((dir + "/" + name).c_str());
        for (const char* name : {"game.hbr", "bad.hbr", "notes.txt"}) unlink((dir + "/" + name).c_str());
        const std::string replays = dir + "/hoofbrawl/replays";
        for (const std::string& name : storedReplays(replays)) unlink((replays + "/" + name).c_str());
        rmdir(replays.c_str());
        rmdir((dir + "/hoofbrawl").c_str());
        rmdir(dir.c_str());
        CowTest::TearDown();
    }

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

    ReplayInfo info() {
        IdleInput idle;
        KeyboardInput keyboard(keys);
        return replayInfoForCurrentGame(keyboard, idle, 42);
    }

    // Plays `steps` random steps on the shipped map into `path`; returns the
    // digest after every step.
    std::vector<uint64_t> record(const std::string& path, int steps, bool finish = true) {
        MapLoadResult m = readMapFile(shippedMapPath());
        EXPECT_TRUE(m.ok) << m.message;
        clearLastStepInput();
        ReplayWriter writer;
        EXPECT_TRUE(writer.open(path, info())) << writer.error();
        std::vector<uint64_t> digests;
        for (int i = 0; i < steps; ++i) {
            const StepInput in = randomInput();
            stepPlayingFrame(in);
            writer.step(in);
            digests.push_back(digestGameState());
        }
        if (finish) writer.finish(GameEnd::StepLimit);
        EXPECT_EQ(writer.error(), "");
        return digests;
    }

    // The byte where the records start in a file that `info()` made: all a
    // writer has written before its first step.
    size_t headerSize() {
        const std::string path = dir + "/header.hbr";
        ReplayWriter writer;
        EXPECT_TRUE(writer.open(path, info()));
        const size_t size = fileBytes(path).size();
        writer.finish(GameEnd::Stopped);
        unlink(path.c_str());
        return size;
    }
};

TEST_F(Replays, ARecordedGameReRunsToTheSameStateAtEveryStep) {
    const std::string path = dir + "/game.hbr";
    const std::vector<uint64_t> digests = record(path, 3000);
    const int32_t boris = cow1().hayStored, horace = cow2().hayStored;
    EXPECT_GT(boris + horace + cow1().hayCarried + cow2().hayCarried, 0) << "the match should have moved some hay";

    const ReplayReadResult read = readReplayFile(path);
    ASSERT_TRUE(read.ok) << read.error;
    const Replay& replay = read.replay;
    EXPECT_TRUE(replay.finished);
    EXPECT_EQ(replay.steps, 3000);
    EXPECT_EQ(replay.ending.how, GameEnd::StepLimit);
    EXPECT_EQ(replay.ending.hayStored[kBoris], boris);
    EXPECT_EQ(replay.info.driver[kBoris], "keys");
    EXPECT_EQ(replay.info.driver[kHorace], "idle");
    EXPECT_EQ(replay.info.seed, 42u);
    EXPECT_EQ(replay.info.gameVersion, HOOFBRAWL_VERSION);
    EXPECT_EQ(replay.info.mapText, fileBytes(shippedMapPath()));
    EXPECT_EQ(replay.digests.size(), 3000u / 64);

    // Each step's state again, from the map the file holds, driven through
    // the replay's input source as the window drives it.
    releaseWorld();
    std::string error;
    ASSERT_TRUE(loadReplayMap(replay, error)) << error;
    auto cursor = std::make_shared<ReplayCursor>(replay);
    ReplayInput boriss(cursor), horaces(cursor);
    for (size_t i = 0; i < digests.size(); ++i) {
        StepInput in;
        in.cow[kBoris] = boriss.next(kBoris);
        in.cow[kHorace] = horaces.next(kHorace);
        stepPlayingFrame(in);
        ASSERT_EQ(digestGameState(), digests[i]) << "step " << i + 1;
    }
    EXPECT_TRUE(cursor->atEnd());
    EXPECT_EQ(boriss.next(kBoris).bits, 0) << "past the end both cows stand idle";

    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(checkReplayCommand(path, out, err), 0) << readBack(err);
    EXPECT_EQ(readBack(out), path + ": 3000 steps, Boris " + std::to_string(boris) + " - Horace " +
                                 std::to_string(horace) + ", verified\n");
    EXPECT_EQ(readBack(err), "");
    std::fclose(out);
    std::fclose(err);
}

TEST_F(Replays, AWholeMatchOfRestlessPlayTakesUnderFourBytesAStep) {
    const std::string path = dir + "/game.hbr";
    record(path, 11760);
    const double perStep = double(fileBytes(path).size() - headerSize()) / 11760;
    // Random play here changes a record every few steps, far more often than
    // hands do; the benchmark measures realistic play.
    EXPECT_LT(perStep, 4.0);
    const ReplayReadResult read = readReplayFile(path);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.replay.steps, 11760);
}

TEST_F(Replays, AGameThatDiffersIsFoundAtTheFirstDigestThatDiffers) {
    const std::string path = dir + "/game.hbr";
    record(path, 700);
    const std::string good = fileBytes(path);
    ReplayReadResult read = readReplay(good);
    ASSERT_TRUE(read.ok) << read.error;

    // A stored digest changed: found at its step.
    Replay changed = read.replay;
    changed.digests[3].digest ^= 1;
    ReplayCheck check = checkReplay(changed);
    EXPECT_EQ(check.outcome, ReplayCheck::Differs);
    EXPECT_EQ(check.differsAt, 4 * 64);

    // The final digest changed.
    changed = read.replay;
    changed.ending.digest ^= 1u << 20;
    check = checkReplay(changed);
    EXPECT_EQ(check.outcome, ReplayCheck::Differs);
    EXPECT_EQ(check.differsAt, 700);

    // Another start: the replay was not taken from a fresh map.
    changed = read.replay;
    changed.info.startDigest ^= 1;
    EXPECT_EQ(checkReplay(changed).differsAt, 0);

    // Inputs played differently from step 300 on: the first digest after it.
    changed = read.replay;
    int64_t step = 0;
    for (ReplayRun& run : changed.runs) {
        if (step >= 300) run.input.cow[kHorace].bits ^= 1u << static_cast<int>(CowAction::Left);
        step += run.steps;
    }
    check = checkReplay(changed);
    EXPECT_EQ(check.outcome, ReplayCheck::Differs);
    EXPECT_GE(check.differsAt, 320);
    EXPECT_LE(check.differsAt, 448);

    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    std::string bad = good;
    bad[bad.size() - 12] ^= 0x10;  // in the final digest
    writeBytes(dir + "/bad.hbr", bad);
    EXPECT_EQ(checkReplayCommand(dir + "/bad.hbr", out, err), 1);
    EXPECT_EQ(readBack(out), dir + "/bad.hbr: differs from the recorded game at step 700\n");
    std::fclose(out);
    std::fclose(err);
}

TEST_F(Replays, AFileCutShortIsReadAndCheckedAsFarAsItGoes) {
    const std::string path = dir + "/game.hbr";
    const std::vector<uint64_t> digests = record(path, 400);
    const std::string whole = fileBytes(path);
    const size_t header = headerSize();

    // Cut inside the header: refused, naming where the bytes stop.
    for (size_t cut : {size_t(9), size_t(12), header / 2, header - 1}) {
        const ReplayReadResult r = readReplay(whole.substr(0, cut));
        EXPECT_FALSE(r.ok) << cut;
        EXPECT_EQ(r.error, "truncated at byte " + std::to_string(cut) + ", inside the header");
    }
    // Cut anywhere after it: the steps before the cut, never more, and the
    // count only grows with the length.
    int64_t before = 0;
    for (size_t cut = header; cut < whole.size(); ++cut) {
        const ReplayReadResult r = readReplay(whole.substr(0, cut));
        ASSERT_TRUE(r.ok) << "cut at " << cut << ": " << r.error;
        EXPECT_FALSE(r.replay.finished);
        EXPECT_EQ(r.replay.cutAt, cut);
        EXPECT_GE(r.replay.steps, before);
        EXPECT_LE(r.replay.steps, 400);
        before = r.replay.steps;
    }
    EXPECT_GE(before, 390) << "only the end record and the last run should be missing";

    // What a crash leaves (the records flushed so far) checks as far as it goes.
    const std::string cut = whole.substr(0, whole.size() - 30);
    writeBytes(dir + "/bad.hbr", cut);
    const ReplayReadResult r = readReplay(cut);
    ASSERT_TRUE(r.ok);
    const ReplayCheck check = checkReplay(r.replay);
    EXPECT_EQ(check.outcome, ReplayCheck::Verified);
    EXPECT_EQ(check.steps, r.replay.steps);
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(checkReplayCommand(dir + "/bad.hbr", out, err), 2);
    const std::string said = readBack(err);
    EXPECT_NE(said.find(dir + "/bad.hbr: cut short at byte " + std::to_string(cut.size())), std::string::npos)
        << said;
    EXPECT_NE(said.find("verified as far as they go"), std::string::npos) << said;
    std::fclose(out);
    std::fclose(err);
}

TEST_F(Replays, AnUnfinishedWriterLeavesAFileReadableToItsLastFlush) {
    const std::string path = dir + "/game.hbr";
    {
        MapLoadResult m = readMapFile(shippedMapPath());
        ASSERT_TRUE(m.ok);
        ReplayWriter writer;
        ASSERT_TRUE(writer.open(path, info()));
        for (int i = 0; i < 150; ++i) {
            const StepInput in = randomInput();
            stepPlayingFrame(in);
            writer.step(in);
            // What a crash would leave on the disk at this moment.
            const ReplayReadResult r = readReplay(fileBytes(path));
            ASSERT_TRUE(r.ok) << r.error;
            ASSERT_GE(r.replay.steps, i + 1 - kReplayFlushEvery) << "more than a second lost at step " << i + 1;
        }
    }
    // The writer's end finished the file.
    const ReplayReadResult r = readReplayFile(path);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.replay.finished);
    EXPECT_EQ(r.replay.ending.how, GameEnd::Stopped);
    EXPECT_EQ(r.replay.steps, 150);
}

TEST_F(Replays, DamagedAndMadeUpFilesAreRefusedWithTheirReason) {
    const std::string path = dir + "/game.hbr";
    record(path, 130);
    const std::string good = fileBytes(path);
    const size_t h = headerSize();
    auto refusal = [](const std::string& bytes) {
        const ReplayReadResult r = readReplay(bytes);
        return r.ok ? std::string("accepted") : r.error;
    };
    auto with = [&good](size_t at, const std::string& bytes) {
        std::string s = good;
        s.replace(at, bytes.size(), bytes);
        return s;
    };
    auto headerThen = [&good, h](const std::string& records) { return good.substr(0, h) + records; };

    EXPECT_EQ(refusal(""), "not a replay (it does not start with HBREPLAY)");
    EXPECT_EQ(refusal("P3\n2 2\n"), "not a replay (it does not start with HBREPLAY)");
    EXPECT_EQ(refusal(with(0, "X")), "not a replay (it does not start with HBREPLAY)");
    EXPECT_EQ(refusal(good.substr(0, 8)), "truncated at byte 8, inside the header");
    std::string huge = good;
    huge.resize(kReplayMaxFileBytes + 1);
    EXPECT_EQ(refusal(huge), "too large for a replay (more than 16777216 bytes)");
    writeBytes(dir + "/bad.hbr", huge + huge);
    EXPECT_EQ(readReplayFile(dir + "/bad.hbr").error, "too large for a replay (more than 16777216 bytes)");
    EXPECT_EQ(refusal(with(8, std::string("\x02\x00", 2))),
              "replay format version 2, which this game does not know (it reads version 1)");
    // The map's length made absurd: refused before anything is allocated.
    const size_t mapLength = 8 + 2 + 1 + std::string(HOOFBRAWL_VERSION).size() + 1 + info().mapName.size();
    EXPECT_EQ(refusal(with(mapLength, "\xff\xff\xff\xff")),
              "a map of 4294967295 bytes at byte " + std::to_string(mapLength) + " (at most 1048576)");
    EXPECT_EQ(refusal(with(mapLength, std::string("\x00\x00\x10\x00", 4))),
              "the map at byte " + std::to_string(mapLength) + " is damaged (it does not unpack to 1048576 bytes)");
    EXPECT_EQ(refusal(with(mapLength + 8 + 20, "\xff\xff\xff")),
              "the map at byte " + std::to_string(mapLength) + " is damaged (it does not unpack to " +
                  std::to_string(info().mapText.size()) + " bytes)");
    EXPECT_EQ(refusal(with(mapLength + 4, "\xff\xff\xff\x7f")),
              "a packed map of 2147483647 bytes at byte " + std::to_string(mapLength + 4) + " (at most 1048576)");

    // Records that cannot be.
    EXPECT_EQ(refusal(headerThen("\x80")), "unknown record at byte " + std::to_string(h));
    EXPECT_EQ(refusal(headerThen("\x42")), "unknown record at byte " + std::to_string(h));
    EXPECT_EQ(refusal(headerThen("\x21\x80")),
              "an input record at byte " + std::to_string(h) + " holds controls the game does not have");
    EXPECT_EQ(refusal(headerThen(std::string("\x00\x41", 2))),
              "a run of steps of impossible length at byte " + std::to_string(h));
    EXPECT_EQ(refusal(headerThen(std::string("\x00\x00", 2))),
              "a run of steps of impossible length at byte " + std::to_string(h));
    EXPECT_EQ(refusal(headerThen(std::string("\x0f\x00\x32", 3))),
              "a run of steps at byte " + std::to_string(h + 1) + " passes step 64 without its digest");
    EXPECT_EQ(refusal(headerThen(std::string("\x00\x40\x01", 3))),
              "no digest after step 64 at byte " + std::to_string(h + 2));
    EXPECT_EQ(refusal(headerThen(std::string("\x05\x40\x05", 3) + std::string(8, '\0'))),
              "a digest at byte " + std::to_string(h + 1) + " for step 5 where none belongs (after 5 steps)");
    EXPECT_EQ(refusal(headerThen(std::string("\x05\x41\x09\x05", 4) + std::string(16, '\0'))),
              "an end record at byte " + std::to_string(h + 1) + " with an unknown way of ending (9)");
    EXPECT_EQ(refusal(headerThen(std::string("\x05\x41\x01\x06", 4) + std::string(16, '\0'))),
              "the end record at byte " + std::to_string(h + 1) + " counts 6 steps, the file holds 5");
    EXPECT_EQ(refusal(good + "xy"), "2 bytes after the end record at byte " + std::to_string(good.size()));
    // A number that never ends is not read past 63 bits.
    EXPECT_EQ(refusal(headerThen(std::string(1, '\0') + std::string(12, '\xff'))),
              "a run of steps of impossible length at byte " + std::to_string(h));

    // The map inside is refused by the map reader, with its reason.
    ReplayInfo noCows = info();
    noCows.mapText = ". . \n. . \n";
    noCows.mapName = "bare.map";
    {
        ReplayWriter writer;
        ASSERT_TRUE(writer.open(dir + "/bad.hbr", noCows));
    }
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(checkReplayCommand(dir + "/bad.hbr", out, err), 2);
    EXPECT_EQ(readBack(err), dir + "/bad.hbr: the map it holds is refused: bare.map: no cow '1' and no cow "
                                   "'2'; a map places exactly one '1' and one '2'\n");
    EXPECT_EQ(readBack(out), "");
    std::fclose(out);
    std::fclose(err);

    // A file that is not there, or is a directory.
    err = std::tmpfile();
    out = std::tmpfile();
    EXPECT_EQ(checkReplayCommand(dir + "/none.hbr", out, err), 2);
    EXPECT_EQ(readBack(err), dir + "/none.hbr: cannot open it: No such file or directory\n");
    std::fclose(err);
    err = std::tmpfile();
    EXPECT_EQ(checkReplayCommand(dir, out, err), 2);
    EXPECT_EQ(readBack(err), dir + ": cannot read it: Is a directory\n");
    std::fclose(err);
    std::fclose(out);

    // Every single bit flipped in the records: refused with a reason, or
    // read and then either found to differ or (a control that changes
    // nothing in that step) verified; never anything else.
    int refused = 0, differed = 0;
    for (size_t byte = h; byte < good.size(); ++byte)
        for (int bit = 0; bit < 8; ++bit) {
            std::string flipped = good;
            flipped[byte] = static_cast<char>(flipped[byte] ^ (1 << bit));
            const ReplayReadResult r = readReplay(flipped);
            if (!r.ok) {
                EXPECT_FALSE(r.error.empty());
                ++refused;
                continue;
            }
            if (!r.replay.finished) continue;
            const ReplayCheck c = checkReplay(r.replay);
            ASSERT_NE(c.outcome, ReplayCheck::Unusable);
            differed += c.outcome == ReplayCheck::Differs;
        }
    const int flips = static_cast<int>(good.size() - h) * 8;
    EXPECT_GT(refused + differed, flips * 3 / 4) << refused << " refused, " << differed << " differed of " << flips;
}

// The headless runner's match: played, recorded, and the record checks.
TEST_F(Replays, AHeadlessMatchIsRecordedAndChecks) {
    ASSERT_TRUE(readMapFile(shippedMapPath()).ok);
    keys.press(vk::Up);
    keys.press(vk::A);
    KeyboardInput both(keys);
    std::string error;
    const MatchResult match = playRecordedMatch(both, both, 500, 3, dir + "/game.hbr", error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(match.steps, 500);
    EXPECT_FALSE(gameWon());  // it ended at the step limit
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    EXPECT_EQ(checkReplayCommand(dir + "/game.hbr", out, err), 0) << readBack(err);
    EXPECT_EQ(readBack(out), dir + "/game.hbr: 500 steps, Boris 0 - Horace 0, verified\n");
    std::fclose(out);
    std::fclose(err);
    // Held keys all match long: a handful of bytes for 500 steps beyond the header.
    EXPECT_LT(fileBytes(dir + "/game.hbr").size(), headerSize() + 200);

    const MatchResult refused = playRecordedMatch(both, both, 10, 3, dir + "/no/such/dir/game.hbr", error);
    EXPECT_EQ(refused.steps, 0);
    EXPECT_EQ(error, dir + "/no/such/dir/game.hbr: cannot create the replay: No such file or directory");
}

TEST_F(Replays, TheDirectoryKeepsTheNewestFiftyAndNamesNeverClash) {
    // Fifty-five games over a few days, two in one second, and a file of
    // the player's own.
    std::vector<std::string> names;
    for (int i = 0; i < 54; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "2026-12-%02d_10-%02d-00.hbreplay", 1 + i / 20, i % 20);
        names.push_back(name);
    }
    names.push_back("2026-12-03_10-13-00_2.hbreplay");
    for (const std::string& n : names) writeBytes(dir + "/" + n, "x");
    writeBytes(dir + "/notes.txt", "mine");
    ASSERT_EQ(storedReplays(dir).size(), 55u);
    EXPECT_EQ(storedReplays(dir).back(), "2026-12-03_10-13-00_2.hbreplay");

    keepNewestReplays(dir, kKeptReplays);
    const std::vector<std::string> kept = storedReplays(dir);
    ASSERT_EQ(kept.size(), 50u);
    EXPECT_EQ(kept.front(), "2026-12-01_10-05-00.hbreplay");
    EXPECT_EQ(kept.back(), "2026-12-03_10-13-00_2.hbreplay");
    EXPECT_EQ(fileBytes(dir + "/notes.txt"), "mine");

    // A new name skips the ones taken.
    std::tm t{};
    t.tm_year = 126, t.tm_mon = 11, t.tm_mday = 3, t.tm_hour = 10, t.tm_min = 13, t.tm_isdst = -1;
    EXPECT_EQ(newReplayPath(dir, std::mktime(&t)), dir + "/2026-12-03_10-13-00_3.hbreplay");

    // Where replays go, and a directory that cannot be made.
    const char* oldData = std::getenv("XDG_DATA_HOME");
    const std::string keep = oldData ? oldData : "";
    setenv("XDG_DATA_HOME", "/x/data", 1);
    EXPECT_EQ(replayDirectory(), "/x/data/hoofbrawl/replays");
    setenv("XDG_DATA_HOME", "relative", 1);
    const char* home = std::getenv("HOME");
    if (home) {
        EXPECT_EQ(replayDirectory(), std::string(home) + "/.local/share/hoofbrawl/replays");
    }
    if (oldData) setenv("XDG_DATA_HOME", keep.c_str(), 1);
    else unsetenv("XDG_DATA_HOME");
    std::string error;
    EXPECT_FALSE(makeReplayDirectory(dir + "/notes.txt/replays", error));
    EXPECT_EQ(error, dir + "/notes.txt/replays: cannot make the replay directory: Not a directory");
    EXPECT_TRUE(makeReplayDirectory(dir + "/a/b", error)) << error;
    rmdir((dir + "/a/b").c_str());
    rmdir((dir + "/a").c_str());
}

}  // namespace

namespace {

// The window's recorder: a game begins its replay once, at its first step; a
// win ends it with the score it was won with; the next game, once armed,
// gets a file of its own.
TEST_F(Replays, TheWindowsRecorderEndsAGameAtItsWinAndStartsTheNextAfresh) {
    const char* oldData = std::getenv("XDG_DATA_HOME");
    const std::string keep = oldData ? oldData : "";
    setenv("XDG_DATA_HOME", dir.c_str(), 1);
    const std::string replays = dir + "/hoofbrawl/replays";
    std::vector<std::string> farm = field(8, 4);
    putObject(farm, 1, 1, '2');
    putObject(farm, 6, 1, '1');
    load(farm);
    KeyboardInput boris(keys);
    IdleInput horace;
    setRecordingEnabled(true);
    armRecording();

    // Boris stands at home with ten bales and 55 delivered: his first step wins.
    cow1().hayCarried = 10;
    cow1().hayStored = 55;
    cow2().hayStored = 12;
    beginRecording(boris, horace, 9);
    StepInput in;
    in.cow[kBoris].set(CowAction::Jump);
    stepPlayingFrame(in);
    recordStep(in);
    ASSERT_TRUE(cow1().winner);
    EXPECT_EQ(cow1().hayStored, 0) << "a win empties both homes";
    // Play after the win is not recorded, and the game does not begin again.
    beginRecording(boris, horace, 9);
    stepPlayingFrame(StepInput{});
    recordStep(StepInput{});

    std::vector<std::string> files = storedReplays(replays);
    ASSERT_EQ(files.size(), 1u);
    ReplayReadResult read = readReplayFile(replays + "/" + files[0]);
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_TRUE(read.replay.finished);
    EXPECT_EQ(read.replay.ending.how, GameEnd::Won);
    EXPECT_EQ(read.replay.steps, 1);
    EXPECT_EQ(read.replay.ending.hayStored[kBoris], 65);
    EXPECT_EQ(read.replay.ending.hayStored[kHorace], 12);
    EXPECT_EQ(read.replay.info.driver[kBoris], "keys");
    EXPECT_EQ(read.replay.info.seed, 9u);
    EXPECT_EQ(read.replay.runs.size(), 1u);
    EXPECT_EQ(read.replay.runs[0].input, in);

    // A new game (the phase left play): a second file, ended by N.
    load(farm);
    armRecording();
    beginRecording(boris, horace, 9);
    for (int i = 0; i < 5; ++i) {
        stepPlayingFrame(StepInput{});
        recordStep(StepInput{});
    }
    endRecording(GameEnd::NewGame);
    files = storedReplays(replays);
    ASSERT_EQ(files.size(), 2u);
    read = readReplayFile(std::string(currentReplayPath()));
    ASSERT_TRUE(read.ok) << read.error;
    EXPECT_EQ(read.replay.ending.how, GameEnd::NewGame);
    EXPECT_EQ(read.replay.steps, 5);
    EXPECT_EQ(checkReplay(read.replay).outcome, ReplayCheck::Verified);

    setRecordingEnabled(false);
    if (oldData) setenv("XDG_DATA_HOME", keep.c_str(), 1);
    else unsetenv("XDG_DATA_HOME");
}

}  // namespace
