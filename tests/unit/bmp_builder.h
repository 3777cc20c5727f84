// Builds BMP files byte by byte for the reader's tests and the fuzz corpus:
// every header form, bit depth and compression, valid or deliberately broken.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace bmptest {

using Rgb = std::array<uint8_t, 3>;
using Bytes = std::vector<uint8_t>;

inline void put16(Bytes& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
inline void put32(Bytes& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
inline void set32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

struct BmpFile {
    bool fileHeader = true;
    uint32_t headerSize = 40;  // 12, 40, or anything else for the refusals
    int32_t width = 1;
    int32_t height = 1;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t clrUsed = 0;
    std::vector<Rgb> palette;     // written as the header form wants (3 or 4 bytes)
    std::vector<uint32_t> masks;  // written after a 40-byte header when not empty
    Bytes pixelData;              // exactly as stored
    int64_t pixelOffset = -1;     // -1: right after the colour table

    Bytes bytes() const {
        Bytes info;
        put32(info, headerSize);
        if (headerSize == 12) {
            put16(info, uint16_t(width));
            put16(info, uint16_t(height));
            put16(info, 1);
            put16(info, bitCount);
        } else {
            put32(info, uint32_t(width));
            put32(info, uint32_t(height));
            put16(info, 1);
            put16(info, bitCount);
            put32(info, compression);
            put32(info, uint32_t(pixelData.size()));
            put32(info, 2835);
            put32(info, 2835);
            put32(info, clrUsed);
            put32(info, 0);
            while (info.size() < headerSize) info.push_back(0);
        }
        for (uint32_t m : masks) put32(info, m);
        for (const Rgb& c : palette) {
            info.push_back(c[2]);
            info.push_back(c[1]);
            info.push_back(c[0]);
            if (headerSize != 12) info.push_back(0);
        }
        Bytes out;
        if (fileHeader) {
            uint32_t offset = pixelOffset >= 0 ? uint32_t(pixelOffset) : uint32_t(14 + info.size());
            out = {'B', 'M'};
            put32(out, uint32_t(14 + info.size() + pixelData.size()));
            put32(out, 0);
            put32(out, offset);
        }
        out.insert(out.end(), info.begin(), info.end());
        out.insert(out.end(), pixelData.begin(), pixelData.end());
        return out;
    }
};

// Uncompressed rows, bottom row first, each padded to 4 bytes; `value(x, y)`
// gives the stored value of a pixel (an index, or a packed 16/24/32-bit colour).
inline Bytes packRows(int width, int height, int bitCount, const std::function<uint32_t(int, int)>& value) {
    Bytes out;
    const size_t pitch = (size_t(width) * bitCount + 31) / 32 * 4;
    for (int y = 0; y < height; ++y) {
        Bytes row(pitch, 0);
        for (int x = 0; x < width; ++x) {
            uint32_t v = value(x, y);
            switch (bitCount) {
            case 1: row[x / 8] |= uint8_t((v & 1) << (7 - x % 8)); break;
            case 4: row[x / 2] |= uint8_t((v & 15) << ((x % 2) ? 0 : 4)); break;
            case 8: row[x] = uint8_t(v); break;
            default:
                for (int i = 0; i < bitCount / 8; ++i) row[size_t(x) * (bitCount / 8) + i] = uint8_t(v >> (8 * i));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

// A palette of n distinct colours.
inline std::vector<Rgb> testPalette(int n) {
    std::vector<Rgb> p;
    for (int i = 0; i < n; ++i) p.push_back({uint8_t(i * 37 + 5), uint8_t(255 - i * 11), uint8_t(i * 71 + 100)});
    return p;
}

// An output picture as expected: bottom row first, RGB.
inline Bytes expectedPixels(int width, int height, const std::function<Rgb(int, int)>& colour) {
    Bytes out;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            Rgb c = colour(x, y);
            out.insert(out.end(), c.begin(), c.end());
        }
    return out;
}

}  // namespace bmptest
