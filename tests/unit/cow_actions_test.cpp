// Jumps, headbutts, contact between the cows, effects and the hay game.
#include <cmath>

#include "cow_test_helpers.h"
#include "game/actions.h"
#include "game/behaviours.h"
#include "game/rules.h"

namespace {

class CowActions : public CowTest {
protected:
    // Cow 1 on the left, cow 2 on the right, homes in the far corners.
    void openField() {
        auto rows = field(30, 8);
        put(rows, 1, 1, '.', '1');
        put(rows, 28, 6, '.', '2');
        load(rows);
    }
};

TEST_F(CowActions, AJumpTakesSixteenFramesAlongTheSineOfTheTruncatedPhase) {
    openField();
    keys.press(vk::RShift);
    const int phases[16] = {0, 12, 25, 38, 51, 64, 77, 89, 102, 115, 128, 141, 154, 167, 180, 192};
    for (int i = 0; i < 15; ++i) {
        frame();
        float expected = static_cast<float>(std::sin(3.14159265 / 180 * phases[i]) * 2.0);
        EXPECT_EQ(cow1().jumpHeight, expected) << "frame " << i + 1;
        EXPECT_TRUE(cow1().jumping);
        // Drawing keeps the take-off level and adds the curve.
        EXPECT_EQ(cow1().baseLevel, cow1().jumpBase + cow1().jumpHeight);
    }
    EXPECT_EQ(cow1().jumpBase, 0.6f);
    frame();
    EXPECT_FALSE(cow1().jumping);
    EXPECT_EQ(cow1().jumpHeight, 0.0f);
    EXPECT_EQ(cow1().jumpPhase, 0.0f);
    EXPECT_EQ(sounds.plays(SoundId::Cow1Jump), 1) << "one moo per take-off";
    // Held on, the next jump starts in the very next frame.
    frame();
    EXPECT_TRUE(cow1().jumping);
    EXPECT_EQ(sounds.plays(SoundId::Cow1Jump), 2);
}

TEST_F(CowActions, JumpHeightsPeakAtTheEighthFrame) {
    openField();
    keys.press(vk::RShift);
    frames(8);
    EXPECT_NEAR(cow1().jumpHeight, 1.9997, 1e-4);
    frames(7);
    EXPECT_LT(cow1().jumpHeight, 1e-6);
    EXPECT_GE(cow1().jumpHeight, 0.0f);
}

TEST_F(CowActions, GrownCowsMooWithTheBigJumpSound) {
    openField();
    growCow(cow1());
    growCow(cow2());
    EXPECT_EQ(cow1Scale, 0.08f);
    EXPECT_EQ(cow2Scale, 0.2f);
    keys.press(vk::RShift);
    keys.press(vk::LShift);
    frame();
    EXPECT_EQ(sounds.plays(SoundId::Cow1BigJump), 1);
    EXPECT_EQ(sounds.plays(SoundId::Cow2BigJump), 1);
    EXPECT_EQ(sounds.plays(SoundId::Cow1Jump) + sounds.plays(SoundId::Cow2JumpSoundSource), 0);
    shrinkBack(cow2());
    frames(16);
    EXPECT_EQ(sounds.plays(SoundId::Cow2JumpSoundSource), 1);
}

TEST_F(CowActions, AJumpHeldWithTheAttackKeyDelaysTheDash) {
    openField();
    keys.press(vk::RShift);
    keys.press(vk::RControl);
    frames(15);
    EXPECT_EQ(sounds.plays(SoundId::CowHBSoundSource), 0);
    EXPECT_EQ(cow1().energy, 100.0f) << "no regain while the attack key is held";
    frame();  // the jump ends in step 2, the dash starts in step 3
    EXPECT_FALSE(cow1().jumping);
    EXPECT_TRUE(cow1().attacking);
}

TEST_F(CowActions, ADashLungesAtMostFiveCellsForEightEnergyEach) {
    openField();
    place(cow1(), 20.5f, 3.5f, -1, 0);
    keys.press(vk::RControl);
    for (int i = 1; i <= 5; ++i) {
        frame();
        EXPECT_NEAR(cow1().x, 20.5 - i, 1e-5);
        EXPECT_EQ(cow1().energy, 100.0f - 8 * i);
        EXPECT_EQ(cow1().dashFrames, static_cast<float>(i));
    }
    frames(3);  // still held: no new dash and no regain
    EXPECT_NEAR(cow1().x, 15.5, 1e-5);
    EXPECT_FALSE(cow1().attacking);
    EXPECT_EQ(cow1().energy, 60.0f);
    EXPECT_EQ(sounds.plays(SoundId::CowHBSoundSource), 5);
    keys.releaseAll();
    frames(2);
    EXPECT_EQ(cow1().dashFrames, 0.0f);
    EXPECT_EQ(cow1().energy, 61.0f);
    keys.press(vk::RControl);
    frame();
    EXPECT_TRUE(cow1().attacking);
    EXPECT_NEAR(cow1().x, 14.5, 1e-5);
}

TEST_F(CowActions, HalfAnEnergyStillDashesOnceThenWaitsForEnergyAboveZero) {
    openField();
    place(cow1(), 20.5f, 3.5f, -1, 0);
    cow1().energy = 0.5f;
    keys.press(vk::RControl);
    frames(3);
    EXPECT_EQ(cow1().energy, -7.5f);
    EXPECT_EQ(sounds.plays(SoundId::CowHBSoundSource), 1);
    keys.releaseAll();
    frames(15);
    EXPECT_EQ(cow1().energy, 0.0f);
    keys.press(vk::RControl);
    frame();
    EXPECT_FALSE(cow1().attacking);
    keys.releaseAll();
    frame();
    keys.press(vk::RControl);
    frame();
    EXPECT_TRUE(cow1().attacking);
    EXPECT_EQ(sounds.plays(SoundId::CowHBSoundSource), 2);
}

TEST_F(CowActions, ADashIntoATreeEndsInTheNextUpdate) {
    auto rows = field(30, 8);
    put(rows, 1, 1, '.', '1');
    put(rows, 28, 6, '.', '2');
    put(rows, 7, 3, '.', 'T');
    load(rows);
    place(cow1(), 5.5f, 3.5f, 1, 0);
    keys.press(vk::RControl);
    frame();
    EXPECT_TRUE(cow1().blocked);
    EXPECT_LT(cow1().x + 0.501, 7.0);
    frame();
    EXPECT_FALSE(cow1().attacking);
    EXPECT_EQ(cow1().dashFrames, 1.0f);
    EXPECT_EQ(sounds.plays(SoundId::CowHBSoundSource), 1);
}

TEST_F(CowActions, AHeadbuttKnocksTheRivalOverAndTakesHayThatFits) {
    openField();
    place(cow1(), 4.6f, 3.5f, 1, 0);
    place(cow2(), 6.5f, 3.5f, 1, 0);
    cow1().hayCarried = 7;
    cow2().hayCarried = 5;
    cow1().energy = 8;  // one dash frame, one hit
    growCow(cow2());
    keys.press(vk::RControl);
    frame();
    EXPECT_EQ(cow1().hayCarried, 10);
    EXPECT_EQ(cow2().hayCarried, 2);
    EXPECT_TRUE(cow2().stunned);
    EXPECT_EQ(cow2().energy, 0.0f);
    EXPECT_NEAR(cow2().x, 6.5, 1e-6) << "no knock-back";
    EXPECT_GE(std::fabs(cow1().x - cow2().x), 2.0f) << "the toucher is pushed out";
    EXPECT_EQ(sounds.playsWithoutRestart(SoundId::Hit), 1);
    // The grown victim shrinks in its own update of the same frame.
    EXPECT_FALSE(cow2().grown);
    EXPECT_EQ(cow2Scale, 0.12f);
    EXPECT_EQ(sounds.plays(SoundId::CowShrinkSoundSource), 1);
    keys.releaseAll();
    // Down for 61 of its updates: the one of the hit frame and 60 more.
    keys.press(vk::D);
    keys.press(vk::LShift);
    keys.press(vk::LControl);
    float x = cow2().x;
    frames(59);
    EXPECT_TRUE(cow2().stunned);
    EXPECT_EQ(cow2().energy, 0.0f) << "no regain while down";
    EXPECT_EQ(cow2().x, x) << "a cow that is down does not move";
    EXPECT_FALSE(cow2().jumping);
    frame();
    EXPECT_FALSE(cow2().stunned);
}

TEST_F(CowActions, ABumpPassesTheSyringeOnAndTheSlowEffectWearsOff) {
    auto rows = field(30, 8);
    put(rows, 1, 1, '.', '1');
    put(rows, 28, 6, '.', '2');
    put(rows, 6, 3, '.', '!');
    load(rows);
    place(cow1(), 4.5f, 3.5f, 1, 0);
    place(cow2(), 10.5f, 3.5f, 1, 0);
    keys.press(vk::Right);
    testing::internal::CaptureStdout();
    int frame_ = 0;
    while (!cow2().slowed && frame_ < 40) {
        frame();
        ++frame_;
    }
    std::string out = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(cow2().slowed);
    EXPECT_EQ(out, "SLOW!");
    EXPECT_EQ(objectAt(6, 3), nullptr);
    EXPECT_EQ(cow1().heldEffect, doNothingTouch);
    EXPECT_EQ(sounds.plays(SoundId::SyringePickup), 1);
    EXPECT_EQ(sounds.plays(SoundId::InjectSyringe), 1);
    EXPECT_EQ(sounds.plays(SoundId::Slowdown), 1);
    EXPECT_FALSE(cow2().stunned);
    // The rival's own update of that frame was the first of 201 climbing ones.
    EXPECT_EQ(cow2().maxSpeed, 0.05f + 0.00225f);
    keys.releaseAll();
    place(cow1(), 4.5f, 6.5f, 1, 0);
    frames(199);
    EXPECT_LT(cow2().maxSpeed, 0.5f);
    frame();
    EXPECT_GT(cow2().maxSpeed, 0.5f);
    EXPECT_TRUE(cow2().slowed);
    frame();
    EXPECT_EQ(cow2().maxSpeed, 0.5f);
    EXPECT_FALSE(cow2().slowed);
}

TEST_F(CowActions, SlowRecoveryWaitsWhileKnockedOverAndSpeedIsNotCut) {
    openField();
    place(cow2(), 10.5f, 3.5f, 1, 0);
    cow2().speed = 0.5f;
    keys.press(vk::D);
    testing::internal::CaptureStdout();
    slowEffect(&cow2(), 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "SLOW!");
    frame();
    EXPECT_EQ(cow2().speed, 0.5f) << "the cap applies only while accelerating";
    cow2().stunned = 1;
    cow2().stunFrames = 0;
    float top = cow2().maxSpeed;
    frames(5);
    EXPECT_EQ(cow2().maxSpeed, top);
}

TEST_F(CowActions, ADashingRivalBreaksAHeldSyringe) {
    openField();
    place(cow1(), 4.6f, 3.5f, 1, 0);
    place(cow2(), 6.5f, 3.5f, 1, 0);
    cow2().heldEffect = slowEffect;
    cow1().energy = 8;
    keys.press(vk::RControl);
    testing::internal::CaptureStdout();
    frame();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(cow2().heldEffect, doNothingTouch);
    EXPECT_EQ(sounds.plays(SoundId::SyringeBreak), 1);
    EXPECT_EQ(sounds.plays(SoundId::InjectSyringe), 0);
    EXPECT_FALSE(cow1().slowed || cow2().slowed);
}

TEST_F(CowActions, HayIsDeliveredAtHomeAndStolenFromTheRivalsHome) {
    openField();
    // Cow 1 brings 3 home.
    place(cow1(), 1.5f, 1.5f, 1, 0);
    cow1().hayCarried = 3;
    frame();
    EXPECT_EQ(cow1().hayStored, 3);
    EXPECT_EQ(cow1().hayCarried, 0);
    frame();
    EXPECT_EQ(sounds.plays(SoundId::HayYAYSoundSource), 1) << "only when something is delivered";
    // Cow 2 carrying 4 in cow 1's home, where 30 are stored.
    cow1().hayStored = 30;
    place(cow1(), 10.5f, 4.5f, 1, 0);
    place(cow2(), 2.9f, 2.9f, 1, 0);
    cow2().hayCarried = 4;
    frame();
    EXPECT_EQ(cow2().hayCarried, 10);
    EXPECT_EQ(cow1().hayStored, 24);
    frame();
    EXPECT_EQ(cow1().hayStored, 24);
    EXPECT_EQ(sounds.plays(SoundId::HayStolen), 2);
    // The home area is open: 2 from the home corner is outside.
    place(cow2(), 3.0f, 1.5f, 1, 0);
    cow2().hayCarried = 0;
    frame();
    EXPECT_EQ(cow2().hayCarried, 0);
    // Less stored than room: all of it.
    cow1().hayStored = 3;
    place(cow2(), -0.5f + 1.0f, 0.5f, 1, 0);
    frame();
    EXPECT_EQ(cow2().hayCarried, 3);
    EXPECT_EQ(cow1().hayStored, 0);
}

TEST_F(CowActions, TheSixtiethBaleWinsAndClearsAllFourCounts) {
    auto rows = field(30, 8);
    put(rows, 1, 1, '.', '1');
    put(rows, 28, 6, '.', '2');
    put(rows, 12, 4, '.', '*');
    load(rows);
    cow1().hayStored = 57;
    cow1().hayCarried = 3;
    cow2().hayStored = 20;
    cow2().hayCarried = 2;
    frame();
    EXPECT_TRUE(cow1().winner);
    EXPECT_FALSE(cow2().winner);
    EXPECT_EQ(cow1().hayStored + cow1().hayCarried + cow2().hayStored + cow2().hayCarried, 0);
    EXPECT_EQ(sounds.plays(SoundId::Win), 1);
    frame();
    EXPECT_EQ(sounds.plays(SoundId::Win), 1);
    // No more hay for anyone: the bale only sounds full.
    for (Cow* c : {&cow1(), &cow2()}) {
        sounds.clear();
        place(*c, 11.6f, 4.5f, 1, 0);
        frame();
        EXPECT_EQ(objectKindAt(12, 4), '*');
        EXPECT_EQ(c->hayCarried, 0);
        EXPECT_GE(sounds.playsWithoutRestart(SoundId::CowFull), 1);
        place(*c, c == &cow1() ? 20.5f : 25.5f, c == &cow1() ? 1.5f : 3.5f, 1, 0);
    }
}

TEST_F(CowActions, AGrowthPillRaisesEnergyUntilDashingSpendsItBack) {
    auto rows = field(30, 8);
    put(rows, 1, 1, '.', '1');
    put(rows, 28, 6, '.', '2');
    put(rows, 8, 4, '.', '+');
    load(rows);
    place(cow1(), 7.6f, 4.5f, 1, 0);
    frame();
    EXPECT_EQ(objectAt(8, 4), nullptr);
    EXPECT_TRUE(cow1().grown);
    EXPECT_EQ(cow1().energy, 200.0f);
    EXPECT_EQ(cow1Scale, 0.08f);
    EXPECT_EQ(sounds.plays(SoundId::CowGrowSoundSource), 1);
    // Thirteen dash frames bring 200 down to 96: the cow shrinks.
    place(cow1(), 3.5f, 6.5f, 1, 0);
    int dashFrames = 0;
    for (int press = 0; press < 5 && cow1().grown; ++press) {
        keys.press(vk::RControl);
        for (int i = 0; i < 6 && cow1().grown; ++i) {
            frame();
            if (cow1().attacking) ++dashFrames;
            place(cow1(), 3.5f, 6.5f, 1, 0);
        }
        keys.releaseAll();
        frame();
    }
    EXPECT_EQ(dashFrames, 13);
    EXPECT_FALSE(cow1().grown);
    EXPECT_EQ(cow1Scale, 0.05f);
    EXPECT_EQ(sounds.plays(SoundId::CowShrinkSoundSource), 1);
}

}  // namespace

// The one rule behind a headbutt's and a raid's take: all of it when it fits,
// exactly up to the limit otherwise.
TEST(HayThatFits, AllOfItWhenItFitsOtherwiseUpToTheLimit) {
    struct Case {
        int carried, from, carriedAfter, fromAfter;
    } cases[] = {{4, 6, 10, 0}, {4, 7, 10, 1}, {4, 5, 9, 0}, {10, 3, 10, 3}, {0, 0, 0, 0}, {0, 30, 10, 20}};
    for (const Case& c : cases) {
        int32_t carried = c.carried, from = c.from;
        takeHayThatFits(carried, from);
        EXPECT_EQ(carried, c.carriedAfter) << c.carried << " + " << c.from;
        EXPECT_EQ(from, c.fromAfter) << c.carried << " + " << c.from;
    }
}
