// Water: the splash, the speed, the sonar shared by both cows, drying off.
#include "cow_test_helpers.h"

namespace {

class Water : public CowTest {
protected:
    // Row 1: dirt, water in columns 5..7, dirt again; row 4: the same with grass
    // ('E') where the water ends.
    void pond() {
        auto rows = field(20, 6);
        for (int c = 5; c <= 7; ++c) {
            put(rows, c, 1, '~', ' ');
            put(rows, c, 4, '~', ' ');
        }
        put(rows, 8, 4, 'E', ' ');
        put(rows, 9, 4, 'E', ' ');
        put(rows, 18, 0, '.', '1');
        put(rows, 18, 5, '.', '2');
        load(rows);
    }
};

TEST_F(Water, TheSplashComesOneUpdateLateAndTheSpeedHalves) {
    pond();
    place(cow1(), 2.5f, 1.5f, 1, 0);
    keys.press(vk::Right);
    while (cow1().x < 5.0f) frame();
    EXPECT_EQ(cow1().groundUnder->kind, '~');
    EXPECT_EQ(sounds.plays(SoundId::WaterSplash), 0) << "the level is still the dirt's";
    EXPECT_FALSE(cow1().inWater);
    frame();
    EXPECT_TRUE(cow1().inWater);
    EXPECT_EQ(sounds.plays(SoundId::WaterSplash), 1);
    EXPECT_EQ(sounds.plays(SoundId::CowSonarSoundSource), 1);
    EXPECT_EQ(cow1().maxSpeed, 0.25f);
    EXPECT_EQ(cow1().speed, 0.25f);
    // Out onto dirt: top speed back at once, the sound on the next dry update.
    while (cow1().x < 8.0f) frame();
    EXPECT_FALSE(cow1().inWater);
    EXPECT_TRUE(cow1().leftWater);
    EXPECT_EQ(cow1().maxSpeed, 0.5f);
    EXPECT_EQ(sounds.plays(SoundId::GetOutoftheWater), 0);
    frame();
    EXPECT_EQ(sounds.plays(SoundId::GetOutoftheWater), 1);
    EXPECT_FALSE(cow1().leftWater);
    EXPECT_EQ(sounds.plays(SoundId::WaterSplash), 1);
}

TEST_F(Water, ASlowedCowIsNotHalvedAgain) {
    pond();
    place(cow1(), 6.5f, 1.5f, 1, 0);
    cow1().baseLevel = -0.6f;
    cow1().slowed = 1;
    cow1().maxSpeed = 0.1f;
    cow1().speed = 0.1f;
    frame();
    EXPECT_TRUE(cow1().inWater);
    EXPECT_GT(cow1().maxSpeed, 0.1f) << "recovering from the slow effect, not halved";
    EXPECT_LT(cow1().maxSpeed, 0.11f);
}

TEST_F(Water, TheSonarStopsOnlyWhenNeitherCowIsInWater) {
    pond();
    place(cow1(), 6.5f, 1.5f, 1, 0);
    place(cow2(), 6.5f, 4.5f, 1, 0);
    frame();
    ASSERT_TRUE(cow1().inWater && cow2().inWater);
    sounds.clear();
    place(cow1(), 12.5f, 1.5f, 1, 0);
    frames(3);
    EXPECT_FALSE(cow1().inWater);
    EXPECT_EQ(sounds.stops(SoundId::CowSonarSoundSource), 0);
    EXPECT_EQ(sounds.stops(SoundId::WaterSplash), 0);
    place(cow2(), 12.5f, 4.5f, 1, 0);
    frame();
    EXPECT_EQ(sounds.stops(SoundId::CowSonarSoundSource), 1);
    EXPECT_EQ(sounds.stops(SoundId::WaterSplash), 1);
}

TEST_F(Water, LeavingOverGrassStaysInTheWaterUntilDirt) {
    pond();
    place(cow2(), 6.5f, 4.5f, 1, 0);
    keys.press(vk::D);
    frames(2);
    ASSERT_TRUE(cow2().inWater);
    sounds.clear();
    while (cow2().x < 8.0f) frame();
    EXPECT_EQ(cow2().groundUnder->kind, 'E');
    frame();
    EXPECT_TRUE(cow2().inWater);
    EXPECT_EQ(cow2().maxSpeed, 0.25f);
    EXPECT_EQ(sounds.stops(SoundId::CowSonarSoundSource), 0);
    while (cow2().x < 10.0f) frame();
    EXPECT_FALSE(cow2().inWater);
    EXPECT_EQ(sounds.plays(SoundId::GetOutoftheWater), 1);
    // Dried off: the top speed comes back.
    EXPECT_EQ(cow2().maxSpeed, 0.5f);
}

TEST_F(Water, AJumpOverWaterSplashesOnlyAfterLanding) {
    pond();
    place(cow1(), 3.0f, 1.5f, 1, 0);
    cow1().speed = 0.25f;
    cow1().maxSpeed = 0.25f;
    keys.press(vk::Right);
    keys.press(vk::RShift);
    frame();
    keys.release(vk::RShift);
    frames(15);
    // Landed in the water in the 16th frame; the splash follows in the next.
    EXPECT_FALSE(cow1().jumping);
    EXPECT_EQ(cow1().groundUnder->kind, '~');
    EXPECT_EQ(sounds.plays(SoundId::WaterSplash), 0);
    frame();
    EXPECT_TRUE(cow1().inWater);
    EXPECT_EQ(sounds.plays(SoundId::WaterSplash), 1);
}

}  // namespace
