// Gamepads through SDL's virtual joysticks: no device, no udev, no display.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cstdio>
#include <string>
#include <vector>

#include "game/cow.h"
#include "game/input_source.h"
#include "game/key_bindings.h"
#include "game/step.h"
#include "platform/live_keys.h"
#include "platform/pad_keys.h"
#include "test_support.h"

namespace {

// The keys a pad can hold, by cow: Horace's, then Boris's.
const std::vector<uint32_t> kHoraceKeys = {vk::W, vk::S, vk::A, vk::D, vk::LShift, vk::LControl, vk::F1};
const std::vector<uint32_t> kBorisKeys = {vk::Up, vk::Down, vk::Left, vk::Right, vk::RShift, vk::RControl, vk::F12};

class PadKeysTest : public ::testing::Test {
protected:
    PadKeys pads;
    std::FILE* log = nullptr;
    std::vector<SDL_Joystick*> plugged;

    void SetUp() override {
        log = std::tmpfile();
        pads.notices = log;
        // Only the virtual driver: whatever the machine has plugged in stays out of the test.
        SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
        SDL_SetHint("SDL_JOYSTICK_LINUX", "0");
        ASSERT_TRUE(pads.start(stderr)) << SDL_GetError();
    }
    void TearDown() override {
        while (!plugged.empty()) unplug(0);
        pads.stop();
        std::fclose(log);
    }

    // Plugs in a pad of the standard layout; returns its number in `plugged`.
    int plugIn(const char* name = "Test pad") {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = name;
        const int device = SDL_JoystickAttachVirtualEx(&desc);
        EXPECT_GE(device, 0) << SDL_GetError();
        SDL_Joystick* js = SDL_JoystickOpen(device);
        EXPECT_NE(js, nullptr) << SDL_GetError();
        plugged.push_back(js);
        return int(plugged.size()) - 1;
    }
    void unplug(int pad) {
        SDL_Joystick* js = plugged[pad];
        const SDL_JoystickID id = SDL_JoystickInstanceID(js);
        SDL_JoystickClose(js);
        for (int device = 0; device < SDL_NumJoysticks(); ++device)
            if (SDL_JoystickGetDeviceInstanceID(device) == id) SDL_JoystickDetachVirtual(device);
        plugged.erase(plugged.begin() + pad);
    }
    void button(int pad, SDL_GameControllerButton b, bool down) {
        SDL_JoystickSetVirtualButton(plugged[pad], b, down ? 1 : 0);
    }
    void stick(int pad, int x, int y) {
        SDL_JoystickSetVirtualAxis(plugged[pad], SDL_CONTROLLER_AXIS_LEFTX, Sint16(x));
        SDL_JoystickSetVirtualAxis(plugged[pad], SDL_CONTROLLER_AXIS_LEFTY, Sint16(y));
    }
    // The keys among `candidates` whose controls the pads hold now, named
    // by the default bindings: a pad feeds its cow's record, and as a key
    // source holds nothing but SPACE.
    std::vector<uint32_t> held(const std::vector<uint32_t>& candidates) {
        const KeyBindings bindings = defaultKeyBindings();
        const CowInput cows[2] = {pads.cowInput(kBoris), pads.cowInput(kHorace)};
        std::vector<uint32_t> out;
        for (uint32_t k : candidates) {
            bool down = k == vk::Space && pads.isDown(k);
            if (k != vk::Space) {
                EXPECT_FALSE(pads.isDown(k)) << "a pad posed as key " << k;
            }
            for (int c = 0; c < 2; ++c)
                for (int a = 0; a < kCowActionCount; ++a)
                    down = down || (bindings.cow[c].key[a] == k && cows[c].held(static_cast<CowAction>(a)));
            if (down) out.push_back(k);
        }
        return out;
    }
    std::vector<uint32_t> everyKey() {
        std::vector<uint32_t> all = kHoraceKeys;
        all.insert(all.end(), kBorisKeys.begin(), kBorisKeys.end());
        all.push_back(vk::Space);
        return all;
    }
    std::string notices() {
        std::string s;
        std::rewind(log);
        for (int c; (c = std::fgetc(log)) != EOF;) s += char(c);
        return s;
    }
};

using Keys = std::vector<uint32_t>;

TEST_F(PadKeysTest, FirstPadIsHoracesDPadAndButtons) {
    plugIn();
    EXPECT_EQ(held(everyKey()), Keys{});
    EXPECT_TRUE(pads.slotTaken(0));
    EXPECT_FALSE(pads.slotTaken(1));

    const struct {
        SDL_GameControllerButton button;
        Keys keys;
    } cases[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_UP, {vk::W}},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, {vk::S}},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, {vk::A}},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, {vk::D}},
        {SDL_CONTROLLER_BUTTON_A, {vk::LShift}},
        {SDL_CONTROLLER_BUTTON_B, {vk::LControl}},
        {SDL_CONTROLLER_BUTTON_X, {vk::LControl}},
        {SDL_CONTROLLER_BUTTON_BACK, {vk::F1}},
        {SDL_CONTROLLER_BUTTON_START, {vk::Space}},
        // Buttons the game gives no meaning hold nothing.
        {SDL_CONTROLLER_BUTTON_Y, {}},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, {}},
        {SDL_CONTROLLER_BUTTON_GUIDE, {}},
    };
    for (const auto& c : cases) {
        button(0, c.button, true);
        EXPECT_EQ(held(everyKey()), c.keys) << "button " << SDL_GameControllerGetStringForButton(c.button);
        button(0, c.button, false);
        // Read fresh at the next poll: released is up at once.
        EXPECT_EQ(held(everyKey()), Keys{}) << "button " << SDL_GameControllerGetStringForButton(c.button);
    }
    EXPECT_NE(notices().find("\"Test pad\" drives Horace"), std::string::npos) << notices();
}

