// A recorded game: the map it was played on, who drove each cow, and each
// step's input record, with the state's digest every 64 steps and at the end
// so that a re-run can prove it is the same game. The format is described in
// docs/REPLAY-FORMAT.md; this file writes and reads it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "game/cow_input.h"
#include "game/input_source.h"

constexpr char kReplayMagic[8] = {'H', 'B', 'R', 'E', 'P', 'L', 'A', 'Y'};
constexpr uint16_t kReplayFormatVersion = 1;
// A digest is stored after every this many steps.
constexpr int64_t kReplayDigestEvery = 64;
// Steps the writer lets pass between flushes: about one second of play, the
// most a crash can lose.
constexpr int64_t kReplayFlushEvery = 20;

// The limits the reader holds a file to, so no input makes it allocate
// without bound.
constexpr size_t kReplayMaxFileBytes = 16u << 20;
constexpr size_t kReplayMaxMapBytes = 1u << 20;
constexpr size_t kReplayMaxNameBytes = 255;

// How a recorded game ended.
enum class GameEnd : uint8_t {
    Won = 1,           // a cow delivered the winning hay
    NewGame = 2,       // N
    Quit = 3,          // ESC
    WindowClosed = 4,  // the window was closed
    StepLimit = 5,     // a headless match ran its steps
    Stopped = 6,       // the program ended otherwise
};
const char* gameEndName(GameEnd how);

// What a replay says about its game besides the inputs.
struct ReplayInfo {
    std::string gameVersion;  // the version of the game that recorded it
    std::string mapName;
    std::string mapText;
    std::string driver[2];  // [kBoris], [kHorace]: "keys", "computer:hard", ...
    uint64_t seed = 0;
    int64_t startTime = 0;     // seconds since 1970 (UTC); 0 when unknown
    uint64_t startDigest = 0;  // the state before the first step
};

// The info of the game now in the world: its map, the drivers' names, this
// game's version, the time now and the state's digest.
ReplayInfo replayInfoForCurrentGame(const InputSource& boris, const InputSource& horace, uint64_t seed);

// Writes a replay as the game goes. Call step() after each step has run, with
// that step's records; finish() once at the end. Write failures do not stop
// the game: the first one is kept in error() and recording stops.
class ReplayWriter {
public:
    ReplayWriter() = default;
    ~ReplayWriter();  // an unfinished replay is finished as Stopped
    ReplayWriter(const ReplayWriter&) = delete;
    ReplayWriter& operator=(const ReplayWriter&) = delete;

    // Creates `path` and writes the header. False (with error() set) when
    // the file cannot be made.
    bool open(const std::string& path, const ReplayInfo& info);
    void step(const StepInput& in);
    // Writes the end record with the state's digest and the scores now.
    void finish(GameEnd how);

    bool recording() const { return file_ != nullptr; }
    int64_t steps() const { return steps_; }
    const std::string& path() const { return path_; }
    const std::string& error() const { return error_; }

private:
    void flushRun();
    void put(const void* data, size_t size);
    void flushFile();
    void fail(const std::string& what);

    std::FILE* file_ = nullptr;
    std::string path_, error_;
    std::vector<unsigned char> out_;
    StepInput last_;          // the inputs the last written run left in force
    StepInput runInput_;      // the inputs of the run being counted
    int64_t runSteps_ = 0;
    int64_t steps_ = 0;
    int64_t sinceFlush_ = 0;
};

// One stretch of steps with the same inputs.
struct ReplayRun {
    uint32_t steps = 0;
    StepInput input;
};

struct ReplayDigest {
    int64_t step = 0;
    uint64_t digest = 0;
};

struct ReplayEnding {
    GameEnd how = GameEnd::Stopped;
    uint64_t digest = 0;
    int32_t hayStored[2] = {};
};

struct Replay {
    ReplayInfo info;
    std::vector<ReplayRun> runs;
    std::vector<ReplayDigest> digests;  // by step, every kReplayDigestEvery
    int64_t steps = 0;
    bool finished = false;  // the end record is there
    ReplayEnding ending;    // when finished
    // When not finished: the byte at which the usable records stop (a
    // crash, a full disk or a copy cut short).
    uint64_t cutAt = 0;
};

struct ReplayReadResult {
    bool ok = false;
    std::string error;  // one line, without the file's name
    Replay replay;
};

// Reads a replay from its bytes. A file cut short after its header is read
// as far as it goes (finished false); anything else wrong is refused with
// its reason.
ReplayReadResult readReplay(const std::string& bytes);
// The same from a file; errors from opening and reading name the cause.
ReplayReadResult readReplayFile(const std::string& path);

// The inputs of a replay one step at a time.
class ReplayCursor {
public:
    explicit ReplayCursor(const Replay& replay) : replay_(replay) {}
    bool atEnd() const { return step_ >= replay_.steps; }
    int64_t step() const { return step_; }
    // Moves on to the next step and gives its records (idle past the end).
    StepInput next();
    // The records next() gave last.
    const StepInput& current() const { return current_; }

private:
    const Replay& replay_;
    StepInput current_;
    size_t run_ = 0;
    uint32_t inRun_ = 0;
    int64_t step_ = 0;
};

// Both cows driven from a replay: the game asks Boris's record first, and
// that moves the replay on by a step. Past its end both cows stand idle.
class ReplayInput : public InputSource {
public:
    explicit ReplayInput(std::shared_ptr<ReplayCursor> cursor) : cursor_(std::move(cursor)) {}
    CowInput next(int cowIndex) override;
    std::string name() const override { return "replay"; }

private:
    std::shared_ptr<ReplayCursor> cursor_;
};

// Builds the world from the map a replay holds. False with `error` set to
// the map reader's reason when it refuses it.
bool loadReplayMap(const Replay& replay, std::string& error);

// Whether either cow has won: the game (and so its recording) ends there.
bool gameWon();

// Re-running a replay and comparing it with what was recorded.
struct ReplayCheck {
    enum Outcome { Verified, Differs, Unusable } outcome = Unusable;
    int64_t steps = 0;       // steps re-run
    int64_t differsAt = 0;   // for Differs: the step whose digest differs (0: before the first)
    int32_t hayStored[2] = {};
    std::string error;       // for Unusable
};
// Builds the world from the replay's map and runs every step, comparing the
// digests; sounds go nowhere. A replay cut short is checked as far as it goes.
ReplayCheck checkReplay(const Replay& replay);

// `hoofbrawl --check-replay FILE`: one line, on `out` for a verdict and on
// `err` for a file that cannot be used; returns the exit status (0 verified,
// 1 differs, 2 the file cannot be used or is cut short).
int checkReplayCommand(const std::string& path, std::FILE* out, std::FILE* err);
