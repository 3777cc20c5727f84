#include "app/solo.h"

#include "game/key_bindings.h"

int soloKeyOnTitle() {
    for (int level = 0; level < 3; ++level)
        if (asyncKeyDown(static_cast<uint32_t>('1' + level))) return level;
    return -1;
}

std::string soloComputerDriver(int level) {
    static const char* const kNames[3] = {"computer:easy", "computer:normal", "computer:hard"};
    return kNames[level < 0 ? 1 : level > 2 ? 2 : level];
}

CowInput EitherKeysInput::next(int) {
    CowInput a = inputFromKeys(keys_, keyBindings.cow[kBoris]);
    CowInput b = inputFromKeys(keys_, keyBindings.cow[kHorace]);
    CowInput both;
    both.bits = static_cast<uint8_t>((a.bits | b.bits | everyPadInput().bits) & kCowInputMask);
    return both;
}

int soloPlayerCow(const std::string& borisDriver, const std::string& horaceDriver) {
    const bool borisKeys = borisDriver == "keys", horaceKeys = horaceDriver == "keys";
    if (borisKeys == horaceKeys) return -1;
    return borisKeys ? kBoris : kHorace;
}