TEST_F(PadKeysTest, StickGivesEightDirectionsOutsideTheDeadZone) {
    plugIn();
    const struct {
        int x, y;
        Keys keys;
    } cases[] = {
        {0, 0, {}},
        {7000, 0, {}},          // inside the dead zone
        {-5600, -5600, {}},     // inside, diagonally (7920 from the centre)
        {0, kStickDeadZone, {}},
        {9000, 0, {vk::D}},
        {-9000, 0, {vk::A}},
        {0, -9000, {vk::W}},
        {0, 9000, {vk::S}},
        {32767, 32767, {vk::S, vk::D}},
        {-32768, -32768, {vk::W, vk::A}},
        {-20000, 20000, {vk::S, vk::A}},
        {20000, -20000, {vk::W, vk::D}},
        // 20 degrees off the axis is still straight; 25 degrees is diagonal.
        {30000, 10919, {vk::D}},
        {30000, 13989, {vk::S, vk::D}},
        {-10919, -30000, {vk::W}},
        {-13989, -30000, {vk::W, vk::A}},
    };
    for (const auto& c : cases) {
        stick(0, c.x, c.y);
        EXPECT_EQ(held(kHoraceKeys), c.keys) << "stick at " << c.x << ", " << c.y;
        EXPECT_EQ(held(kBorisKeys), Keys{});
    }
    // D-pad and stick together: either one pointing counts.
    stick(0, 20000, 0);
    button(0, SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    EXPECT_EQ(held(kHoraceKeys), (Keys{vk::W, vk::D}));
}

TEST_F(PadKeysTest, TwoPadsDriveTheirOwnCowsAndStartIsEitherPads) {
    plugIn("First");
    plugIn("Second");
    EXPECT_EQ(held(everyKey()), Keys{});
    EXPECT_TRUE(pads.slotTaken(0));
    EXPECT_TRUE(pads.slotTaken(1));
    button(1, SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    button(1, SDL_CONTROLLER_BUTTON_A, true);
    button(0, SDL_CONTROLLER_BUTTON_X, true);
    EXPECT_EQ(held(everyKey()), (Keys{vk::LControl, vk::Left, vk::RShift}));
    button(0, SDL_CONTROLLER_BUTTON_X, false);
    button(1, SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    button(1, SDL_CONTROLLER_BUTTON_A, false);
    button(1, SDL_CONTROLLER_BUTTON_BACK, true);
    EXPECT_EQ(held(everyKey()), Keys{vk::F12});
    button(1, SDL_CONTROLLER_BUTTON_BACK, false);
    button(1, SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_EQ(held(everyKey()), Keys{vk::Space});
    const std::string said = notices();
    EXPECT_NE(said.find("\"First\" drives Horace"), std::string::npos) << said;
    EXPECT_NE(said.find("\"Second\" drives Boris"), std::string::npos) << said;
}

TEST_F(PadKeysTest, UnpluggedPadFreesItsCowForTheNextPad) {
    plugIn("First");
    plugIn("Second");
    EXPECT_TRUE(pads.isDown(vk::Space) == false);
    // Horace's pad held a key when it went: the key comes up with it.
    button(0, SDL_CONTROLLER_BUTTON_DPAD_UP, true);
    EXPECT_TRUE(pads.cowInput(kHorace).held(CowAction::Up));
    unplug(0);
    EXPECT_FALSE(pads.cowInput(kHorace).held(CowAction::Up));
    EXPECT_FALSE(pads.slotTaken(0));
    EXPECT_TRUE(pads.slotTaken(1));
    EXPECT_NE(notices().find("unplugged: Horace"), std::string::npos) << notices();
    // Boris's pad is still Boris's.
    button(0, SDL_CONTROLLER_BUTTON_DPAD_DOWN, true);
    EXPECT_EQ(held(everyKey()), Keys{vk::Down});
    button(0, SDL_CONTROLLER_BUTTON_DPAD_DOWN, false);
    // A pad plugged in mid-game takes the free cow.
    const int third = plugIn("Third");
    button(third, SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_EQ(held(everyKey()), Keys{vk::LControl});
    EXPECT_NE(notices().find("\"Third\" drives Horace"), std::string::npos) << notices();
    // With both cows taken, a further pad waits for one to come free.
    const int fourth = plugIn("Fourth");
    button(fourth, SDL_CONTROLLER_BUTTON_A, true);
    EXPECT_EQ(held(everyKey()), Keys{vk::LControl});
    unplug(0);  // Boris's pad
    EXPECT_EQ(held(everyKey()), (Keys{vk::LControl, vk::RShift}));
}

TEST_F(PadKeysTest, KeyboardAndPadTogetherSteerTheCow) {
    plugIn();
    ScriptedKeys keyboard;
    setKeySource(&keyboard);
    setCowPads(&pads);
    errorPopups = false;
    ASSERT_TRUE(readMapFromBytes(mapText({". . . . . . . . ", ". .2. . . .1. ", ". . . . . . . . "}), "pad.map").ok);
    Cow& horace = *world.cow2;
    Cow& boris = *world.cow1;
    const float horaceStartX = horace.x, borisStartX = boris.x;

    // The pad turns Horace round to the left while the keyboard runs Boris left.
    button(0, SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
    keyboard.press(vk::Left);
    for (int i = 0; i < 10; ++i) stepPlayingFrameHeadless();
    EXPECT_LT(horace.x, horaceStartX);
    EXPECT_LT(boris.x, borisStartX);
    EXPECT_EQ(horace.heading, 180);

    // The game's keyboard driver or-s the cow's pad into the keys bound to it.
    KeyboardInput driver(keyboard);
    button(0, SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
    keyboard.releaseAll();
    keyboard.press(vk::W);
    CowInput in = driver.next(kHorace);
    EXPECT_TRUE(in.held(CowAction::Up));
    EXPECT_FALSE(in.held(CowAction::Left));
    keyboard.release(vk::W);
    button(0, SDL_CONTROLLER_BUTTON_A, true);
    in = driver.next(kHorace);
    EXPECT_FALSE(in.held(CowAction::Up));
    EXPECT_TRUE(in.held(CowAction::Jump));
    EXPECT_EQ(driver.next(kBoris).bits, 0) << "Horace's pad reached Boris";
    EXPECT_FALSE(asyncKeyDown(vk::LShift)) << "the pad posed as the jump key";

    releaseWorld();
    setCowPads(nullptr);
    setKeySource(nullptr);
}

}  // namespace

namespace {

// A player who gives a cow other keys keeps the pad's buttons: the pad feeds
// the cow's record, whatever keys the keyboard has for it.
TEST(PadFollowsBindings, ButtonsKeepTheirMeaningWhateverTheKeys) {
    class OnePad : public CowPads {
    public:
        PadState state;
        CowInput cowInput(int cow) override { return cow == kHorace ? padCowInput(state) : CowInput{}; }
    } pad;
    pad.state.dpadLeft = true;
    pad.state.a = true;
    ScriptedKeys keyboard;
    setCowPads(&pad);
    keyBindings.cow[kHorace] = {{'T', 'G', 'F', 'H', vk::Tab, 'Q', 'E'}};
    KeyboardInput driver(keyboard);
    CowInput in = driver.next(kHorace);
    EXPECT_TRUE(in.held(CowAction::Left));
    EXPECT_TRUE(in.held(CowAction::Jump));
    EXPECT_FALSE(in.held(CowAction::Right));
    keyboard.press('H');
    EXPECT_TRUE(driver.next(kHorace).held(CowAction::Right)) << "the new key steers too";
    keyBindings = defaultKeyBindings();
    setCowPads(nullptr);
}

}  // namespace
