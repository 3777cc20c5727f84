#include "app/net_play.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <cstdio>

#include "app/game_recording.h"
#include "app/net_match.h"
#include "app/shared_pause.h"
#include "audio/sounds.h"
#include "game/game_digest.h"
#include "game/input_source.h"
#include "game/step.h"
#include "net/enet_transport.h"
#include "net/lockstep.h"
#include "app/match_record.h"
#include "platform/sleep.h"
#include "ui/hud_state.h"
#include "ui/net_overlay.h"
#include "world/map_reader.h"
#include "world/world_grid.h"

namespace {

// How long the end of a match stays on the playing screen before the title.
constexpr int64_t kEndShownMs = 3000;
// The most a quitting game waits for its goodbye to be taken.
constexpr int kGoodbyeMs = 500;

int64_t nowMs() { return monotonicNanoseconds() / 1000000; }

// This machine's IPv4 addresses other players can use, loopback left out.
std::string localAddresses() {
    std::string list;
    ifaddrs* all = nullptr;
    if (getifaddrs(&all) != 0) return list;
    for (ifaddrs* a = all; a; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET || (a->ifa_flags & IFF_LOOPBACK)) continue;
        char text[INET_ADDRSTRLEN];
        const auto* in = reinterpret_cast<const sockaddr_in*>(a->ifa_addr);
        if (!inet_ntop(AF_INET, &in->sin_addr, text, sizeof text)) continue;
        if (!list.empty()) list += ", ";
        list += text;
    }
    freeifaddrs(all);
    return list;
}

class WindowNetPlay : public NetPlay {
public:
    WindowNetPlay(std::unique_ptr<EnetTransport> transport, SessionConfig config, std::string waitingLine)
        : transport_(std::move(transport)), session_(*transport_, std::move(config)),
          waitingLine_(std::move(waitingLine)) {}

    void service() override {
        if (netStopRequested()) {
            quit();
            std::exit(1);
        }
        const int64_t now = nowMs();
        session_.update(now);
        if (session_.state() == LockstepSession::State::Ended && endedAtMs_ < 0) onEnded(now);
        // The console says when the wait begins and ends, as the screen does.
        const std::string waiting = session_.waitingMessage(now);
        if (waiting != waitingShown_) {
            if (!waiting.empty())
                std::fprintf(stderr, "hoofbrawl: %s\n", waiting.c_str());
            else if (session_.playing())
                std::fprintf(stderr, "hoofbrawl: %s is back\n", cowName(session_.remoteCow()));
            waitingShown_ = waiting;
        }
        const bool asks = session_.peerAsksRematch();
        if (asks && !peerAskShown_)
            std::fprintf(stderr, "hoofbrawl: %s asks for a new game\n", cowName(session_.remoteCow()));
        peerAskShown_ = asks;
        const int pausedBy = session_.pausedBy();
        if (pausedBy != pausedByShown_) {
            if (pausedBy >= 0)
                std::fprintf(stderr, "hoofbrawl: paused by %s\n", cowName(pausedBy));
            else if (session_.playing())
                std::fprintf(stderr, "hoofbrawl: the game goes on\n");
            pausedByShown_ = pausedBy;
        }
    }

    void beforeFrame(AppState& state) override {
        service();
        if (!active_) return;
        ::sharePause(state, session_, nowMs());
        if (session_.playing() && !started_) {
            started_ = true;
            rebuildWorld();
            if (state.phase == GamePhase::Splash) stopSound(SoundId::SplashScreen);
            if (state.phase != GamePhase::Playing) {
                stopSound(SoundId::SplashScreen);
                playSound(SoundId::GameStart);
                playSound(SoundId::Ambient);
            }
            state.phase = GamePhase::Playing;
        }
        if (session_.playing() && session_.takeNewGame() && started_) {
            std::fprintf(stderr, "hoofbrawl: a new game with %s\n", cowName(session_.remoteCow()));
            rebuildWorld();
        }
        // Space does not start a game without the other player.
        if (!started_ && state.phase == GamePhase::Title) state.spaceReleased = false;
        if (endedAtMs_ >= 0 && nowMs() - endedAtMs_ >= kEndShownMs) {
            // Back to the title screen, with the message kept there.
            active_ = false;
            introCallCount = 0;
            releaseWorld();
            clearLastStepInput();
            readMap();
            if (state.phase != GamePhase::Splash) state.phase = GamePhase::Title;
        }
    }

    bool step(KeySource& keys) override {
        const int64_t now = nowMs();
        if (session_.wantsLocalInput()) {
            // Either key set, or any pad, drives this player's own cow.
            const StepInput both = inputsFromKeys(keys);
            CowInput mine;
            mine.bits = static_cast<uint8_t>(both.cow[0].bits | both.cow[1].bits);
            mine.bits = static_cast<uint8_t>(mine.bits | everyPadInput().bits);
            session_.addLocalInput(mine, now);
        }
        if (!session_.stepReady()) return false;
        const StepInput in = session_.takeStep();
        // Each machine keeps its replay of the match, both players' records in it.
        beginRecording(session_.localCow() == kBoris ? localDriver_ : remoteDriver_,
                       session_.localCow() == kBoris ? remoteDriver_ : localDriver_, 0);
        stepPlayingFrame(in);
        recordStep(in);
        session_.stepDone(digestGameState(), now);
        if (session_.state() == LockstepSession::State::Ended && endedAtMs_ < 0) onEnded(now);
        return true;
    }

