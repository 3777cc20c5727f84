// The arenas shipped with the game, by the names the menu and the settings use.
#pragma once

#include <string>
#include <vector>

struct Arena {
    const char* name;  // "Farm"
    const char* file;  // relative to the data directory
};

// The farm first: the default arena.
const std::vector<Arena>& shippedArenas();
// Null for a name no shipped arena has.
const Arena* findArena(const std::string& name);
