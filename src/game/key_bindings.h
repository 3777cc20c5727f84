// Which key means which action for which cow. The cow record knows nothing of
// keys: the keyboard source reads this table when it fills a cow's record.
#pragma once

#include <cstdint>

#include "game/cow_input.h"
#include "platform/keys.h"

struct CowBindings {
    uint32_t key[kCowActionCount] = {};
    uint32_t of(CowAction a) const { return key[static_cast<int>(a)]; }
};

struct KeyBindings {
    CowBindings cow[2];
};

// Boris: arrows, right Shift, right Ctrl, F12; Horace: W A S D, left Shift,
// left Ctrl, F1.
KeyBindings defaultKeyBindings();

// The table in force; the settings and the controls screen change it.
extern KeyBindings keyBindings;

// One cow's record as `keys` hold it now: each bound key read once.
CowInput inputFromKeys(KeySource& keys, const CowBindings& bindings);
