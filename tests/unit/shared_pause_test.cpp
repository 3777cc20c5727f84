// Two windows' phase machines, each with its lockstep session, over the
// in-memory link on a virtual clock: the pause keys and a lost focus on one
// machine, and what both windows then do.
#include <gtest/gtest.h>

#include <memory>

#include "app/phases.h"
#include "app/shared_pause.h"
#include "net/memory_link.h"
#include "net_test_side.h"
#include "test_support.h"

namespace {

struct Machine {
    AppState state;
    std::unique_ptr<nettest::Side> side;
    bool focused = true;
    bool pressingP = false;
    int playing = 0, paused = 0;
};

Machine* current = nullptr;
int64_t clockMs = 0;
void noDraw() {}
void playingFrame() {
    ++current->playing;
    current->side->frame(clockMs);
}
void pausedFrame() { ++current->paused; }
bool hasFocus() { return current->focused; }

class SharedPauseTest : public WorldTest {
protected:
    std::unique_ptr<MemoryNetwork> net;
    Machine a, b;  // a hosts (Boris), b joins (Horace)
    PhaseDrawers drawers{noDraw, noDraw, playingFrame, noDraw, pausedFrame, hasFocus, nullptr};

    void SetUp() override {
        WorldTest::SetUp();
        clockMs = 0;
        LinkConditions link;
        link.delayMs = 25;
        link.jitterMs = 5;
        link.loss = 0.05;
        net = std::make_unique<MemoryNetwork>(link);
        MemoryTransport& ta = net->addEndpoint();
        MemoryTransport& tb = net->addEndpoint();
        a.side = std::make_unique<nettest::Side>(ta, nettest::config(true), 1, 0);
        b.side = std::make_unique<nettest::Side>(tb, nettest::config(false), 2, 23);
        net->connect(tb, ta);
        for (int i = 0; i < 5000 && !(a.side->session.playing() && b.side->session.playing()); ++i) {
            ++clockMs;
            a.side->session.update(clockMs);
            b.side->session.update(clockMs);
        }
        for (Machine* m : {&a, &b}) {
            m->state.phase = GamePhase::Playing;
            m->state.pauseShared = true;
        }
    }
    // One frame of the window as the display loop runs it: the network side
    // before, the phase with this machine's keys and focus, the request after.
    void frame(Machine& m) {
        current = &m;
        m.side->session.update(clockMs);
        sharePause(m.state, m.side->session, clockMs);
        if (m.pressingP) keys.press(vk::P);
        runPhase(m.state, drawers);
        keys.release(vk::P);
        sharePause(m.state, m.side->session, clockMs);
    }
    // Both windows at the frame's pace, the network served every millisecond.
    void runFor(int64_t ms) {
        for (const int64_t end = clockMs + ms; clockMs < end; ++clockMs) {
            a.side->session.update(clockMs);
            b.side->session.update(clockMs);
            if (clockMs % kStepMs == 0) frame(a);
            if (clockMs % kStepMs == 25) frame(b);
        }
    }
    void tapP(Machine& m) {
        m.pressingP = true;
        runFor(kStepMs);
        m.pressingP = false;
        runFor(kStepMs);
    }
};

TEST_F(SharedPauseTest, POnOneMachinePausesBothAndPOnTheOtherResumesBoth) {
    ASSERT_TRUE(a.side->session.playing() && b.side->session.playing());
    runFor(2000);
    ASSERT_GT(a.side->session.stepsRun(), 20);
    tapP(a);
    runFor(200);
    EXPECT_TRUE(a.state.paused);
    EXPECT_TRUE(b.state.paused) << "the other window went on";
    EXPECT_EQ(pausedByLine(b.side->session), "Paused by Boris");
    EXPECT_EQ(sounds.pausesAll, 2) << "each window holds its sounds once";
    const int64_t steps[2] = {a.side->session.stepsRun(), b.side->session.stepsRun()};
    const int played[2] = {a.playing, b.playing};
    runFor(20000);
    EXPECT_EQ(a.side->session.stepsRun(), steps[0]);
    EXPECT_EQ(b.side->session.stepsRun(), steps[1]);
    EXPECT_EQ(a.playing, played[0]);
    EXPECT_EQ(b.playing, played[1]);
    EXPECT_GT(b.paused, 300) << "the pause panel is drawn on the other machine";
    EXPECT_TRUE(a.side->session.waitingMessage(clockMs).empty());
    EXPECT_TRUE(b.side->session.waitingMessage(clockMs).empty());

    tapP(b);
    runFor(200);
    EXPECT_FALSE(a.state.paused);
    EXPECT_FALSE(b.state.paused);
    EXPECT_EQ(pausedByLine(a.side->session), "");
    EXPECT_EQ(sounds.resumesAll, 2);
    runFor(3000);
    EXPECT_GT(a.side->session.stepsRun(), steps[0] + 40);
    EXPECT_TRUE(a.side->session.playing() && b.side->session.playing())
        << a.side->session.endMessage() << b.side->session.endMessage();
}

// Another window taking the keyboard on one machine pauses neither game:
// that player's cow stands (its keys read as up) and the other plays on.
TEST_F(SharedPauseTest, ALostFocusPausesNeitherGame) {
    runFor(1000);
    b.focused = false;
    const int64_t steps = a.side->session.stepsRun();
    runFor(3000);
    EXPECT_FALSE(a.state.paused);
    EXPECT_FALSE(b.state.paused);
    EXPECT_EQ(b.paused, 0);
    EXPECT_GT(a.side->session.stepsRun(), steps + 40);
    // P on the other machine still pauses both.
    tapP(a);
    runFor(200);
    EXPECT_TRUE(b.state.paused);
}

// Both players press P in the same frame: both games end up paused, not
// paused and straight away resumed.
TEST_F(SharedPauseTest, BothPressingAtOnceLeavesBothPaused) {
    runFor(1000);
    a.pressingP = b.pressingP = true;
    runFor(kStepMs);
    a.pressingP = b.pressingP = false;
    runFor(400);
    EXPECT_TRUE(a.state.paused);
    EXPECT_TRUE(b.state.paused);
}

// The match ending while paused (the other player left) lets go of the
// pause: the window shows the end as it does in play, and the next game,
// local or not, does not start held.
TEST_F(SharedPauseTest, AMatchThatEndsWhilePausedLetsGoOfThePause) {
    runFor(1000);
    tapP(a);
    runFor(200);
    ASSERT_TRUE(a.state.paused);
    b.side->session.quit();
    runFor(300);
    EXPECT_EQ(a.side->session.end(), LockstepSession::End::PeerQuit);
    EXPECT_FALSE(a.state.paused);
    EXPECT_EQ(sounds.resumesAll, 2);
}

}  // namespace
