#include "app/net_match.h"

#include <cinttypes>
#include <csignal>
#include <fstream>
#include <memory>
#include <sstream>

#include "game/drivers.h"
#include "game/game_digest.h"
#include "game/step.h"
#include "net/enet_transport.h"
#include "net/lockstep.h"
#include "app/headless.h"
#include "app/match_record.h"
#include "game/replay.h"
#include "net/sim_check.h"
#include "platform/sleep.h"
#include "world/map_reader.h"
#include "world/world_grid.h"

bool readHostMapText(const Options& options, std::string& text, std::string& name, std::string& error) {
    name = options.mapFile.empty() ? kMapFile : options.mapFile;
    std::ifstream in(name, std::ios::binary);
    if (!in) {
        error = name + ": cannot be opened";
        return false;
    }
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    if (text.size() > kMaxMapBytes) {
        error = name + ": too large to send (over " + std::to_string(kMaxMapBytes) + " bytes)";
        return false;
    }
    return true;
}

SessionConfig sessionConfigFor(const Options& options) {
    SessionConfig config;
    config.host = options.hostPort >= 0;
    config.cow = options.playAs.empty() ? (config.host ? kBoris : -1) : (options.playAs == "horace" ? kHorace : kBoris);
    config.gameVersion = HOOFBRAWL_VERSION;
    config.simulationDigest = simulationCheckDigest();
    return config;
}

namespace {

volatile std::sig_atomic_t stopSignal = 0;
void noteStopSignal(int) { stopSignal = 1; }

}  // namespace

void installNetStopSignals() {
    std::signal(SIGINT, noteStopSignal);
    std::signal(SIGTERM, noteStopSignal);
}

bool netStopRequested() { return stopSignal != 0; }

namespace {

int64_t nowMs() { return monotonicNanoseconds() / 1000000; }

}  // namespace

