// Reads BMP files (with or without the 14-byte "BM" file header; 12- and
// 40-byte info headers; 1, 4, 8, 16, 24 and 32 bits per pixel; RLE8, RLE4 and
// bit fields) into tightly packed RGB pictures for OpenGL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// Width x height pixels of red, green, blue bytes, bottom row first, no row
// padding. Top-down files are flipped on reading, so `height` is always
// positive and row 0 is always the bottom of the picture.
struct RgbImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> pixels;
};

// The info header as the reader works with it: the 40-byte layout, which the
// 12-byte form is widened to.
struct BmpInfoHeader {
    uint32_t size = 0;  // 12 or 40 as read from the file
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 0;
    uint16_t bitCount = 0;
    uint32_t compression = 0;
    uint32_t sizeImage = 0;
    int32_t xPelsPerMeter = 0;
    int32_t yPelsPerMeter = 0;
    uint32_t clrUsed = 0;
    uint32_t clrImportant = 0;
};

// Colour-table entries the header announces: a non-zero colours-used field of
// the 40-byte form (cut to 16 bits), else 2, 16 or 256 for 1, 4 or 8 bits per
// pixel, else 0.
uint16_t colourCount(const BmpInfoHeader& header);

enum class BmpStatus { Ok, UnknownFormat, OutOfMemory, ConversionError };

// The user-facing text of a decoding failure (a file that cannot be opened is
// reported by loadBmpImage, with its name).
const char* bmpStatusText(BmpStatus status);

// Largest picture the reader will set up, in pixels (192 MiB of RGB).
constexpr uint64_t kMaxBmpPixels = uint64_t(1) << 26;

// Decodes the bytes of a whole file without reporting anything. A picture of
// more than `maxPixels` is refused as OutOfMemory; the game always uses the
// default, the fuzzer and the mutation tests a smaller one so that a few bytes
// of run-length data cannot make each of their many runs fill 192 MiB.
BmpStatus decodeBmp(const uint8_t* data, size_t size, RgbImage& out, uint64_t maxPixels = kMaxBmpPixels);

// Decodes bytes held in memory; a failure shows its message and gives nothing.
std::unique_ptr<RgbImage> decodeBmpImage(const uint8_t* data, size_t size);

// Reads a file (through a read-only mapping); a failure shows its message
// ("Failed to open DIB file <name>.\n" and the three decoding ones) and gives
// nothing.
std::unique_ptr<RgbImage> loadBmpImage(const char* fileName);
