// The HUD's decisions, apart from its drawing so they can be checked headless.
#pragma once

#include "ui/hud_state.h"
#include "world/records.h"

enum class HudScreen { Intro, HelpPanel, WinText, LoseText, Regular };

// The first of the overlay's five cases that applies to this cow now: the
// introduction, the help key held, this cow won, its rival won, or the
// regular HUD. Reads the intro counter and the help key; changes nothing.
HudScreen chooseHudScreen(const Cow& cow);

enum ControlsLine { UpLine, DownLine, LeftLine, RightLine, JumpLine, AttackLine };

// The text of one help line for the key bound to its action, or null for a
// key that line has no words for.
const char* controlsLineText(ControlsLine line, uint32_t virtualKey);

// Sets each of the six lines from the cow's key for that action; a key the
// panel has no words for leaves that line's previous text in place.
void fillControlsLines(const Cow& cow, char lines[kControlsLineCount][kControlsLineSize]);

// The help line of the introduction, naming the cow's help key.
const char* introHelpLine(const Cow& cow);

// The energy the bar and its number show: the cow's energy, but never below
// 0 (a dash may take it to -7.5, which would draw the bar downwards and the
// number as stray glyphs). The cow's own value is not changed.
float displayedEnergy(float energy);
