// Game controllers: each pad feeds its cow's input record directly, or-ed
// with the keys bound to that cow, and Start counts as SPACE for the title
// screen. The first pad found is Horace's (cow 2, left half), the second
// Boris's (cow 1); a pad plugged in later takes a free cow, and an unplugged
// pad leaves its cow to the keyboard.
#pragma once

#include <cstdint>
#include <cstdio>

#include "game/cow_input.h"
#include "game/input_source.h"
#include "platform/keys.h"

// One pad's controls as read at one moment. Stick axes run -32768..32767,
// negative towards the left and the top.
struct PadState {
    bool dpadUp = false, dpadDown = false, dpadLeft = false, dpadRight = false;
    int16_t stickX = 0, stickY = 0;
    bool a = false, b = false, x = false, back = false, start = false;
};

// A stick pushed no further than this from the centre steers nothing: worn
// sticks rest a little off centre.
constexpr int kStickDeadZone = 8000;

// The pad slots: slot 0 drives Horace (cow 2), slot 1 Boris (cow 1).
constexpr int kPadSlots = 2;

// The cow a pad in `slot` drives: kHorace for slot 0, kBoris for slot 1.
int cowOfPadSlot(int slot);

// A pad's state as its cow's record. The D-pad and the stick steer (the
// stick in eight directions, as the keys can), A jumps, B and X headbutt,
// Back holds the help panel. Start is no control of the cow: it is SPACE.
CowInput padCowInput(const PadState& state);

// The pads through SDL's game-controller subsystem, and nothing else of SDL:
// GLUT keeps the window and OpenAL the sound. As a key source a pad holds
// only SPACE and the Pause key (its Start button: SPACE on the title, pause
// in play); its controls reach the cow through cowInput().
class PadKeys : public KeySource, public CowPads {
public:
    PadKeys() = default;
    ~PadKeys() override;
    PadKeys(const PadKeys&) = delete;
    PadKeys& operator=(const PadKeys&) = delete;

    // Starts the subsystem. When SDL cannot start, says so in one line on
    // `errors` and returns false; the source then never holds a key.
    bool start(std::FILE* errors = stderr);
    // Closes the pads and shuts the subsystem down.
    void stop();

    // Each reads the pads fresh (SDL_GameControllerUpdate), takes in pads
    // newly plugged in and lets go of unplugged ones, then answers.
    // SPACE while either pad holds Start; every other key is up.
    bool isDown(uint32_t virtualKey) override;
    // What the pad that drives this cow holds; nothing when none does.
    CowInput cowInput(int cowIndex) override;

    // Whether a pad drives the cow of `slot` now (as of the last poll).
    bool slotTaken(int slot) const { return slots_[slot].pad != nullptr; }

    // Where the "pad found" and "pad unplugged" lines go; null keeps quiet.
    std::FILE* notices = stdout;

private:
    void refresh();
    PadState read(int slot) const;

    struct Slot {
        void* pad = nullptr;  // SDL_GameController*, opaque so SDL stays in this file's .cpp
        int32_t instance = -1;
    };
    bool started_ = false;
    Slot slots_[kPadSlots];
};
