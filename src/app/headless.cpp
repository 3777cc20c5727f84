#include "app/headless.h"

#include <fcntl.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdio>
#include <memory>

#include "game/drivers.h"
#include "game/game_digest.h"
#include "game/replay.h"
#include "game/step.h"
#include "platform/data_dir.h"
#include "world/map_reader.h"
#include "world/world_grid.h"

MatchResult playMatch(InputSource& boris, InputSource& horace, int64_t maxSteps, const StepHook& hook) {
    MatchResult result;
    if (!world.cow1 || !world.cow2) return result;
    Cow* cows[2] = {world.cow1, world.cow2};
    for (int64_t s = 0; s < maxSteps; ++s) {
        int32_t stored[2], carried[2];
        for (int c = 0; c < 2; ++c) {
            stored[c] = cows[c]->hayStored;
            carried[c] = cows[c]->hayCarried;
        }
        StepInput in;
        in.cow[kBoris] = boris.next(kBoris);
        in.cow[kHorace] = horace.next(kHorace);
        stepPlayingFrame(in);
        ++result.steps;
        if (hook) hook(in);
        for (int c = 0; c < 2; ++c) {
            if (!cows[c]->winner) continue;
            result.winner = c;
            result.stored[c] = stored[c] + carried[c];
            result.stored[1 - c] = stored[1 - c];
            result.digest = digestGameState();
            return result;
        }
    }
    for (int c = 0; c < 2; ++c) result.stored[c] = cows[c]->hayStored;
    result.digest = digestGameState();
    return result;
}

MatchResult playRecordedMatch(InputSource& boris, InputSource& horace, int64_t maxSteps, uint64_t seed,
                              const std::string& recordPath, std::string& error, const StepHook& hook) {
    ReplayWriter writer;
    if (!recordPath.empty() && !writer.open(recordPath, replayInfoForCurrentGame(boris, horace, seed))) {
        error = writer.error();
        return {};
    }
    const MatchResult result = playMatch(boris, horace, maxSteps, [&](const StepInput& in) {
        writer.step(in);
        if (hook) hook(in);
    });
    if (writer.recording()) writer.finish(gameWon() ? GameEnd::Won : GameEnd::StepLimit);
    error = writer.error();
    return result;
}

std::string matchResultLine(const MatchResult& r, uint64_t seed) {
    const char* winner = r.winner == kBoris ? "boris" : r.winner == kHorace ? "horace" : "none";
    char line[200];
    std::snprintf(line, sizeof line, "winner=%s steps=%" PRId64 " boris=%d horace=%d seed=%" PRIu64 " digest=%016" PRIx64,
                  winner, r.steps, r.stored[kBoris], r.stored[kHorace], seed, r.digest);
    return line;
}

namespace {
// The rules print a word when a syringe takes effect; standard output carries
// only the result line, so the match runs with it pointed at nothing.
class QuietStdout {
public:
    QuietStdout() {
        std::fflush(stdout);
        saved_ = dup(STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (saved_ >= 0 && null >= 0) dup2(null, STDOUT_FILENO);
        if (null >= 0) close(null);
    }
    ~QuietStdout() {
        std::fflush(stdout);
        if (saved_ >= 0) {
            dup2(saved_, STDOUT_FILENO);
            close(saved_);
        }
    }

private:
    int saved_ = -1;
};
}  // namespace

int runHeadless(const Options& options, const char* program, const StepHook& hook) {
    if (options.steps < 0) {
        std::fprintf(stderr, "%s: --steps must not be negative\n%s", program, usageText(program).c_str());
        return 2;
    }
    // No keyboard without a window: a cow left to the keys stands idle.
    std::unique_ptr<InputSource> sources[2];
    for (int c = 0; c < 2; ++c) {
        std::string error;
        sources[c] = makeInputSource(options.driver[c], options.seed + static_cast<uint64_t>(c), nullptr, error);
        if (!sources[c]) {
            std::fprintf(stderr, "%s: %s\n%s", program, error.c_str(), usageText(program).c_str());
            return 2;
        }
    }
    MapLoadResult loaded;
    if (!options.mapFile.empty()) {
        loaded = readMapFile(options.mapFile);
    } else {
        enterDataDirOrExit();
        loaded = readMapFile(kMapFile);
    }
    if (!loaded.ok) {
        std::fprintf(stderr, "%s\n", loaded.message.c_str());
        return 1;
    }
    clearLastStepInput();
    std::string error;
    MatchResult result;
    {
        QuietStdout quiet;
        result = playRecordedMatch(*sources[kBoris], *sources[kHorace], options.steps, options.seed, options.recordFile,
                                   error, hook);
    }
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        releaseWorld();
        return 1;
    }
    std::printf("%s\n", matchResultLine(result, options.seed).c_str());
    std::fflush(stdout);
    releaseWorld();
    return 0;
}
