// The map file: two characters per cell (ground, then object), one line per
// row, "\r\n" read as "\n".
#pragma once

#include <string>

constexpr const char* kMapFile = "_maps/Map02.map";

struct MapLoadResult {
    bool ok = false;
    std::string message;  // names the file and, where it applies, the line and the limit
};

// Builds the world from the bytes of a map file. On failure the world is left
// empty (everything built so far released) and the message says why.
MapLoadResult readMapFromBytes(const std::string& bytes, const std::string& fileName);
MapLoadResult readMapFile(const std::string& path);

// The text and file name of the map the world was last built from (empty when
// the last read failed): a replay carries them so it plays anywhere.
const std::string& loadedMapText();
const std::string& loadedMapName();

// The arena readMap builds: kMapFile until another is chosen (the command
// line's --map, the menu's arena). Empty goes back to kMapFile.
void setMapPath(const std::string& path);
const std::string& mapPath();

// The game's reader: builds the world from mapPath(), or writes the reason on
// standard error and ends the process with status 1.
void readMap();

// Calls every object's setup once, column by column, after the map is read.
void setupPass();
