#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/phases.h"
#include "test_support.h"
#include "ui/hud_state.h"

namespace {

int playingFrames = 0;
int pausedFrames = 0;
int titleMenus = 0;
bool focused = true;
void noDraw() {}
void countPlaying() { ++playingFrames; }
void countPaused() { ++pausedFrames; }
void countMenu() { ++titleMenus; }
bool focus() { return focused; }

// The live game's phase machine with its pause, focus and menu hooks.
class PauseTest : public WorldTest {
protected:
    AppState state;
    PhaseDrawers drawers{noDraw, noDraw, countPlaying, noDraw, countPaused, focus, countMenu};

    std::string mapFile;

    void SetUp() override {
        WorldTest::SetUp();
        playingFrames = pausedFrames = titleMenus = 0;
        focused = true;
        // A new game re-reads the arena in force, wherever it is.
        mapFile = ::testing::TempDir() + "pause-test-" + std::to_string(::getpid()) + ".map";
        std::ofstream(mapFile) << mapText({".1.*. .2"});
        setMapPath(mapFile);
        readMap();
        state.phase = GamePhase::Playing;
    }
    void TearDown() override {
        setMapPath("");
        std::remove(mapFile.c_str());
        WorldTest::TearDown();
    }
    void frame() {
        runPhase(state, drawers);
        checkNewGameKey(state);
    }
    void tap(uint32_t key) {
        keys.press(key);
        frame();
        keys.release(key);
        frame();
    }
};

TEST_F(PauseTest, PHoldsTheGameAndItsSoundsUntilPressedAgain) {
    frame();
    ASSERT_EQ(playingFrames, 1);
    keys.press(vk::P);
    for (int i = 0; i < 5; ++i) frame();  // held: one pause, not a flicker
    keys.release(vk::P);
    for (int i = 0; i < 5; ++i) frame();
    EXPECT_TRUE(state.paused);
    EXPECT_EQ(playingFrames, 1) << "a step ran while paused";
    EXPECT_EQ(pausedFrames, 10);
    EXPECT_EQ(sounds.pausesAll, 1);
    EXPECT_EQ(sounds.resumesAll, 0);
    tap(vk::P);
    EXPECT_FALSE(state.paused);
    EXPECT_EQ(sounds.resumesAll, 1);
    EXPECT_GE(playingFrames, 2);
}

TEST_F(PauseTest, ThePauseKeyAndAPadsStartPauseToo) {
    tap(vk::Pause);
    EXPECT_TRUE(state.paused);
    tap(vk::Pause);
    EXPECT_FALSE(state.paused);
}

TEST_F(PauseTest, StartHeldFromTheTitleIntoPlayDoesNotPause) {
    // A pad's Start holds SPACE and Pause together.
    state.phase = GamePhase::Title;
    state.spaceReleased = true;
    keys.press(vk::Space);
    keys.press(vk::Pause);
    for (int i = 0; i < 4; ++i) frame();
    EXPECT_EQ(state.phase, GamePhase::Playing);
    EXPECT_FALSE(state.paused);
    keys.releaseAll();
    frame();
    tap(vk::Pause);
    EXPECT_TRUE(state.paused);
}

TEST_F(PauseTest, ALostFocusPausesAndTheReturnDoesNotResume) {
    frame();
    focused = false;
    frame();
    EXPECT_TRUE(state.paused);
    const int before = playingFrames;
    focused = true;
    for (int i = 0; i < 10; ++i) frame();
    EXPECT_TRUE(state.paused) << "the focus coming back resumed the game by itself";
    EXPECT_EQ(playingFrames, before);
    tap(vk::P);
    EXPECT_FALSE(state.paused);
}

TEST_F(PauseTest, AReplayIsNotPausedByALostFocus) {
    state.pauseOnFocusLoss = false;
    focused = false;
    for (int i = 0; i < 5; ++i) frame();
    EXPECT_FALSE(state.paused);
    EXPECT_EQ(playingFrames, 5);
}

TEST_F(PauseTest, NewGameFromThePauseGoesToTheTitleWithTheAmbienceRunning) {
    tap(vk::P);
    ASSERT_TRUE(state.paused);
    keys.press(vk::N);
    frame();
    keys.release(vk::N);
    EXPECT_EQ(state.phase, GamePhase::Title);
    EXPECT_FALSE(state.paused);
    EXPECT_EQ(sounds.resumesAll, 1);
    EXPECT_EQ(mapPath(), mapFile);
    ASSERT_NE(world.cow1, nullptr) << "the arena in force was not read again";
    // The next game starts unpaused.
    keys.press(vk::Space);
    state.spaceReleased = true;
    frame();
    EXPECT_EQ(state.phase, GamePhase::Playing);
    frame();
    EXPECT_GT(playingFrames, 0);
}

TEST_F(PauseTest, PDoesNothingOnTheTitleAndTheMenuRunsThere) {
    state.phase = GamePhase::Title;
    tap(vk::P);
    EXPECT_FALSE(state.paused);
    EXPECT_EQ(titleMenus, 2);
    // SPACE still starts play at once, and the menu is not run in that frame.
    keys.press(vk::Space);
    frame();
    EXPECT_EQ(state.phase, GamePhase::Playing);
    EXPECT_EQ(titleMenus, 2);
}

TEST_F(PauseTest, SoundKeysStepByTenthsOncePerPressAndMuteToggles) {
    int volume = 10;
    bool muted = false;
    auto frameWith = [&](uint32_t key) {
        keys.press(key);
        bool a = checkSoundKeys(state, volume, muted);
        bool b = checkSoundKeys(state, volume, muted);  // still held
        keys.release(key);
        checkSoundKeys(state, volume, muted);
        EXPECT_FALSE(b);
        return a;
    };
    EXPECT_FALSE(frameWith(vk::Equals)) << "already at the top";
    EXPECT_GT(state.soundLevelFrames, 0) << "the level is shown even so";
    EXPECT_TRUE(frameWith(vk::Minus));
    EXPECT_EQ(volume, 9);
    for (int i = 0; i < 12; ++i) frameWith(vk::Minus);
    EXPECT_EQ(volume, 0);
    EXPECT_TRUE(frameWith(vk::M));
    EXPECT_TRUE(muted);
    EXPECT_FLOAT_EQ(soundGain(7, true), 0.0f);
    EXPECT_FLOAT_EQ(soundGain(7, false), 0.7f);
    // A step while muted brings the sound back at the new level.
    EXPECT_TRUE(frameWith(vk::Equals));
    EXPECT_FALSE(muted);
    EXPECT_EQ(volume, 1);
}

TEST(RunningScoreTest, EachWinCountsOnceAndANewGameArmsItAgain) {
    AppState s;
    countWin(s, false, false);
    EXPECT_EQ(s.wins[0] + s.wins[1], 0);
    for (int i = 0; i < 30; ++i) countWin(s, true, false);  // the win stays on screen
    EXPECT_EQ(s.wins[0], 1);
    s.winCounted = false;  // what a new game does
    countWin(s, false, true);
    EXPECT_EQ(s.wins[0], 1);
    EXPECT_EQ(s.wins[1], 1);
}

}  // namespace

namespace {

// Typing an address in the title's menu: its digits start no game alone.
TEST_F(PauseTest, DigitsTypedInTheMenuStartNoGameAgainstTheComputer) {
    state.phase = GamePhase::Title;
    state.spaceReleased = true;
    state.menuOpen = true;
    keys.press('1');
    frame();
    EXPECT_EQ(state.phase, GamePhase::Title);
    state.menuOpen = false;
    frame();
    EXPECT_EQ(state.phase, GamePhase::Playing);
    EXPECT_EQ(state.soloLevel, 0);
}

}  // namespace