    void draw(const AppState& state) override {
        const int64_t now = nowMs();
        std::vector<std::string> lines;
        std::string centre;
        int half = -1;
        if (!active_) {
            if (!endMessage_.empty()) lines.push_back(endMessage_);
        } else if (session_.state() == LockstepSession::State::Ended) {
            centre = endMessage_;
            if (!recordLine_.empty()) lines.push_back(recordLine_);
        } else if (!session_.playing()) {
            lines.push_back(waitingLine_);
            if (session_.state() == LockstepSession::State::Handshaking) lines.push_back("Connecting\u2026");
        } else if (state.phase == GamePhase::Playing) {
            // Boris has the right half, Horace the left.
            half = session_.localCow() == 0 ? 1 : 0;
            char info[96];
            std::snprintf(info, sizeof info, "You: %s   round trip %d ms   input delay %d", cowName(session_.localCow()),
                          session_.roundTripMs(), session_.delay());
            lines.push_back(info);
            centre = session_.waitingMessage(now);
            if (session_.peerAsksRematch() && !session_.weAskRematch())
                lines.push_back(std::string(cowName(session_.remoteCow())) + " asks for a new game: press N");
            else if (session_.weAskRematch())
                lines.push_back(std::string("Asked ") + cowName(session_.remoteCow()) + " for a new game");
        }
        drawNetOverlay(state.windowWidth, state.windowHeight, lines, half, centre);
    }

    void checkRematchKey(AppState&) override {
        const bool down = asyncKeyDown(vk::N);
        if (down && !nHeld_ && active_ && session_.playing() && !session_.weAskRematch()) {
            std::fprintf(stderr, "hoofbrawl: asked %s for a new game\n", cowName(session_.remoteCow()));
            session_.askRematch(nowMs());
        }
        nHeld_ = down;
    }

    void sharePause(AppState& state) override {
        if (active_) ::sharePause(state, session_, nowMs());
    }

    std::string pauseNote() const override { return pausedByLine(session_); }

    bool active() const override { return active_; }

    void quit() override {
        session_.quit();
        transport_->drain(kGoodbyeMs);
    }

private:
    // Both sides build the world from the host's map text, the same bytes.
    void rebuildWorld() {
        endRecording(GameEnd::NewGame);
        armRecording();
        introCallCount = 0;
        releaseWorld();
        clearLastStepInput();
        const MapLoadResult r = readMapFromBytes(session_.mapText(), "the host's map");
        if (!r.ok) std::fprintf(stderr, "hoofbrawl: %s\n", r.message.c_str());
    }

    void onEnded(int64_t now) {
        endedAtMs_ = now;
        endMessage_ = session_.endMessage();
        endRecording(GameEnd::Stopped);
        if (session_.end() == LockstepSession::End::OutOfSync) {
            std::string error;
            const std::string path = saveMatchRecord(session_, error);
            recordLine_ = path.empty() ? "The inputs could not be saved: " + error : "Inputs saved in " + path;
        }
        std::fprintf(stderr, "hoofbrawl: %s%s%s\n", endMessage_.c_str(), recordLine_.empty() ? "" : "; ",
                     recordLine_.c_str());
        // Refused before play: the title stays, with the reason.
        if (!started_) endedAtMs_ = now - kEndShownMs;
    }

    // How this machine's replays name the two drivers.
    NamedInput localDriver_{"keys"}, remoteDriver_{"network"};

    std::unique_ptr<EnetTransport> transport_;
    LockstepSession session_;
    std::string waitingLine_;
    std::string endMessage_, recordLine_, waitingShown_;
    bool active_ = true, started_ = false, nHeld_ = false, peerAskShown_ = false;
    int64_t endedAtMs_ = -1;
    int pausedByShown_ = -1;
};

}  // namespace

std::unique_ptr<NetPlay> startNetPlay(const Options& options, std::string& error) {
    if (options.hostPort < 0 && options.joinAddress.empty()) return nullptr;
    SessionConfig config = sessionConfigFor(options);
    std::unique_ptr<EnetTransport> transport;
    std::string line;
    if (config.host) {
        std::string name;
        if (!readHostMapText(options, config.mapText, name, error)) return nullptr;
        transport = hostEnet(options.hostPort, "", error);
        if (!transport) return nullptr;
        std::printf("Hosting on port %d\n", transport->port());
        std::fflush(stdout);
        const std::string addresses = localAddresses();
        line = "Hosting on port " + std::to_string(transport->port()) +
               (addresses.empty() ? std::string() : " at " + addresses) + ": waiting for the other player";
    } else {
        config.loadMap = [](const std::string& text) {
            releaseWorld();
            clearLastStepInput();
            const MapLoadResult r = readMapFromBytes(text, "the host's map");
            if (r.ok) return std::string();
            readMap();  // the title screen keeps a world to show
            return r.message;
        };
        transport = joinEnet(options.joinAddress, error);
        if (!transport) return nullptr;
        line = "Joining " + options.joinAddress;
    }
    installNetStopSignals();
    return std::make_unique<WindowNetPlay>(std::move(transport), std::move(config), line);
}
