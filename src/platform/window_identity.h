// Tells the desktop which application the game's window belongs to: WM_CLASS
// (matched against the desktop entry's StartupWMClass) and _NET_WM_ICON (the
// icon shown in task bars and switchers).
#pragma once

#include <vector>

// The WM_CLASS pair the window carries.
inline constexpr const char* kWindowResName = "hoofbrawl";
inline constexpr const char* kWindowResClass = "Hoofbrawl";

// The _NET_WM_ICON value: for each icon size up to 128, width, height, then its
// pixels as 0xAARRGGBB, one cardinal each.
std::vector<unsigned long> netWmIconData();

// Sets both on the window of the current GL context (the GLUT window just
// created). Does nothing without one.
void identifyGameWindow();
