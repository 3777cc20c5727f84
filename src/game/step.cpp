#include "game/step.h"

#include "game/cow.h"
#include "game/input_source.h"
#include "game/key_bindings.h"
#include "world/world_grid.h"

namespace {
StepInput lastInput;
int32_t winningScore[2] = {};

// Answers from whatever source the tests or the game installed.
class ActiveKeys : public KeySource {
public:
    bool isDown(uint32_t virtualKey) override { return asyncKeyDown(virtualKey); }
};
}  // namespace

void stepPlayingFrame(const StepInput& in) {
    lastInput = in;
    if (!world.cow1 || !world.cow2) return;  // no world read: nothing to play
    updateCow(*world.cow1, in.cow[kBoris]);
    updateCow(*world.cow2, in.cow[kHorace]);
    if (!in.cow[kBoris].held(CowAction::Help) || !in.cow[kHorace].held(CowAction::Help)) {
        updateCowLevel(*world.cow1);
        updateCowLevel(*world.cow2);
    }
}

const StepInput& lastStepInput() { return lastInput; }
void clearLastStepInput() { lastInput = StepInput{}; }
void restoreLastStepInput(const StepInput& in) { lastInput = in; }

void noteWinningScore(const Cow& winner) {
    winningScore[cowIndexOf(winner)] = winner.hayStored;
    if (winner.rival) winningScore[cowIndexOf(*winner.rival)] = winner.rival->hayStored;
}

int32_t hayAtLastWin(int cowIndex) { return winningScore[cowIndex == kHorace ? kHorace : kBoris]; }

int cowIndexOf(const Cow& cow) { return cow.kind == '2' ? kHorace : kBoris; }

bool helpHeld(const Cow& cow) { return lastInput.cow[cowIndexOf(cow)].held(CowAction::Help); }

StepInput inputsFromKeys(KeySource& keys) {
    StepInput in;
    in.cow[kBoris] = inputFromKeys(keys, keyBindings.cow[kBoris]);
    in.cow[kHorace] = inputFromKeys(keys, keyBindings.cow[kHorace]);
    return in;
}

StepInput inputsFromActiveKeys() {
    ActiveKeys keys;
    StepInput in = inputsFromKeys(keys);
    if (CowPads* pads = cowPads())
        for (int c = 0; c < 2; ++c) in.cow[c].bits = static_cast<uint8_t>(in.cow[c].bits | pads->cowInput(c).bits);
    return in;
}

void stepPlayingFrameHeadless() { stepPlayingFrame(inputsFromActiveKeys()); }