int runNetworkMatchHeadless(const Options& options, std::FILE* out, std::FILE* err) {
    SessionConfig config = sessionConfigFor(options);
    // The host's --steps holds for both.
    config.stepLimit = options.steps;

    std::string error, mapName;
    std::unique_ptr<EnetTransport> transport;
    if (config.host) {
        if (!readHostMapText(options, config.mapText, mapName, error)) {
            std::fprintf(err, "hoofbrawl: %s\n", error.c_str());
            return 2;
        }
        const MapLoadResult loaded = readMapFromBytes(config.mapText, mapName);
        if (!loaded.ok) {
            std::fprintf(err, "hoofbrawl: %s\n", loaded.message.c_str());
            return 2;
        }
        transport = hostEnet(options.hostPort, "", error);
        if (!transport) {
            std::fprintf(err, "hoofbrawl: %s\n", error.c_str());
            return 2;
        }
        std::fprintf(out, "Hosting on port %d\n", transport->port());
        std::fflush(out);
    } else {
        config.loadMap = [](const std::string& text) {
            const MapLoadResult loaded = readMapFromBytes(text, "the host's map");
            return loaded.ok ? std::string() : loaded.message;
        };
        transport = joinEnet(options.joinAddress, error);
        if (!transport) {
            std::fprintf(err, "hoofbrawl: %s\n", error.c_str());
            return 2;
        }
    }

    LockstepSession session(*transport, config);
    installNetStopSignals();
    std::unique_ptr<InputSource> driver;
    NamedInput remote("network");
    ReplayWriter writer;  // --record: this side's replay of the match
    int winner = -1;
    int32_t stored[2] = {0, 0};
    int64_t finishedAt = -1;
    const int64_t start = nowMs();
    for (;;) {
        const int64_t now = nowMs() - start;
        if (netStopRequested()) {
            session.quit();
            transport->drain(500);
            std::fprintf(err, "hoofbrawl: stopped by a signal\n");
            return 1;
        }
        session.update(now);
        if (session.state() == LockstepSession::State::Ended) break;
        if (!session.playing()) {
            sleepUntil(monotonicNanoseconds() + 2000000);
            continue;
        }
        if (!driver) {
            const int c = session.localCow();
            driver = makeInputSource(options.driver[c], options.seed + c, nullptr, error);
            if (!driver) {
                std::fprintf(err, "hoofbrawl: %s\n", error.c_str());
                session.quit();
                return 2;
            }
            if (!options.recordFile.empty()) {
                const InputSource& boris = c == kBoris ? *driver : static_cast<const InputSource&>(remote);
                const InputSource& horace = c == kBoris ? static_cast<const InputSource&>(remote) : *driver;
                if (!writer.open(options.recordFile, replayInfoForCurrentGame(boris, horace, options.seed)))
                    std::fprintf(err, "hoofbrawl: %s\n", writer.error().c_str());
            }
        }
        if (finishedAt >= 0) {
            // Our records keep going out until the peer has its last step too.
            if (session.matchOver() || now - finishedAt > kLostAfterMs) break;
            sleepUntil(monotonicNanoseconds() + 2000000);
            continue;
        }
        bool moved = false;
        if (session.wantsLocalInput()) {
            session.addLocalInput(driver->next(session.localCow()), now);
            moved = true;
        }
        while (session.stepReady()) {
            Cow* cows[2] = {world.cow1, world.cow2};
            int32_t before[2], carried[2];
            for (int c = 0; c < 2; ++c) {
                before[c] = cows[c]->hayStored;
                carried[c] = cows[c]->hayCarried;
            }
            const StepInput in = session.takeStep();
            stepPlayingFrame(in);
            writer.step(in);
            session.stepDone(digestGameState(), now);
            moved = true;
            for (int c = 0; c < 2 && winner < 0; ++c) {
                if (!cows[c]->winner) continue;
                winner = c;
                // A win empties both stores: report what the match ended with.
                stored[c] = before[c] + carried[c];
                stored[1 - c] = before[1 - c];
            }
            if (winner >= 0 || (session.stepLimit() > 0 && session.stepsRun() >= session.stepLimit())) {
                if (winner < 0)
                    for (int c = 0; c < 2; ++c) stored[c] = cows[c]->hayStored;
                finishedAt = now;
                session.finishMatch(now);
                break;
            }
        }
        if (!moved) sleepUntil(monotonicNanoseconds() + 1000000);
    }

    const int64_t seconds = std::max<int64_t>(1, (nowMs() - start) / 1000);
    std::fprintf(err, "hoofbrawl: network: round trip %d ms, input delay %d steps, sent %" PRIu64
                      " bytes (%" PRIu64 " bytes a second)\n",
                 session.roundTripMs(), session.delay(), session.bytesSent(),
                 session.bytesSent() / static_cast<uint64_t>(seconds));
    if (finishedAt >= 0) {
        writer.finish(winner >= 0 ? GameEnd::Won : GameEnd::StepLimit);
        if (!writer.error().empty()) std::fprintf(err, "hoofbrawl: %s\n", writer.error().c_str());
        MatchResult result;
        result.winner = winner;
        result.steps = session.stepsRun();
        result.stored[0] = stored[0];
        result.stored[1] = stored[1];
        result.digest = digestGameState();
        std::fprintf(out, "%s\n", matchResultLine(result, options.seed).c_str());
        // A replay asked for and not written is a failure, result or not.
        const bool recordFailed = !options.recordFile.empty() && !writer.error().empty();
        std::fflush(out);
        session.quit();
        transport->drain(500);
        releaseWorld();
        return recordFailed ? 1 : 0;
    }
    writer.finish(GameEnd::Stopped);
    std::string message = session.endMessage();
    if (session.end() == LockstepSession::End::OutOfSync) {
        const std::string path = saveMatchRecord(session, error);
        message += path.empty() ? "; the inputs could not be saved: " + error
                                : "; both players' inputs are saved in " + path;
    }
    std::fprintf(err, "hoofbrawl: %s\n", message.c_str());
    releaseWorld();
    return 1;
}
