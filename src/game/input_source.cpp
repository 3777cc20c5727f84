#include "game/input_source.h"

#include "game/key_bindings.h"

namespace {
CowPads* activePads = nullptr;
}  // namespace

void setCowPads(CowPads* pads) { activePads = pads; }
CowPads* cowPads() { return activePads; }

CowInput everyPadInput() {
    CowInput in;
    if (activePads)
        for (int c = 0; c < 2; ++c) in.bits = static_cast<uint8_t>(in.bits | activePads->cowInput(c).bits);
    return in;
}

CowInput KeyboardInput::next(int cowIndex) {
    CowInput in = inputFromKeys(keys_, keyBindings.cow[cowIndex]);
    if (activePads) in.bits = static_cast<uint8_t>(in.bits | activePads->cowInput(cowIndex).bits);
    return in;
}
