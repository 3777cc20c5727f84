#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/phases.h"
#include "test_support.h"
#include "ui/hud_state.h"

namespace {

int playingFrames = 0;
void noDraw() {}
void countPlaying() { ++playingFrames; }
const PhaseDrawers kHeadless = {noDraw, noDraw, countPlaying, noDraw};

// Runs the phase machine in a directory holding a map, as the game would.
class PhasesTest : public WorldTest {
protected:
    AppState state;
    std::filesystem::path oldDir;
    std::filesystem::path dir;

    void SetUp() override {
        WorldTest::SetUp();
        playingFrames = 0;
        oldDir = std::filesystem::current_path();
        dir = std::filesystem::temp_directory_path() / ("hoofbrawl-phases-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir / "_maps");
        std::ofstream(dir / "_maps" / "Map02.map") << mapText({".1.*. .2"});
        std::filesystem::current_path(dir);
        readMap();
    }
    void TearDown() override {
        std::filesystem::current_path(oldDir);
        std::filesystem::remove_all(dir);
        WorldTest::TearDown();
    }
    // One displayed frame: the phase's work, then the new-game key.
    void frame() {
        runPhase(state, kHeadless);
        checkNewGameKey(state);
    }
};

TEST_F(PhasesTest, SpaceHeldFromSplashIntoTitleDoesNotStartPlay) {
    keys.press(vk::Space);
    frame();
    EXPECT_EQ(state.phase, GamePhase::Title);
    for (int i = 0; i < 5; ++i) frame();
    EXPECT_EQ(state.phase, GamePhase::Title);
    EXPECT_FALSE(state.spaceReleased);
    keys.release(vk::Space);
    frame();
    EXPECT_TRUE(state.spaceReleased);
    EXPECT_EQ(state.phase, GamePhase::Title);
    keys.press(vk::Space);
    frame();
    EXPECT_EQ(state.phase, GamePhase::Playing);
    // Play begins: the intro stops, then the start jingle and the ambience.
    std::vector<SoundRequest> expected = {{SoundRequest::Stop, SoundId::SplashScreen},
                                          {SoundRequest::Play, SoundId::GameStart},
                                          {SoundRequest::Play, SoundId::Ambient}};
    EXPECT_EQ(sounds.requests, expected);
    frame();
    EXPECT_EQ(playingFrames, 1);
}

TEST_F(PhasesTest, AfterANewGameOnePressStartsPlay) {
    keys.press(vk::Space);
    frame();
    keys.release(vk::Space);
    frame();
    keys.press(vk::Space);
    frame();
    ASSERT_EQ(state.phase, GamePhase::Playing);
    keys.releaseAll();
    keys.press(vk::N);
    frame();
    EXPECT_EQ(state.phase, GamePhase::Title);
    keys.releaseAll();
    sounds.clear();
    keys.press(vk::Space);
    frame();
    EXPECT_EQ(state.phase, GamePhase::Playing);
    // A new game neither stops nor restarts the ambience.
    EXPECT_EQ(sounds.stops(SoundId::Ambient), 0);
}

TEST_F(PhasesTest, NewGameOnTheSplashKeepsTheSplashAndRebuildsTheWorld) {
    Cow* before = world.cow1;
    world.cow1->x = 0.7f;
    introCallCount = 150;
    keys.press(vk::N);
    frame();
    EXPECT_EQ(state.phase, GamePhase::Splash);
    EXPECT_EQ(introCallCount, 0);
    ASSERT_NE(world.cow1, nullptr);
    EXPECT_EQ(world.cow1->x, 0.0f);
    (void)before;
    EXPECT_NE(objectAt(1, 0), nullptr);
}

TEST_F(PhasesTest, NewGameDuringPlayRestoresEatenHay) {
    state.phase = GamePhase::Playing;
    removeObject(1, 0);
    keys.press(vk::N);
    frame();
    EXPECT_EQ(state.phase, GamePhase::Title);
    ASSERT_NE(objectAt(1, 0), nullptr);
    EXPECT_EQ(objectAt(1, 0)->kind, '*');
}

TEST(FrameCounterTest, CountsTwentyOneThenTwentyFramesAt51Ms) {
    FrameCounter counter;
    char* text = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    int lines = 0;
    for (int i = 0; i < 42; ++i) lines += counter.countFrame(1000 + 51 * i, out);
    std::fclose(out);
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(std::string(text), " 20.6 fps (21)\n 19.6 fps (20)\n");
    std::free(text);
}

TEST(FrameCounterTest, StalledDisplayPrintsNothing) {
    FrameCounter counter;
    std::FILE* out = std::tmpfile();
    EXPECT_FALSE(counter.countFrame(0, out));
    EXPECT_FALSE(counter.countFrame(1000, out));
    EXPECT_TRUE(counter.countFrame(1001, out));
    std::fclose(out);
}

TEST(IdlePacerTest, RedisplayOnlyAfterMoreThan50Ms) {
    IdlePacer pacer;
    EXPECT_FALSE(pacer.poll(100));
    EXPECT_EQ(pacer.msUntilDue(100), 51);
    EXPECT_FALSE(pacer.poll(150));
    EXPECT_EQ(pacer.msUntilDue(150), 1);
    EXPECT_TRUE(pacer.poll(151));
    EXPECT_FALSE(pacer.poll(201));
    EXPECT_TRUE(pacer.poll(202));
    EXPECT_EQ(pacer.msUntilDue(400), 0);
    // The idle wait sleeps to the due millisecond: a poll then succeeds, one
    // a millisecond earlier does not.
    EXPECT_EQ(pacer.dueMs(), 253);
    EXPECT_FALSE(pacer.poll(pacer.dueMs() - 1));
    EXPECT_TRUE(pacer.poll(pacer.dueMs()));
}

int fullScreenToggles = 0;
void countToggle() { ++fullScreenToggles; }

TEST_F(PhasesTest, F11TogglesFullScreenOncePerPressInEveryPhase) {
    fullScreenToggles = 0;
    auto displayed = [this] {
        frame();
        checkFullScreenKey(state, countToggle);
    };
    int expected = 0;
    for (GamePhase phase : {GamePhase::Splash, GamePhase::Title, GamePhase::Playing}) {
        state.phase = phase;
        keys.press(vk::F11);
        for (int i = 0; i < 4; ++i) displayed();  // held: one toggle
        EXPECT_EQ(fullScreenToggles, ++expected);
        keys.release(vk::F11);
        displayed();
        keys.press(vk::F11);
        displayed();  // pressed again: back
        EXPECT_EQ(fullScreenToggles, ++expected);
        keys.release(vk::F11);
        displayed();
        // Nothing else about the frame changed.
        EXPECT_EQ(state.phase, phase);
    }
}

}  // namespace

TEST_F(PhasesTest, NumberKeysOnTheTitleStartOnePlayerAtTheirLevelAndSpaceTwoPlayers) {
    state.phase = GamePhase::Title;
    frame();  // space up: the title takes a start key now
    const uint32_t numberKey[3] = {'1', '2', '3'};
    for (int level = 0; level < 3; ++level) {
        state.phase = GamePhase::Title;
        state.splitView = true;
        keys.press(numberKey[level]);
        frame();
        keys.release(numberKey[level]);
        EXPECT_EQ(state.phase, GamePhase::Playing);
        EXPECT_EQ(state.soloLevel, level);
        EXPECT_FALSE(state.splitView) << "a new one-player game starts in the full view";
    }
    state.phase = GamePhase::Title;
    keys.press(vk::Space);
    frame();
    EXPECT_EQ(state.phase, GamePhase::Playing);
    EXPECT_EQ(state.soloLevel, -1);
    // Other keys start nothing.
    keys.release(vk::Space);
    state.phase = GamePhase::Title;
    keys.press('4');
    keys.press('V');
    frame();
    EXPECT_EQ(state.phase, GamePhase::Title);
}
