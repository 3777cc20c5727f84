// Every key a player may bind, by virtual-key code, with the name the settings
// file, the controls screen and the help panel use for it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// "UP", "RSHIFT", "W", "F12", "KP5"...; null for a code the game has no name for.
const char* keyName(uint32_t virtualKey);
// The code of a name as keyName gives it (case does not matter); 0 for none.
uint32_t keyFromName(const std::string& name);
// Every named code, in the order the names were listed.
const std::vector<uint32_t>& namedKeys();

// Keys the game keeps for itself in play or on the title screen (quit, new
// game, pause, sound, full screen, start): no cow action may take them. The
// reason names what the key does; null for a key free to bind.
const char* reservedKeyUse(uint32_t virtualKey);
