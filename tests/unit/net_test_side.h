// A lockstep session with a stand-in game, shared by the network tests: its
// state is a hash of every step's two records, so any record that differs
// between the sides, or any step run with a record that was not the peer's,
// shows in the digests.
#pragma once

#include <functional>
#include <random>
#include <string>

#include "game/game_digest.h"
#include "net/lockstep.h"

namespace nettest {

struct Side {
    Side(Transport& t, SessionConfig c, uint64_t seed, int offsetMs)
        : transport(t), session(t, std::move(c)), random(seed), nextFrameMs(offsetMs) {}
    Transport& transport;
    LockstepSession session;
    std::mt19937 random;
    int64_t nextFrameMs;
    uint64_t state = 0x1234;
    int64_t frames = 0, stalls = 0;
    uint8_t held = 0;
    bool sawWaiting = false;
    int64_t corruptAt = -1;
    int64_t stopAt = -1;  // runs no step past this one
    // The real game in place of the stand-in: runs the step, gives the digest.
    std::function<uint64_t(const StepInput&)> game;  // flips one bit of the state after this step
    std::string lastWaiting;
    // Starts the stand-in game afresh the moment the session agrees to a new
    // one, as the window does, rather than leaving it to the test.
    bool restartOnNewGame = false;
    int newGames = 0;

    void frame(int64_t now) {
        LockstepSession& s = session;
        if (!s.playing()) return;
        ++frames;
        if (s.wantsLocalInput()) {
            if (random() % 8 == 0) held = static_cast<uint8_t>(random() & kCowInputMask);
            CowInput in;
            in.bits = held;
            s.addLocalInput(in, now);
        }
        if (stopAt >= 0 && s.stepsRun() >= stopAt) return;
        if (!s.stepReady()) {
            ++stalls;
            return;
        }
        const StepInput in = s.takeStep();
        if (game) {
            state = game(in);
        } else {
            Fnv64 h;
            h.add64(state);
            h.add(in.cow[0].bits | (in.cow[1].bits << 8));
            state = h.value();
        }
        if (s.stepsRun() == corruptAt) state ^= 1ull << 17;
        s.stepDone(state, now);
    }
    void tick(int64_t now) {
        session.update(now);
        if (restartOnNewGame && session.takeNewGame()) {
            state = 0x1234;
            ++newGames;
        }
        const std::string w = session.waitingMessage(now);
        if (!w.empty()) {
            sawWaiting = true;
            lastWaiting = w;
        }
        if (now >= nextFrameMs) {
            frame(now);
            nextFrameMs += kStepMs;
        }
    }
};

inline SessionConfig config(bool host) {
    SessionConfig c;
    c.host = host;
    c.cow = host ? 0 : -1;
    c.gameVersion = "9.9.9";
    c.simulationDigest = 0xfeed;
    c.mapText = host ? "a map\n" : "";
    c.loadMap = [](const std::string& text) { return text == "a map\n" ? std::string() : std::string("not it"); };
    return c;
}

}  // namespace nettest
