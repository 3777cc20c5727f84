#include "game/key_bindings.h"

KeyBindings defaultKeyBindings() {
    KeyBindings b;
    b.cow[kBoris] = {{vk::Up, vk::Down, vk::Left, vk::Right, vk::RShift, vk::RControl, vk::F12}};
    b.cow[kHorace] = {{vk::W, vk::S, vk::A, vk::D, vk::LShift, vk::LControl, vk::F1}};
    return b;
}

KeyBindings keyBindings = defaultKeyBindings();

CowInput inputFromKeys(KeySource& keys, const CowBindings& bindings) {
    CowInput in;
    keys.holdState();
    for (int a = 0; a < kCowActionCount; ++a)
        if (bindings.key[a] != 0 && keys.isDown(bindings.key[a])) in.set(static_cast<CowAction>(a));
    keys.releaseState();
    return in;
}
