#include "ui/hud_screens.h"

#include <cstring>

#include "game/rules.h"
#include "game/key_bindings.h"
#include "game/step.h"
#include "platform/keys.h"

HudScreen chooseHudScreen(const Cow& cow) {
    if (introCallCount < kIntroductionLength) return HudScreen::Intro;
    if (helpHeld(cow)) return HudScreen::HelpPanel;
    if (cow.winner) return HudScreen::WinText;
    if (cow.rival && cow.rival->winner) return HudScreen::LoseText;
    return HudScreen::Regular;
}

namespace {

struct KeyWords {
    ControlsLine line;
    uint32_t key;
    const char* text;
};

// Player 1's keys, then player 2's.
const KeyWords kKeyWords[] = {
    {UpLine, vk::Up, "UP: UP"},
    {DownLine, vk::Down, "DOWN: DOWN"},
    {LeftLine, vk::Left, "LEFT: LEFT"},
    {RightLine, vk::Right, "RIGHT: RIGHT"},
    {JumpLine, vk::RShift, "JUMP: RSHIFT"},
    {AttackLine, vk::RControl, "ATTACK: RCTRL"},
    {UpLine, vk::W, "UP: 'W'"},
    {DownLine, vk::S, "DOWN: 'S'"},
    {LeftLine, vk::A, "LEFT: 'A'"},
    {RightLine, vk::D, "RIGHT: 'D'"},
    {JumpLine, vk::LShift, "JUMP: LSHIFT"},
    {AttackLine, vk::LControl, "ATTACK: LCTRL"},
};

}  // namespace

const char* controlsLineText(ControlsLine line, uint32_t virtualKey) {
    for (const KeyWords& k : kKeyWords)
        if (k.line == line && k.key == virtualKey) return k.text;
    return nullptr;
}

void fillControlsLines(const Cow& cow, char lines[kControlsLineCount][kControlsLineSize]) {
    // The lines run in the binding table's order: four directions, jump, attack.
    const CowBindings& bound = keyBindings.cow[cowIndexOf(cow)];
    const uint32_t* keys = bound.key;
    for (int i = 0; i < kControlsLineCount; ++i) {
        const char* text = controlsLineText(static_cast<ControlsLine>(i), keys[i]);
        if (!text) continue;
        std::strncpy(lines[i], text, kControlsLineSize - 1);
        lines[i][kControlsLineSize - 1] = '\0';
    }
}

const char* introHelpLine(const Cow& cow) {
    return cow.kind == '1' ? "Hit F12 for controls during game" : "Hit F1 for controls during game";
}

float displayedEnergy(float energy) { return energy > 0.0f ? energy : 0.0f; }
