#include <gtest/gtest.h>

#include <string>

#include "game/key_bindings.h"
#include "game/step.h"
#include "platform/keys.h"
#include "ui/hud_screens.h"
#include "ui/hud_state.h"

namespace {

class HudScreenTest : public ::testing::Test {
protected:
    ScriptedKeys keys;
    Cow boris;
    Cow horace;

    void SetUp() override {
        setKeySource(&keys);
        skipIntroduction();
        boris.kind = '1';
        boris.rival = &horace;
        horace.kind = '2';
        horace.rival = &boris;
    }
    void TearDown() override {
        setKeySource(nullptr);
        clearLastStepInput();
        keyBindings = defaultKeyBindings();
        introCallCount = 0;
    }
    // The help panel follows the records of the last step; with no world
    // read, a step only takes them.
    void step() { stepPlayingFrameHeadless(); }
};

}  // namespace

TEST_F(HudScreenTest, IntroductionComesFirstEvenOverHelpAndWin) {
    introCallCount = 199;
    keys.press(vk::F12);
    step();
    boris.winner = 1;
    EXPECT_EQ(chooseHudScreen(boris), HudScreen::Intro);
    EXPECT_EQ(introCallCount, 199) << "choosing must not count";
    introCallCount = 200;
    EXPECT_EQ(chooseHudScreen(boris), HudScreen::HelpPanel);
}

TEST_F(HudScreenTest, HelpKeyIsPerPlayerAndBeatsTheOutcome) {
    keys.press(vk::F1);
    step();
    horace.winner = 1;
    EXPECT_EQ(chooseHudScreen(horace), HudScreen::HelpPanel);
    EXPECT_EQ(chooseHudScreen(boris), HudScreen::LoseText);
    keys.releaseAll();
    EXPECT_EQ(chooseHudScreen(horace), HudScreen::HelpPanel) << "a key released between steps counts at the next";
    step();
    EXPECT_EQ(chooseHudScreen(horace), HudScreen::WinText);
}

TEST_F(HudScreenTest, RegularHudWithoutAWinner) {
    EXPECT_EQ(chooseHudScreen(boris), HudScreen::Regular);
    EXPECT_EQ(chooseHudScreen(horace), HudScreen::Regular);
    boris.winner = 1;
    EXPECT_EQ(chooseHudScreen(boris), HudScreen::WinText);
    EXPECT_EQ(chooseHudScreen(horace), HudScreen::LoseText);
}

TEST_F(HudScreenTest, ControlsLinesForBothPlayers) {
    char lines[kControlsLineCount][kControlsLineSize] = {"0", "0", "0", "0", "0", "0"};
    keyBindings.cow[kBoris].key[0] = vk::Up;
    keyBindings.cow[kBoris].key[1] = vk::Down;
    keyBindings.cow[kBoris].key[2] = vk::Left;
    keyBindings.cow[kBoris].key[3] = vk::Right;
    keyBindings.cow[kBoris].key[4] = vk::RShift;
    keyBindings.cow[kBoris].key[5] = vk::RControl;
    fillControlsLines(boris, lines);
    const char* expected1[] = {"UP: UP", "DOWN: DOWN", "LEFT: LEFT", "RIGHT: RIGHT", "JUMP: RSHIFT", "ATTACK: RCTRL"};
    for (int i = 0; i < kControlsLineCount; ++i) EXPECT_STREQ(lines[i], expected1[i]);

    keyBindings.cow[kHorace].key[0] = vk::W;
    keyBindings.cow[kHorace].key[1] = vk::S;
    keyBindings.cow[kHorace].key[2] = vk::A;
    keyBindings.cow[kHorace].key[3] = vk::D;
    keyBindings.cow[kHorace].key[4] = vk::LShift;
    keyBindings.cow[kHorace].key[5] = vk::LControl;
    fillControlsLines(horace, lines);
    const char* expected2[] = {"UP: 'W'", "DOWN: 'S'", "LEFT: 'A'", "RIGHT: 'D'", "JUMP: LSHIFT", "ATTACK: LCTRL"};
    for (int i = 0; i < kControlsLineCount; ++i) EXPECT_STREQ(lines[i], expected2[i]);
}

// The panel names whatever key the player bound; only a code with no name
// at all (none the controls screen can give) keeps the line's previous text.
TEST_F(HudScreenTest, AnyNamedKeyIsNamedAndNamelessOnesLeaveTheLineAlone) {
    char lines[kControlsLineCount][kControlsLineSize] = {"0", "0", "0", "0", "0", "0"};
    keyBindings.cow[kBoris].key[0] = vk::Up;
    keyBindings.cow[kBoris].key[1] = vk::W;  // a letter on another line than its default one
    keyBindings.cow[kBoris].key[2] = 0;
    keyBindings.cow[kBoris].key[3] = vk::Tab;
    keyBindings.cow[kBoris].key[4] = vk::RShift;
    keyBindings.cow[kBoris].key[5] = 999;
    fillControlsLines(boris, lines);
    EXPECT_STREQ(lines[0], "UP: UP");
    EXPECT_STREQ(lines[1], "DOWN: 'W'");
    EXPECT_STREQ(lines[2], "0");
    EXPECT_STREQ(lines[3], "RIGHT: TAB");
    EXPECT_STREQ(lines[4], "JUMP: RSHIFT");
    EXPECT_STREQ(lines[5], "0");
    // The longest name still fits the panel's line.
    keyBindings.cow[kBoris].key[5] = vk::Backspace;
    fillControlsLines(boris, lines);
    EXPECT_STREQ(lines[5], "ATTACK: BACKSPACE");
}

TEST_F(HudScreenTest, SharedControlsLinesStartAsZero) {
    for (const auto& line : controlsLines) EXPECT_STREQ(line, "0");
}

TEST_F(HudScreenTest, IntroductionNamesEachPlayersHelpKey) {
    EXPECT_STREQ(introHelpLine(boris), "Hit F12 for controls during game");
    EXPECT_STREQ(introHelpLine(horace), "Hit F1 for controls during game");
    keyBindings.cow[kHorace].key[static_cast<int>(CowAction::Help)] = 'H';
    EXPECT_STREQ(introHelpLine(horace), "Hit 'H' for controls during game");
    EXPECT_STREQ(introHelpLine(boris), "Hit F12 for controls during game");
}

TEST(HudEnergy, ShownAsIsDownToZeroAndAsZeroBelow) {
    EXPECT_EQ(displayedEnergy(200.0f), 200.0f);
    EXPECT_EQ(displayedEnergy(0.5f), 0.5f);
    EXPECT_EQ(displayedEnergy(0.0f), 0.0f);
    // Eight per dash frame while energy is above 0: from 100 the 13th frame
    // leaves -4.
    EXPECT_EQ(displayedEnergy(-7.5f), 0.0f);
    EXPECT_EQ(displayedEnergy(-4.0f), 0.0f);
}
