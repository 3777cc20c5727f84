// Any bytes as a map file: read, set up, released, with no leak left behind.
#include <cstddef>
#include <cstdint>
#include <string>

#include "world/map_reader.h"
#include "world/world_grid.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    readMapFromBytes(std::string(reinterpret_cast<const char*>(data), size), "fuzz.map");
    releaseWorld();
    return 0;
}
