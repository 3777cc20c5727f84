// Two lockstep sessions over the in-memory link, on a virtual clock, each
// running the stand-in game of net_test_side.h.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "game/game_digest.h"
#include "net/lockstep.h"
#include "net/memory_link.h"
#include "net/protocol.h"
#include "net_test_side.h"

namespace {

using nettest::Side;
using nettest::config;

class LockstepMatch : public ::testing::Test {
protected:
    std::unique_ptr<MemoryNetwork> net;
    std::unique_ptr<Side> host, guest;
    MemoryTransport* hostEnd = nullptr;
    int64_t now = 0;

    void start(LinkConditions link, SessionConfig h = config(true), SessionConfig g = config(false)) {
        net = std::make_unique<MemoryNetwork>(link);
        MemoryTransport& a = net->addEndpoint();
        hostEnd = &a;
        MemoryTransport& b = net->addEndpoint();
        host = std::make_unique<Side>(a, std::move(h), 11, 0);
        guest = std::make_unique<Side>(b, std::move(g), 22, 17);  // the frames of two machines never line up
        net->connect(b, a);
    }
    void runFor(int64_t ms) {
        for (const int64_t end = now + ms; now < end; ++now) {
            host->tick(now);
            guest->tick(now);
        }
    }
    bool bothPlaying() const { return host->session.playing() && guest->session.playing(); }
    // Runs until both have run `steps` steps; both compare their digests
    // along the way, so a match that got there agreed on every one.
    void runSteps(int64_t steps) {
        for (int i = 0; i < 5000 && !bothPlaying(); ++i) runFor(1);
        while (bothPlaying() && (host->session.stepsRun() < steps || guest->session.stepsRun() < steps) &&
               now < 3600000)
            runFor(1);
    }
    void expectSameGame() {
        ASSERT_EQ(host->session.stepsRun(), guest->session.stepsRun());
        EXPECT_EQ(host->state, guest->state);
    }
    // Steps run for frames shown once play began, on the slower side.
    double pace() const {
        return std::min(double(host->session.stepsRun()) / host->frames, double(guest->session.stepsRun()) / guest->frames);
    }
    double bytesPerSecond(const Side& s) const { return s.transport.bytesSent() * 1000.0 / now; }
    void report(const char* what) {
        std::printf("[%s] round trip %d/%d ms, delay %d, pace %.3f, bytes/s %.0f host %.0f guest, stalls %lld/%lld\n",
                    what, host->session.roundTripMs(), guest->session.roundTripMs(), host->session.delay(), pace(),
                    bytesPerSecond(*host), bytesPerSecond(*guest), static_cast<long long>(host->stalls),
                    static_cast<long long>(guest->stalls));
    }
};

TEST_F(LockstepMatch, CleanLinkPlaysAtFullPaceWithOneStepOfDelay) {
    start({});
    runFor(500);
    ASSERT_TRUE(bothPlaying()) << host->session.endMessage() << guest->session.endMessage();
    EXPECT_EQ(host->session.localCow(), 0);
    EXPECT_EQ(guest->session.localCow(), 1);
    EXPECT_EQ(host->session.delay(), 1);
    EXPECT_EQ(guest->session.delay(), 1);
    runSteps(2000);
    expectSameGame();
    EXPECT_TRUE(bothPlaying());
    EXPECT_GE(pace(), 0.99);
    EXPECT_FALSE(host->sawWaiting || guest->sawWaiting);
    report("clean");
}

// The map crosses deflated, a chunk at a time: a large one that deflates
// poorly (all but random text, 16 KB, about 13 KB deflated) still arrives
// whole and exact, and in no second of the handshake does the host send more
// than its two kilobytes; the shipped map fits in one packet.
TEST_F(LockstepMatch, TheMapCrossesDeflatedAtTheMatchsPace) {
    std::mt19937 random(5);
    std::string big;
    while (big.size() < 16 * 1024) big += static_cast<char>('!' + random() % 90);
    std::string got;
    SessionConfig h = config(true), g = config(false);
    h.mapText = big;
    g.loadMap = [&](const std::string& text) {
        got = text;
        return std::string();
    };
    LinkConditions link;
    link.delayMs = 20;
    link.loss = 0.05;
    link.seed = 3;
    start(link, std::move(h), std::move(g));
    uint64_t sentBefore = 0;
    for (int second = 0; second < 40 && !bothPlaying(); ++second) {
        runFor(1000);
        const uint64_t sent = host->transport.bytesSent();
        EXPECT_LE(sent - sentBefore, 2048u) << "in second " << second;
        sentBefore = sent;
    }
    ASSERT_TRUE(bothPlaying()) << host->session.endMessage() << guest->session.endMessage();
    EXPECT_EQ(got, big);
    runSteps(200);
    expectSameGame();
}

TEST_F(LockstepMatch, BadLinkKeepsThePaceAndAgrees) {
    LinkConditions bad;
    bad.delayMs = 40;
    bad.jitterMs = 10;
    bad.loss = 0.05;
    bad.duplicate = 0.05;
    bad.reorder = 0.1;
    bad.seed = 7;
    start(bad);
    runFor(2000);
    ASSERT_TRUE(bothPlaying()) << host->session.endMessage() << guest->session.endMessage();
    const int d = host->session.delay();
    EXPECT_GE(d, 2);
    EXPECT_LE(d, kMaxDelay);
    EXPECT_EQ(guest->session.delay(), d);
    const int64_t framesBefore[2] = {host->frames, guest->frames};
    const int64_t stepsBefore = host->session.stepsRun();
    runSteps(3000);
    expectSameGame();
    EXPECT_TRUE(bothPlaying()) << host->session.endMessage() << guest->session.endMessage();
    EXPECT_FALSE(host->sawWaiting || guest->sawWaiting);
    // Steps per frame over the match; one frame in a hundred may wait for a
    // packet that came at the far end of the jitter.
    const double ran = double(host->session.stepsRun() - stepsBefore);
    EXPECT_GE(ran / (host->frames - framesBefore[0]), 0.99);
    EXPECT_GE(ran / (guest->frames - framesBefore[1]), 0.98);
    EXPECT_LE(bytesPerSecond(*host), 2048);
    EXPECT_LE(bytesPerSecond(*guest), 2048);
    EXPECT_NEAR(host->session.roundTripMs(), 80, 25);
    report("40+-10 ms, 5% loss, reorder, duplicates");
}

TEST_F(LockstepMatch, ABlackoutHoldsTheGameThenItResumes) {
    LinkConditions link;
    link.delayMs = 5;
    start(link);
    runSteps(400);
    const int64_t stepsBefore = host->session.stepsRun();
    net->setSilent(true);
    runFor(900);
    EXPECT_FALSE(host->sawWaiting || guest->sawWaiting) << "too early to say";
    runFor(2100);
    // Held: no side ran more than its delay past the last records it had.
    EXPECT_LE(host->session.stepsRun(), stepsBefore + 2 + host->session.delay() * 2);
    EXPECT_TRUE(host->sawWaiting);
    EXPECT_TRUE(guest->sawWaiting);
    EXPECT_EQ(host->lastWaiting, "Waiting for Horace\u2026");
    EXPECT_EQ(guest->lastWaiting, "Waiting for Boris\u2026");
    net->setSilent(false);
    runFor(300);
    EXPECT_TRUE(host->session.waitingMessage(now).empty());
    runSteps(stepsBefore + 400);
    EXPECT_TRUE(bothPlaying()) << host->session.endMessage() << guest->session.endMessage();
    expectSameGame();
    report("3 s blackout");
}

// The other game still answers but runs no steps (its window hidden, its
// machine busy): this side holds and says whom it waits for, then goes on.
TEST_F(LockstepMatch, APeerThatStopsSteppingIsWaitedForThenCaughtUpWith) {
    start({});
    runSteps(100);
    guest->stopAt = guest->session.stepsRun();
    runFor(900);
    EXPECT_FALSE(host->sawWaiting);
    runFor(600);
    EXPECT_TRUE(host->sawWaiting);
    EXPECT_EQ(host->lastWaiting, "Waiting for Horace\u2026");
    EXPECT_LE(host->session.stepsRun(), guest->stopAt + 2 * host->session.delay() + 1);
    guest->stopAt = -1;
    runSteps(300);
    EXPECT_TRUE(bothPlaying());
    EXPECT_TRUE(host->session.waitingMessage(now).empty());
    expectSameGame();
}

TEST_F(LockstepMatch, TenSecondsOfSilenceEndTheMatchOnBothSides) {
    start({});
    runSteps(100);
    net->setSilent(true);
    runFor(9900);
    EXPECT_TRUE(bothPlaying());
    runFor(200);
    EXPECT_EQ(host->session.end(), LockstepSession::End::Lost);
    EXPECT_EQ(guest->session.end(), LockstepSession::End::Lost);
    EXPECT_EQ(host->session.endMessage(), "Lost the connection to Horace");
    EXPECT_EQ(guest->session.endMessage(), "Lost the connection to Boris");
}

TEST_F(LockstepMatch, AOneBitDivergenceStopsBothSidesWithinTenSteps) {
    LinkConditions link;
    link.delayMs = 20;
    link.loss = 0.05;
    start(link);
    guest->corruptAt = 333;
    runSteps(1000);
    runFor(1000);
    for (Side* s : {host.get(), guest.get()}) {
        EXPECT_EQ(s->session.end(), LockstepSession::End::OutOfSync);
        EXPECT_EQ(s->session.endMessage(), "Out of sync at step 340");
        EXPECT_LE(s->session.stepsRun(), 343 + kMaxDelay);
        // The record for the bug report holds every step both ran.
        EXPECT_GE(s->session.history().size(), 340u);
    }
    EXPECT_EQ(host->session.history()[100], guest->session.history()[100]);
}

TEST_F(LockstepMatch, APeerThatQuitsIsReportedWithinHalfASecond) {
    LinkConditions link;
    link.delayMs = 40;
    link.jitterMs = 10;
    link.loss = 0.05;
    start(link);
    runSteps(200);
    guest->session.quit();
    EXPECT_EQ(guest->session.end(), LockstepSession::End::LocalQuit);
    runFor(500);
    EXPECT_EQ(host->session.end(), LockstepSession::End::PeerQuit);
    EXPECT_EQ(host->session.endMessage(), "Horace left the game");
}

TEST_F(LockstepMatch, ARematchStartsANewGameOnBothSidesWhenBothAsk) {
    LinkConditions link;
    link.delayMs = 30;
    link.loss = 0.05;
    start(link);
    runSteps(300);
    host->session.askRematch(now);
    runFor(500);
    EXPECT_TRUE(guest->session.peerAsksRematch());
    EXPECT_EQ(guest->session.gameNumber(), 0) << "one side alone does not start a new game";
    guest->session.askRematch(now);
    runFor(300);
    EXPECT_EQ(host->session.gameNumber(), 1);
    EXPECT_EQ(guest->session.gameNumber(), 1);
    EXPECT_TRUE(host->session.takeNewGame());
    EXPECT_TRUE(guest->session.takeNewGame());
    host->state = guest->state = 0x1234;  // the owners start the new game from the map
    // The steps run since the reset, on records of the new game only.
    while (bothPlaying() && (host->session.stepsRun() > 100 || guest->session.stepsRun() > 100)) runFor(1);
    runSteps(500);
    EXPECT_TRUE(bothPlaying()) << host->session.endMessage() << guest->session.endMessage();
}

TEST_F(LockstepMatch, MismatchesAreRefusedWithTheReasonBeforeAnyStep) {
    struct Case {
        const char* what;
        void (*bend)(SessionConfig&);
        const char* reason;
    } cases[] = {
        {"protocol", [](SessionConfig& c) { c.protocol = kProtocolVersion + 1; }, "different protocol versions"},
        {"version", [](SessionConfig& c) { c.gameVersion = "9.9.8"; }, "different game versions"},
        {"simulation", [](SessionConfig& c) { c.simulationDigest ^= 1; }, "compute the game differently"},
        {"cow", [](SessionConfig& c) { c.cow = 0; }, "both players asked to drive Boris"},
        {"map", [](SessionConfig& c) { c.loadMap = [](const std::string&) { return std::string("line 3: bad"); }; },
         "the host's map does not load: line 3: bad"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        LinkConditions link;
        link.delayMs = 40;
        SessionConfig g = config(false);
        k.bend(g);
        start(link, config(true), g);
        now = 0;
        runFor(2000);
        for (Side* s : {host.get(), guest.get()}) {
            EXPECT_EQ(s->session.end(), LockstepSession::End::Refused) << s->session.endMessage();
            EXPECT_NE(s->session.endMessage().find(k.reason), std::string::npos) << s->session.endMessage();
            EXPECT_EQ(s->session.stepsRun(), 0);
            EXPECT_EQ(s->frames, 0);
        }
    }
}

TEST_F(LockstepMatch, AThirdPlayerIsToldTheGameIsFull) {
    start({});
    runSteps(50);
    MemoryTransport& third = net->addEndpoint();
    Side late(third, config(false), 33, 5);
    net->connect(third, *hostEnd);
    for (int i = 0; i < 300; ++i, ++now) {
        host->tick(now);
        guest->tick(now);
        late.tick(now);
    }
    EXPECT_EQ(late.session.end(), LockstepSession::End::Refused);
    EXPECT_EQ(late.session.endMessage(), "Refused: game full");
    EXPECT_TRUE(bothPlaying());
    runSteps(200);
    expectSameGame();
}

TEST_F(LockstepMatch, GarbageFromThePeerChangesNothing) {
    LinkConditions link;
    link.delayMs = 10;
    start(link);
    runSteps(100);
    // A rogue endpoint wired as if it were the guest's peer cannot be built
    // here; the guest's own transport sends the junk instead, on both
    // channels, mixed with its real packets.
    std::mt19937 junk(5);
    for (int round = 0; round < 400; ++round) {
        std::vector<uint8_t> bytes(junk() % 40);
        for (uint8_t& b : bytes) b = static_cast<uint8_t>(junk());
        if (round % 3 == 0 && bytes.size() >= 3) {
            bytes[0] = 'H';  // the magic, so the decoder looks further
            bytes[1] = 'b';
            bytes[2] = static_cast<uint8_t>(1 + junk() % 11);
        }
        guest->transport.send(1, round % 2 ? NetChannel::Reliable : NetChannel::Unsequenced, bytes.data(),
                              bytes.size());
        runFor(5);
    }
    runSteps(host->session.stepsRun() + 200);
    EXPECT_TRUE(bothPlaying()) << host->session.endMessage();
    expectSameGame();
}

// A pause either player asks for holds both games, for as long as it lasts,
// and either player can end it; the match then goes on in step.
TEST_F(LockstepMatch, APauseHoldsBothGamesAndTheOtherPlayerCanResumeIt) {
    LinkConditions link;
    link.delayMs = 30;
    link.jitterMs = 10;
    link.loss = 0.05;
    link.seed = 3;
    start(link);
    runSteps(200);
    host->session.setPaused(true, now);
    EXPECT_TRUE(host->session.paused());
    EXPECT_FALSE(host->session.wantsLocalInput());
    EXPECT_FALSE(host->session.stepReady());
    runFor(300);
    ASSERT_TRUE(guest->session.paused()) << "the other game did not hear of the pause";
    EXPECT_EQ(guest->session.pausedBy(), 0);
    EXPECT_EQ(host->session.pausedBy(), 0);
    // The other game ran only the steps it already had both records for.
    const int64_t held[2] = {host->session.stepsRun(), guest->session.stepsRun()};
    EXPECT_LE(guest->session.stepsRun(), host->session.stepsRun() + host->session.delay());
    const uint64_t bytesBefore = host->transport.bytesSent() + guest->transport.bytesSent();
    runFor(40000);
    EXPECT_EQ(host->session.stepsRun(), held[0]) << "a step ran while paused";
    EXPECT_EQ(guest->session.stepsRun(), held[1]) << "a step ran while paused";
    EXPECT_TRUE(bothPlaying()) << host->session.endMessage() << guest->session.endMessage();
    EXPECT_FALSE(host->sawWaiting || guest->sawWaiting) << host->lastWaiting << guest->lastWaiting;
    // The pause costs no more than play: the record packets are its keep-alive.
    const double pausedBytesPerSecond =
        (host->transport.bytesSent() + guest->transport.bytesSent() - bytesBefore) / 2 / 40.0;
    EXPECT_LE(pausedBytesPerSecond, 2048);
    // Pressing again from the other side resumes both.
    guest->session.setPaused(false, now);
    runFor(300);
    EXPECT_FALSE(host->session.paused());
    EXPECT_FALSE(guest->session.paused());
    EXPECT_EQ(host->session.pausedBy(), -1);
    runSteps(held[0] + 400);
    EXPECT_TRUE(bothPlaying()) << host->session.endMessage() << guest->session.endMessage();
    expectSameGame();
    EXPECT_FALSE(host->sawWaiting || guest->sawWaiting) << "the held time counted as waiting after the resume";
}

// Paused while held on the other game (its machine busy): the pause is not
// waiting for anyone, however long; once resumed, the wait counts afresh.
TEST_F(LockstepMatch, APauseWhileHeldOnThePeerIsNotWaitingForIt) {
    start({});
    runSteps(100);
    guest->stopAt = guest->session.stepsRun();
    runFor(500);
    ASSERT_FALSE(host->sawWaiting);
    host->session.setPaused(true, now);
    runFor(30000);
    EXPECT_FALSE(host->sawWaiting) << "a pause was taken for the other game holding this one up";
    EXPECT_FALSE(guest->sawWaiting);
    host->session.setPaused(false, now);
    runFor(900);
    EXPECT_FALSE(host->sawWaiting) << "the time paused counted towards the wait";
    runFor(300);
    EXPECT_EQ(host->lastWaiting, "Waiting for Horace\u2026");
    guest->stopAt = -1;
    runSteps(300);
    EXPECT_TRUE(bothPlaying());
    expectSameGame();
}

// Presses on both machines within a round trip of each other, over a lossy
// link: every burst ends with both games in the same state, held by the same
// player, and the match agrees to the end.
TEST_F(LockstepMatch, PausePressesOnBothSidesAtOnceSettleTheSameWayOnBoth) {
    LinkConditions link;
    link.delayMs = 40;
    link.jitterMs = 15;
    link.loss = 0.1;
    link.reorder = 0.1;
    link.seed = 9;
    start(link);
    runSteps(100);
    // Both at the very same moment: paused, not toggled back to running.
    host->session.setPaused(true, now);
    guest->session.setPaused(true, now);
    runFor(400);
    EXPECT_TRUE(host->session.paused());
    EXPECT_TRUE(guest->session.paused());
    EXPECT_EQ(host->session.pausedBy(), guest->session.pausedBy());
    host->session.setPaused(false, now);
    guest->session.setPaused(false, now);
    runFor(400);
    EXPECT_FALSE(host->session.paused());
    EXPECT_FALSE(guest->session.paused());

    std::mt19937 presses(4);
    int sawPaused = 0, sawRunning = 0;
    for (int burst = 0; burst < 40; ++burst) {
        SCOPED_TRACE(burst);
        // Each player presses P now and then, as its own screen shows the game.
        for (int ms = 0; ms < 150; ++ms) {
            for (Side* s : {host.get(), guest.get()})
                if (presses() % 60 == 0) s->session.setPaused(!s->session.paused(), now);
            runFor(1);
        }
        runFor(500);
        ASSERT_EQ(host->session.paused(), guest->session.paused());
        ASSERT_EQ(host->session.pausedBy(), guest->session.pausedBy());
        (host->session.paused() ? sawPaused : sawRunning)++;
    }
    EXPECT_GT(sawPaused, 0);
    EXPECT_GT(sawRunning, 0);
    host->session.setPaused(false, now);
    runFor(400);
    runSteps(host->session.stepsRun() + 300);
    EXPECT_TRUE(bothPlaying()) << host->session.endMessage() << guest->session.endMessage();
    expectSameGame();
}

// A pause is no shelter for a peer that is gone: quitting is heard at once,
// and a peer whose packets stop is lost after ten seconds as in play.
TEST_F(LockstepMatch, APeerThatGoesWhilePausedIsStillNoticed) {
    start({});
    runSteps(100);
    guest->session.setPaused(true, now);
    runFor(15000);
    ASSERT_TRUE(bothPlaying());
    ASSERT_TRUE(host->session.paused());
    static_cast<MemoryTransport&>(guest->transport).kill();
    runFor(9900);
    EXPECT_TRUE(host->session.playing());
    runFor(200);
    EXPECT_EQ(host->session.end(), LockstepSession::End::Lost);
    EXPECT_FALSE(host->session.paused());

    start({});
    now = 0;
    runSteps(100);
    host->session.setPaused(true, now);
    runFor(5000);
    guest->session.quit();
    runFor(100);
    EXPECT_EQ(host->session.end(), LockstepSession::End::PeerQuit);
    EXPECT_EQ(host->session.endMessage(), "Horace left the game");
}

// A change numbered past anything a sound peer can have seen is not taken:
// it would leave this side unable to number its own changes above it.
TEST_F(LockstepMatch, APauseNumberedBeyondWhatThePeerCanKnowIsIgnored) {
    start({});
    runSteps(50);
    NetMessage m;
    m.type = MessageType::Pause;
    m.first = 0xffffffffu;
    m.paused = true;
    const std::vector<uint8_t> bytes = encodeMessage(m);
    guest->transport.send(1, NetChannel::Reliable, bytes.data(), bytes.size());
    runFor(50);
    EXPECT_FALSE(host->session.paused());
    m.first = 1;  // the first change there is
    const std::vector<uint8_t> sound = encodeMessage(m);
    guest->transport.send(1, NetChannel::Reliable, sound.data(), sound.size());
    runFor(50);
    EXPECT_TRUE(host->session.paused());
    EXPECT_EQ(host->session.pausedBy(), 1);
}

// Both agree to a new game while paused: it starts running on both.
TEST_F(LockstepMatch, ARematchAgreedWhilePausedStartsRunning) {
    LinkConditions link;
    link.delayMs = 20;
    link.loss = 0.05;
    start(link);
    host->restartOnNewGame = guest->restartOnNewGame = true;
    runSteps(150);
    guest->session.setPaused(true, now);
    runFor(300);
    ASSERT_TRUE(host->session.paused());
    host->session.askRematch(now);
    runFor(300);
    guest->session.askRematch(now);
    runFor(300);
    ASSERT_EQ(host->session.gameNumber(), 1);
    ASSERT_EQ(guest->session.gameNumber(), 1);
    EXPECT_FALSE(host->session.paused());
    EXPECT_FALSE(guest->session.paused());
    EXPECT_EQ(host->newGames, 1);
    EXPECT_EQ(guest->newGames, 1);
    runSteps(300);
    EXPECT_TRUE(bothPlaying()) << host->session.endMessage() << guest->session.endMessage();
    expectSameGame();
}

}  // namespace
