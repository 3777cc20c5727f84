#include "ui/hud_screens.h"

#include <cctype>
#include <cstring>
#include <string>

#include "game/rules.h"
#include "game/key_bindings.h"
#include "game/step.h"
#include "platform/key_names.h"
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

namespace {

const char* const kLineWords[kControlsLineCount] = {"UP: ", "DOWN: ", "LEFT: ", "RIGHT: ", "JUMP: ", "ATTACK: "};

// A key's name as the panel writes it: a letter or a digit in quotes, as the
// panel has always shown W A S D.
std::string printedKey(uint32_t key) {
    const char* name = keyName(key);
    if (!name) return "";
    if (name[0] && !name[1] && std::isalnum(static_cast<unsigned char>(name[0])))
        return std::string("'") + name + "'";
    return name;
}

}  // namespace

void fillControlsLines(const Cow& cow, char lines[kControlsLineCount][kControlsLineSize]) {
    // The lines run in the binding table's order: four directions, jump, attack.
    const CowBindings& bound = keyBindings.cow[cowIndexOf(cow)];
    const uint32_t* keys = bound.key;
    for (int i = 0; i < kControlsLineCount; ++i) {
        const char* text = controlsLineText(static_cast<ControlsLine>(i), keys[i]);
        std::string built;
        if (!text) {
            // A key of the player's own choosing, named as the settings name it.
            const std::string name = printedKey(keys[i]);
            if (name.empty()) continue;
            built = kLineWords[i] + name;
            text = built.c_str();
        }
        std::strncpy(lines[i], text, kControlsLineSize - 1);
        lines[i][kControlsLineSize - 1] = '\0';
    }
}

const char* introHelpLine(const Cow& cow) {
    static std::string lines[2];
    const int index = cowIndexOf(cow);
    const std::string name = printedKey(keyBindings.cow[index].of(CowAction::Help));
    lines[index] = "Hit " + (name.empty() ? std::string("?") : name) + " for controls during game";
    return lines[index].c_str();
}

float displayedEnergy(float energy) { return energy > 0.0f ? energy : 0.0f; }
