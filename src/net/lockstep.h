// A match between two games over a transport: the handshake, then lockstep.
// A step runs only when both cows' records for it are known; each side's own
// record takes effect `delay()` steps after it is read, so that it can cross
// the network meanwhile. Records go unsequenced, every packet repeating all
// the ones the peer has not acknowledged; control messages go reliable.
// Every 10th step's state digest is compared. The session never runs the
// game: its owner asks it whether a step may run and tells it the digest.
// Time comes from the owner (`nowMs`), so tests run it on a virtual clock.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "game/cow_input.h"
#include "net/protocol.h"
#include "net/transport.h"

constexpr int kDigestEvery = 10;
constexpr int kStepMs = 51;             // the frame's pace
constexpr int64_t kWaitingAfterMs = 1000;
constexpr int64_t kLostAfterMs = 10000;
constexpr int64_t kConnectTimeoutMs = 10000;
constexpr int kMaxDelay = 4;

// The steps between reading an input and running it, for a round trip: the
// record must cross one way and survive one lost packet (the next one
// repeats it a step later), with room for jitter. 1 on a local network.
int delayForRoundTrip(int roundTripMs);

const char* cowName(int cow);

struct SessionConfig {
    bool host = false;
    // Host: the cow its player drives. Guest: the cow asked for, or -1 for
    // whichever the host leaves.
    int cow = -1;
    uint16_t protocol = kProtocolVersion;
    std::string gameVersion;
    uint64_t simulationDigest = 0;  // of the fixed test match, see sim_check.h
    std::string mapText;            // host: the map both play
    // Host: the step a headless match ends at (0: none), which the guest
    // takes too, so that both end on the same step.
    int64_t stepLimit = 0;
    // Guest: builds the world from the host's map; "" when it loaded, else why not.
    std::function<std::string(const std::string& mapText)> loadMap;
};

class LockstepSession {
public:
    enum class State { Connecting, Handshaking, Playing, Ended };
    enum class End { None, Refused, ConnectFailed, OutOfSync, Lost, PeerQuit, LocalQuit };

    LockstepSession(Transport& transport, SessionConfig config);

    // Reads what arrived, moves the handshake on, sends what is due.
    void update(int64_t nowMs);

    State state() const { return state_; }
    End end() const { return end_; }
    // What the players are told when the match ended ("" while it goes on).
    const std::string& endMessage() const { return endMessage_; }
    bool playing() const { return state_ == State::Playing; }

    int localCow() const { return localCow_; }
    int remoteCow() const { return 1 - localCow_; }
    int delay() const { return delay_; }
    // The host's step limit, on both sides once play began (0: none).
    int64_t stepLimit() const { return config_.stepLimit; }
    int roundTripMs() const { return roundTripMs_; }
    // The peer has been silent for a second or more in play, or has sent no
    // record for the step this side is held on for a second.
    bool waiting(int64_t nowMs) const;
    // "Waiting for Horace…" while waiting, else "".
    std::string waitingMessage(int64_t nowMs) const;

    // Lockstep, in play. The owner reads its player's input only when asked,
    // so that it never runs more than `delay` steps ahead of the game.
    bool wantsLocalInput() const;
    void addLocalInput(CowInput input, int64_t nowMs);
    bool stepReady() const;
    // Both records of the next step; the step count moves on.
    StepInput takeStep();
    // After the step ran: its state digest (compared every 10th step).
    void stepDone(uint64_t digest, int64_t nowMs);
    int64_t stepsRun() const { return step_; }
    // Every step's records of this game, for the record an out-of-sync saves.
    const std::vector<StepInput>& history() const { return history_; }

    // A rematch: asked here (N), and whether the peer asked.
    void askRematch(int64_t nowMs);
    bool peerAsksRematch() const { return peerRematch_; }
    bool weAskRematch() const { return localRematch_; }
    // True once when both agreed: the owner starts the new game from the map.
    bool takeNewGame();
    int gameNumber() const { return game_; }

    // A match that ends by its own rules (a win, a step limit) ends at the
    // same step on both sides; each says so and goes on sending its records
    // until the peer has said so too, so that neither leaves the other short.
    void finishMatch(int64_t nowMs);
    bool matchOver() const { return localFinished_ && peerFinished_; }

    // A pause the two games share: either player holds both and either
    // resumes both. While paused this side reads no record and runs no step,
    // so the lockstep simply holds; the record packets keep going both ways
    // all the same, so a long pause is neither waited on nor a lost
    // connection, and a peer that really goes is still noticed. Each change
    // carries a number one past the last one known; the higher number wins,
    // and of two changes with the same number (both players pressed at once)
    // the host's, so both sides always settle on the same state.
    void setPaused(bool paused, int64_t nowMs);
    bool paused() const { return playing() && paused_; }
    // The cow whose player paused the game, -1 while it runs.
    int pausedBy() const { return paused() ? pausedBy_ : -1; }

    // The player quits: the peer is told at once.
    void quit();

    const std::string& mapText() const { return config_.mapText; }
    uint64_t bytesSent() const { return transport_.bytesSent(); }

private:
    void handle(const NetEvent& e, int64_t nowMs);
    void handleMessage(const NetMessage& m, int64_t nowMs);
    void checkHello(const NetMessage& m, int64_t nowMs);
    void refuse(const std::string& reason);
    void sayGoodbye(ByeReason why, uint32_t step);
    void finish(End how, const std::string& message);
    void send(NetChannel channel, const NetMessage& m);
    void sendInputs(int64_t nowMs);
    void sendMapChunk(int64_t nowMs);
    void sendPing(int64_t nowMs);
    void startPlay(int64_t nowMs);
    void resetGame(int64_t nowMs);
    void applyPause(uint32_t number, bool byHost, bool paused, int byCow, int64_t nowMs);
    void compareDigests();

    Transport& transport_;
    SessionConfig config_;
    State state_ = State::Connecting;
    End end_ = End::None;
    std::string endMessage_;
    int peer_ = -1;
    int localCow_ = 0;
    int delay_ = 1;
    int roundTripMs_ = -1;
    int64_t startedMs_ = -1;
    int64_t lastHeardMs_ = 0;
    int64_t lastStepMs_ = 0;

    // Handshake.
    bool helloSent_ = false, helloOk_ = false;
    std::vector<int> pings_;
    int64_t lastPingMs_ = -1000000;
    std::vector<uint8_t> incomingMap_;  // deflated, as it comes
    uint32_t incomingMapSize_ = 0, incomingPackedSize_ = 0;
    uint64_t incomingMapDigest_ = 0;
    bool startSent_ = false;
    std::vector<uint8_t> mapPacked_;  // host: the map deflated, sent a chunk at a time
    size_t mapSent_ = 0;
    int64_t lastChunkMs_ = 0;

    // Lockstep of the current game.
    uint8_t game_ = 0;
    std::vector<uint8_t> local_, remote_;  // records by step
    uint32_t peerHas_ = 0;                 // how many of ours the peer acknowledged
    int64_t step_ = 0;
    int64_t lastInputsSentMs_ = -1000000;
    bool inputsOwed_ = false;
    std::vector<StepInput> history_;
    std::map<uint32_t, uint64_t> localDigests_, peerDigests_;
    bool localRematch_ = false, peerRematch_ = false, newGame_ = false;
    bool localFinished_ = false, peerFinished_ = false;

    // The shared pause: the latest change, ordered by (number, by the host).
    uint32_t pauseNumber_ = 0;
    bool pauseByHost_ = false;
    bool paused_ = false;
    int pausedBy_ = -1;
};
