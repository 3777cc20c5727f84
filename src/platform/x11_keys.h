// The live keyboard: every poll asks the X server which keys are down now, and
// reads every key as up unless a key typed now would reach one of the game's
// windows (see key_focus.h).
#pragma once

#include "platform/key_focus.h"
#include "platform/keys.h"

class X11Keys : public KeySource {
public:
    X11Keys();
    ~X11Keys() override;
    X11Keys(const X11Keys&) = delete;
    X11Keys& operator=(const X11Keys&) = delete;
    bool isDown(uint32_t virtualKey) override;
    // While held, the first read asks the server for the keyboard and the
    // rest answer from that answer.
    void holdState() override;
    void releaseState() override;
    // Whether a key typed now would reach the game (see key_focus.h).
    bool focused();

private:
    void* display_ = nullptr;  // Display*, kept opaque so X11 stays in platform/
    unsigned char keycodes_[256] = {};
    FocusAnswer focus_;
    bool held_ = false;
    bool haveKeymap_ = false;
    char keymap_[32] = {};
};

// The X keysym a virtual-key code stands for, or 0 for codes the game never polls.
unsigned long keysymForVirtualKey(uint32_t virtualKey);
