#include "app/game_recording.h"

#include <cstdlib>
#include <ctime>
#include <string>

#include "app/replay_store.h"

namespace {

bool enabled = false;
bool armed = true;
bool warned = false;
GameEnd endAtExit = GameEnd::Quit;
ReplayWriter writer;
std::string lastPath;

// ESC and the window's close both end the process through exit(): the replay
// is finished there, so it has its end record and final digest.
void finishAtExit() { endRecording(endAtExit); }

void warn(std::FILE* to, const std::string& what) {
    if (warned || !to) return;
    warned = true;
    std::fprintf(to, "hoofbrawl: %s; this game is not recorded\n", what.c_str());
    std::fflush(to);
}

}  // namespace

void setRecordingEnabled(bool on) {
    static bool registered = false;
    if (on && !registered) {
        registered = true;
        std::atexit(finishAtExit);
    }
    enabled = on;
}

void beginRecording(const InputSource& boris, const InputSource& horace, uint64_t seed, std::FILE* warnings) {
    if (!enabled || !armed) return;
    armed = false;
    const std::string dir = replayDirectory();
    std::string error;
    if (!makeReplayDirectory(dir, error)) return warn(warnings, error);
    const std::string path = newReplayPath(dir, std::time(nullptr));
    if (!writer.open(path, replayInfoForCurrentGame(boris, horace, seed))) return warn(warnings, writer.error());
    lastPath = path;
    keepNewestReplays(dir, kKeptReplays);
}

void armRecording() { armed = true; }

void recordStep(const StepInput& in) {
    if (!writer.recording()) return;
    writer.step(in);
    if (gameWon()) endRecording(GameEnd::Won);
    else if (!writer.recording()) warn(stderr, writer.error());
}

void endRecording(GameEnd how) {
    if (!writer.recording()) return;
    writer.finish(how);
    if (!writer.error().empty()) warn(stderr, writer.error());
}

void setEndAtExit(GameEnd how) { endAtExit = how; }

const char* currentReplayPath() { return lastPath.c_str(); }
