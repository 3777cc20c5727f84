// The keys players press: the keyboard while the game has the focus, or-ed
// with the gamepads' Start as SPACE. The pads' other controls go straight
// into their cows' records (see game/input_source.h, setCowPads).
#pragma once

#include "platform/keys.h"

// Either source holding a key counts.
class EitherKeys : public KeySource {
public:
    EitherKeys(KeySource& first, KeySource& second) : first_(first), second_(second) {}
    bool isDown(uint32_t virtualKey) override { return first_.isDown(virtualKey) || second_.isDown(virtualKey); }
    void holdState() override {
        first_.holdState();
        second_.holdState();
    }
    void releaseState() override {
        first_.releaseState();
        second_.releaseState();
    }

private:
    KeySource& first_;
    KeySource& second_;
};

// The live keyboard or-ed with the pads, started on first use, which also
// makes the pads the ones the keyboard driver or-s in. Call once the GLUT
// window exists and its GL context is current: that window is the game's.
KeySource& liveKeys();

// Whether keys typed now reach the game's window: false once another window
// has the keyboard focus (a local game pauses then).
bool keyboardFocused();
