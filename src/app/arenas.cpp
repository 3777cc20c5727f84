#include "app/arenas.h"

#include "world/map_reader.h"

const std::vector<Arena>& shippedArenas() {
    static const std::vector<Arena> arenas = {
        {"Farm", kMapFile},
        {"Paddock", "_maps/Paddock.map"},
        {"Wetlands", "_maps/Wetlands.map"},
    };
    return arenas;
}

const Arena* findArena(const std::string& name) {
    for (const Arena& a : shippedArenas())
        if (name == a.name) return &a;
    return nullptr;
}
