// Hostile and broken files: each known way of breaking a BMP reader gets a
// failure status or a safely read picture, never a write outside it. The
// sanitizer build of these tests is what catches an overrun.
#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "assets/bmp_reader.h"
#include "bmp_builder.h"

using namespace bmptest;

namespace {

BmpStatus statusOf(const Bytes& b, RgbImage* out = nullptr, uint64_t maxPixels = kMaxBmpPixels) {
    RgbImage image;
    BmpStatus s = decodeBmp(b.data(), b.size(), image, maxPixels);
    if (s == BmpStatus::Ok) {
        EXPECT_EQ(image.pixels.size(), size_t(image.width) * size_t(image.height) * 3);
    } else {
        EXPECT_TRUE(image.pixels.empty());
    }
    if (out) *out = std::move(image);
    return s;
}

BmpFile rle8(int width, int height, Bytes data) {
    BmpFile f;
    f.bitCount = 8;
    f.compression = 1;
    f.width = width;
    f.height = height;
    f.clrUsed = 4;
    f.palette = testPalette(4);
    f.pixelData = std::move(data);
    return f;
}

TEST(BmpRobustness, RunsPastTheRowAndTheImageAreCut) {
    RgbImage image;
    // 255-pixel runs and a 200-byte absolute run into a 2 x 2 picture.
    Bytes data = {255, 1, 255, 2, 0, 0, 255, 3, 0, 200};
    data.resize(data.size() + 200, 1);
    data.insert(data.end(), {255, 2, 255, 2, 0, 0, 255, 1});
    ASSERT_EQ(statusOf(rle8(2, 2, data).bytes(), &image), BmpStatus::Ok);
    auto p = testPalette(4);
    EXPECT_EQ(image.pixels, expectedPixels(2, 2, [&](int, int y) { return p[y == 0 ? 1 : 3]; }));

    BmpFile f4 = rle8(3, 1, {255, 0x12, 0, 255});
    f4.bitCount = 4;
    f4.compression = 2;
    f4.clrUsed = 0;
    f4.palette = testPalette(16);
    f4.pixelData.resize(f4.pixelData.size() + 128, 0x33);
    EXPECT_EQ(statusOf(f4.bytes()), BmpStatus::Ok);
}

TEST(BmpRobustness, EscapesMovingOutOfThePictureAreHarmless) {
    RgbImage image;
    // Delta far right, then a run; delta far up; lines past the height.
    ASSERT_EQ(statusOf(rle8(2, 2, {0, 2, 255, 0, 5, 1, 0, 2, 0, 255, 5, 2}).bytes(), &image), BmpStatus::Ok);
    auto p = testPalette(4);
    EXPECT_EQ(image.pixels, expectedPixels(2, 2, [&](int, int) { return p[0]; }));
    Bytes lines;
    for (int i = 0; i < 1000; ++i) lines.insert(lines.end(), {1, 2, 0, 0});
    EXPECT_EQ(statusOf(rle8(3, 2, lines).bytes()), BmpStatus::Ok);
}

TEST(BmpRobustness, TruncatedRunLengthDataKeepsWhatWasRead) {
    RgbImage image;
    // An absolute run announcing more bytes than remain, and a lone count byte.
    ASSERT_EQ(statusOf(rle8(4, 1, {2, 3, 0, 9, 1}).bytes(), &image), BmpStatus::Ok);
    auto p = testPalette(4);
    EXPECT_EQ(image.pixels, expectedPixels(4, 1, [&](int x, int) { return p[x < 2 ? 3 : 0]; }));
    EXPECT_EQ(statusOf(rle8(4, 1, {2}).bytes()), BmpStatus::Ok);
    EXPECT_EQ(statusOf(rle8(4, 1, {0, 2, 1}).bytes()), BmpStatus::Ok);
}

TEST(BmpRobustness, OverflowingSizesAreRefused) {
    BmpFile f;
    f.pixelData = Bytes(64, 0);
    for (auto [w, h, bits] : {std::tuple{INT_MAX, INT_MAX, 32}, {INT_MAX, 1, 24}, {1 << 30, 4, 1},
                              {1, INT_MIN, 24}, {1 << 16, -(1 << 16), 16}, {3, INT_MAX, 24}}) {
        f.width = w;
        f.height = h;
        f.bitCount = uint16_t(bits);
        EXPECT_EQ(statusOf(f.bytes()), BmpStatus::OutOfMemory) << w << "x" << h;
    }
    f.headerSize = 12;
    f.width = 65535;
    f.height = 65535;
    EXPECT_EQ(statusOf(f.bytes()), BmpStatus::OutOfMemory);
}

TEST(BmpRobustness, ATinyFileCannotClaimAHugePicture) {
    BmpFile f;
    f.width = 64;
    f.height = 64;
    f.pixelData = Bytes(10, 0);
    EXPECT_EQ(statusOf(f.bytes()), BmpStatus::ConversionError);
    f.bitCount = 1;
    f.width = 4096;
    f.height = 4096;
    f.palette = testPalette(2);
    EXPECT_EQ(statusOf(f.bytes()), BmpStatus::ConversionError);
}

// Run-length data may legally skip any part of its picture, so only the size
// limit stands between a few bytes and a huge picture: up to it the picture
// is read, past it refused, and neither takes work in proportion to a
// picture that is not there.
TEST(BmpRobustness, TinyRunLengthFileClaimingAHugePicture) {
    // The largest picture allowed, 8192 x 8192, with a run at the top right
    // reached by deltas alone.
    Bytes data;
    for (int i = 0; i < 32; ++i) data.insert(data.end(), {0, 2, 255, 255});
    data.insert(data.end(), {0, 2, 0, 31, 40, 3, 0, 1});
    BmpFile f = rle8(8192, 8192, data);
    f.palette[0] = {0, 0, 0};
    RgbImage image;
    ASSERT_EQ(statusOf(f.bytes(), &image), BmpStatus::Ok);
    ASSERT_EQ(image.pixels.size(), size_t(8192) * 8192 * 3);
    auto at = [&](int x, int y) {
        const uint8_t* p = &image.pixels[(size_t(y) * 8192 + size_t(x)) * 3];
        return Rgb{p[0], p[1], p[2]};
    };
    EXPECT_EQ(at(0, 0), f.palette[0]);
    EXPECT_EQ(at(8159, 8191), f.palette[0]);
    EXPECT_EQ(at(8160, 8191), f.palette[3]);
    EXPECT_EQ(at(8191, 8191), f.palette[3]);
    EXPECT_EQ(at(8191, 8190), f.palette[0]);
    image = RgbImage{};

    // One pixel more, or far more, is refused with the memory message.
    for (auto [w, h] : {std::pair{8192, 8193}, {8193, -8192}, {INT_MAX, INT_MAX}, {1 << 16, INT_MIN}}) {
        f.width = w;
        f.height = h;
        EXPECT_EQ(statusOf(f.bytes()), BmpStatus::OutOfMemory) << w << "x" << h;
    }
    EXPECT_STREQ(bmpStatusText(BmpStatus::OutOfMemory), "Out of memory.");
    // A caller's lower limit refuses earlier; a higher one never lifts the limit.
    EXPECT_EQ(statusOf(rle8(1025, 1024, {0, 1}).bytes(), nullptr, 1 << 20), BmpStatus::OutOfMemory);
    EXPECT_EQ(statusOf(rle8(1024, 1024, {0, 1}).bytes(), nullptr, 1 << 20), BmpStatus::Ok);
    EXPECT_EQ(statusOf(rle8(8192, 8193, {0, 1}).bytes(), nullptr, UINT64_MAX), BmpStatus::OutOfMemory);
    BmpFile f4 = rle8(1 << 14, 1 << 13, {0, 1});
    f4.bitCount = 4;
    f4.compression = 2;
    EXPECT_EQ(statusOf(f4.bytes()), BmpStatus::OutOfMemory);
}

TEST(BmpRobustness, EmptyOrNegativeWidthAndEmptyHeight) {
    BmpFile f;
    f.pixelData = Bytes(16, 0);
    for (auto [w, h] : {std::pair{0, 1}, {-5, 1}, {INT_MIN, 1}, {1, 0}}) {
        f.width = w;
        f.height = h;
        EXPECT_EQ(statusOf(f.bytes()), BmpStatus::ConversionError) << w << "x" << h;
    }
    f.headerSize = 12;
    f.width = 0;
    EXPECT_EQ(statusOf(f.bytes()), BmpStatus::ConversionError);
}

TEST(BmpRobustness, IndicesBeyondTheColourTableReadAsBlack) {
    RgbImage image;
    BmpFile f;
    f.bitCount = 8;
    f.clrUsed = 2;
    f.width = 3;
    f.palette = testPalette(2);
    f.pixelData = {1, 2, 255, 0};
    ASSERT_EQ(statusOf(f.bytes(), &image), BmpStatus::Ok);
    EXPECT_EQ(image.pixels, (Bytes{f.palette[1][0], f.palette[1][1], f.palette[1][2], 0, 0, 0, 0, 0, 0}));
    // A colours-used field of 65536 cuts to 0 entries: every index is black.
    f.clrUsed = 0x10000;
    f.palette.clear();
    ASSERT_EQ(statusOf(f.bytes(), &image), BmpStatus::Ok);
    EXPECT_EQ(image.pixels, Bytes(9, 0));
    // The same through run-length data.
    BmpFile r = rle8(2, 1, {2, 200, 0, 1});
    ASSERT_EQ(statusOf(r.bytes(), &image), BmpStatus::Ok);
    EXPECT_EQ(image.pixels, Bytes(6, 0));
}

TEST(BmpRobustness, TablesAndOffsetsPastTheEndOfTheFile) {
    BmpFile f;
    f.bitCount = 8;
    f.clrUsed = 60000;
    f.palette = testPalette(4);
    f.pixelData = {0, 0, 0, 0};
    EXPECT_EQ(statusOf(f.bytes()), BmpStatus::ConversionError);
    f.fileHeader = false;
    EXPECT_EQ(statusOf(f.bytes()), BmpStatus::ConversionError);

    BmpFile g;
    g.pixelData = {1, 2, 3, 0};
    for (int64_t offset : {int64_t(58), int64_t(59), int64_t(0xFFFFFFFF), int64_t(0x80000000)}) {
        g.pixelOffset = offset;
        EXPECT_EQ(statusOf(g.bytes()), BmpStatus::ConversionError) << offset;
    }
    g.pixelOffset = 0;  // pointing back into the headers is odd but within the file
    EXPECT_EQ(statusOf(g.bytes()), BmpStatus::Ok);
}

TEST(BmpRobustness, BitDepthsAndCompressionsThatDoNotFit) {
    BmpFile f;
    f.pixelData = Bytes(64, 0);
    f.palette = testPalette(16);
    for (int bits : {0, 2, 3, 15, 33, 48, 64, 0xFFFF}) {
        f.bitCount = uint16_t(bits);
        EXPECT_EQ(statusOf(f.bytes()), BmpStatus::ConversionError) << bits;
    }
    for (auto [bits, compression] : {std::pair{4, 1}, {24, 1}, {8, 2}, {1, 2}, {24, 3}, {8, 3}, {24, 4},
                                     {24, 5}, {32, 6}, {8, 99}}) {
        f.bitCount = uint16_t(bits);
        f.compression = uint32_t(compression);
        if (compression == 3) f.masks = {0xFF, 0xFF00, 0xFF0000};
        EXPECT_EQ(statusOf(f.bytes()), BmpStatus::ConversionError) << bits << "/" << compression;
    }
}

TEST(BmpRobustness, TruncatedHeadersAndMissingMasks) {
    BmpFile f;
    f.pixelData = {1, 2, 3, 0};
    Bytes whole = f.bytes();
    for (size_t cut : {18, 20, 40, 53}) {
        Bytes part(whole.begin(), whole.begin() + long(cut));
        EXPECT_EQ(statusOf(part), BmpStatus::ConversionError) << cut;
    }
    for (size_t cut : {0, 1, 2, 3, 14, 17}) {
        Bytes part(whole.begin(), whole.begin() + long(cut));
        EXPECT_EQ(statusOf(part), BmpStatus::UnknownFormat) << cut;
    }
    f.fileHeader = false;
    f.bitCount = 32;
    f.compression = 3;
    Bytes bare = f.bytes();
    bare.resize(40 + 8);  // two of the three masks
    EXPECT_EQ(statusOf(bare), BmpStatus::ConversionError);
    // Zero masks read as black, not as a division by zero.
    f.masks = {0, 0, 0};
    RgbImage image;
    ASSERT_EQ(statusOf(f.bytes(), &image), BmpStatus::Ok);
    EXPECT_EQ(image.pixels, Bytes(3, 0));
}

// Every single-byte change and every truncation of small valid files of each
// form decodes to a status, and a picture of exactly the announced size.
TEST(BmpRobustness, MutationsOfValidFilesNeverOverrun) {
    std::vector<Bytes> seeds;
    for (int bits : {1, 4, 8, 16, 24, 32}) {
        BmpFile f;
        f.width = 5;
        f.height = 3;
        f.bitCount = uint16_t(bits);
        f.palette = testPalette(bits <= 8 ? 1 << bits : 0);
        f.pixelData = packRows(5, 3, bits, [](int x, int y) { return uint32_t(x * 7 + y * 3); });
        seeds.push_back(f.bytes());
        f.headerSize = 12;
        f.fileHeader = false;
        seeds.push_back(f.bytes());
    }
    seeds.push_back(rle8(5, 3, {3, 1, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 1, 1, 2, 3, 0, 1}).bytes());
    BmpFile r4 = rle8(5, 3, {5, 0x12, 0, 0, 0, 3, 0xAB, 0xC0, 0, 2, 1, 1, 3, 0xEF, 0, 1});
    r4.bitCount = 4;
    r4.compression = 2;
    r4.clrUsed = 0;
    r4.palette = testPalette(16);
    seeds.push_back(r4.bytes());

    // Changed size bytes of the run-length seeds claim pictures of up to the
    // limit; a lower one keeps those from filling 192 MiB each.
    const uint64_t limit = 1 << 20;
    for (const Bytes& seed : seeds) {
        for (size_t cut = 0; cut < seed.size(); ++cut)
            statusOf(Bytes(seed.begin(), seed.begin() + long(cut)), nullptr, limit);
        for (size_t i = 0; i < seed.size(); ++i)
            for (uint8_t v : {0x00, 0x01, 0x02, 0x03, 0x7F, 0x80, 0xFF}) {
                Bytes m = seed;
                m[i] = v;
                statusOf(m, nullptr, limit);
            }
    }
}

}  // namespace
