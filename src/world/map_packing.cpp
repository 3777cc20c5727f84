#include "world/map_packing.h"

#include <zlib.h>

std::vector<uint8_t> packMap(const std::string& text) {
    uLongf size = compressBound(static_cast<uLong>(text.size()));
    std::vector<uint8_t> packed(size);
    if (compress2(packed.data(), &size, reinterpret_cast<const Bytef*>(text.data()), static_cast<uLong>(text.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        size = 0;  // cannot happen with a buffer of compressBound's size
    packed.resize(size);
    return packed;
}

bool unpackMap(const uint8_t* packed, size_t length, size_t size, std::string& text) {
    text.assign(size, '\0');
    uLongf out = static_cast<uLongf>(size);
    uLong used = static_cast<uLong>(length);
    if (uncompress2(reinterpret_cast<Bytef*>(&text[0]), &out, packed, &used) == Z_OK && out == size &&
        used == length)
        return true;
    text.clear();
    return false;
}
