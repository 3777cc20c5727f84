// A PNG writer with no library behind it: 8-bit RGBA, the image data in stored
// (uncompressed) deflate blocks. Icons are small, so size does not matter and
// nothing new is needed to build them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace png {

uint32_t crc32(const uint8_t* data, size_t n, uint32_t crc = 0);
uint32_t adler32(const uint8_t* data, size_t n);

// The whole file for width x height pixels given as 0xAARRGGBB, row 0 at the top.
std::vector<uint8_t> encodeRgba(int width, int height, const std::vector<uint32_t>& argb);

// False when the file cannot be written.
bool writeRgba(const std::string& path, int width, int height, const std::vector<uint32_t>& argb);

}  // namespace png
