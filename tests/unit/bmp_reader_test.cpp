// Decoding of every header form, bit depth and compression, checked against
// files the tests build byte by byte.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <tuple>

#include "assets/bmp_reader.h"
#include "bmp_builder.h"
#include "platform/message_box.h"

using namespace bmptest;

namespace {

struct Decoded {
    BmpStatus status;
    RgbImage image;
};

Decoded decode(const Bytes& b) {
    Decoded d;
    d.status = decodeBmp(b.data(), b.size(), d.image);
    return d;
}

uint8_t scale5(uint32_t v) { return uint8_t((v * 255 + 15) / 31); }

// Every bit depth with each header form, with and without the file header, on
// a picture of odd width so that every row is padded.
class BmpForms : public ::testing::TestWithParam<std::tuple<int, uint32_t, bool>> {};

TEST_P(BmpForms, DecodesEveryPixelBottomRowFirst) {
    const auto [bitCount, headerSize, fileHeader] = GetParam();
    const int w = 13, h = 5;
    BmpFile f;
    f.fileHeader = fileHeader;
    f.headerSize = headerSize;
    f.width = w;
    f.height = h;
    f.bitCount = uint16_t(bitCount);
    const int entries = bitCount <= 8 ? 1 << bitCount : 0;
    f.palette = testPalette(entries);
    auto index = [&](int x, int y) { return uint32_t(x * 3 + y * 5) % uint32_t(entries ? entries : 1); };
    std::function<uint32_t(int, int)> stored;
    std::function<Rgb(int, int)> colour;
    if (bitCount <= 8) {
        stored = index;
        colour = [&](int x, int y) { return f.palette[index(x, y)]; };
    } else if (bitCount == 16) {
        stored = [](int x, int y) { return uint32_t((x * 2) << 10 | (y * 6) << 5 | (31 - x)); };
        colour = [](int x, int y) { return Rgb{scale5(x * 2), scale5(y * 6), scale5(31 - x)}; };
    } else {
        stored = [](int x, int y) { return uint32_t((x * 19) << 16 | (y * 50) << 8 | (200 - x)); };
        colour = [](int x, int y) { return Rgb{uint8_t(x * 19), uint8_t(y * 50), uint8_t(200 - x)}; };
    }
    f.pixelData = packRows(w, h, bitCount, stored);
    Decoded d = decode(f.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    EXPECT_EQ(d.image.width, w);
    EXPECT_EQ(d.image.height, h);
    EXPECT_EQ(d.image.pixels, expectedPixels(w, h, colour));
}

INSTANTIATE_TEST_SUITE_P(AllDepths, BmpForms,
                         ::testing::Combine(::testing::Values(1, 4, 8, 16, 24, 32), ::testing::Values(12u, 40u),
                                            ::testing::Bool()));

TEST(BmpReader, ThreePixelWideRowsLoseTheirPadding) {
    BmpFile f;
    f.width = 3;
    f.height = 2;
    f.pixelData = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE,  // bottom row, 3 padding bytes
                   10, 11, 12, 13, 14, 15, 16, 17, 18, 0xEE, 0xEE, 0xEE};
    Decoded d = decode(f.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    EXPECT_EQ(d.image.pixels, (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 18, 17, 16}));
}

TEST(BmpReader, LastRowMayLackItsPadding) {
    BmpFile f;
    f.width = 1;
    f.height = 2;
    f.pixelData = {1, 2, 3, 0, 4, 5, 6};
    Decoded d = decode(f.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    EXPECT_EQ(d.image.pixels, (Bytes{3, 2, 1, 6, 5, 4}));
}

TEST(BmpReader, ColoursUsedDecidesTheTableLengthWithoutTheFileHeader) {
    // A 16-entry table for an 8-bit picture: the pixels follow it directly.
    BmpFile f;
    f.fileHeader = false;
    f.bitCount = 8;
    f.clrUsed = 16;
    f.width = 4;
    f.palette = testPalette(16);
    f.pixelData = {15, 0, 7, 3};
    Decoded d = decode(f.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    EXPECT_EQ(d.image.pixels, expectedPixels(4, 1, [&](int x, int) { return f.palette[f.pixelData[x]]; }));
}

TEST(BmpReader, CoreHeaderWithFileHeaderUsesThreeByteEntriesAndTheOffset) {
    BmpFile f;
    f.headerSize = 12;
    f.bitCount = 4;
    f.width = 2;
    f.palette = testPalette(16);
    f.pixelData = {0x00, 0x00, 0x00, 0x00, 0xF3, 0, 0, 0};  // four junk bytes skipped by the offset
    f.pixelOffset = 14 + 12 + 16 * 3 + 4;
    Decoded d = decode(f.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    Bytes want;
    for (int i : {15, 3}) want.insert(want.end(), f.palette[i].begin(), f.palette[i].end());
    EXPECT_EQ(d.image.pixels, want);
}

TEST(BmpReader, FiveFiveFiveAndBitFields) {
    BmpFile f;
    f.bitCount = 16;
    f.width = 3;
    f.pixelData = packRows(3, 1, 16, [](int x, int) { return std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x7FFF}[x]; });
    Decoded d = decode(f.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    EXPECT_EQ(d.image.pixels, (Bytes{255, 0, 0, 0, 255, 0, 255, 255, 255}));

    // 5-6-5 through compression 3.
    f.compression = 3;
    f.masks = {0xF800, 0x07E0, 0x001F};
    f.pixelData = packRows(3, 1, 16, [](int x, int) { return std::array<uint32_t, 3>{0xF800, 0x0400, 0x0010}[x]; });
    d = decode(f.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    EXPECT_EQ(d.image.pixels, (Bytes{255, 0, 0, 0, 130, 0, 0, 0, 132}));

    // 32-bit with the channels in an unusual order, without the file header.
    f.fileHeader = false;
    f.bitCount = 32;
    f.masks = {0x000000FF, 0xFF000000, 0x00FF0000};
    f.pixelData = packRows(3, 1, 32, [](int x, int) { return uint32_t(0x11223344u * uint32_t(x + 1)); });
    d = decode(f.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    EXPECT_EQ(d.image.pixels, (Bytes{0x44, 0x11, 0x22, 0x88, 0x22, 0x44, 0xCC, 0x33, 0x66}));
}

TEST(BmpReader, TopDownPicturesAreFlippedToBottomRowFirst) {
    BmpFile f;
    f.width = 2;
    f.height = -3;  // first stored row is the top one
    f.pixelData = packRows(2, 3, 24, [](int x, int y) { return uint32_t(y * 16 + x); });
    Decoded d = decode(f.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    EXPECT_EQ(d.image.height, 3);
    // Stored row 2 (the bottom of the picture) comes out first.
    EXPECT_EQ(d.image.pixels, expectedPixels(2, 3, [](int x, int y) { return Rgb{0, 0, uint8_t((2 - y) * 16 + x)}; }));
}

// Run-length data for an 8-bit picture of width 5 and height 4: every escape.
TEST(BmpReader, Rle8EveryEscape) {
    BmpFile f;
    f.bitCount = 8;
    f.compression = 1;
    f.width = 5;
    f.height = 4;
    f.palette = testPalette(256);
    f.pixelData = {
        3, 7, 0, 3, 1, 2, 3, 0,  // row 0: run of three 7s, absolute 1 2 3 (padded); cut at the row end
        0, 0,                    // end of line
        2, 9, 0, 2, 1, 1,        // row 1: 9 9, delta one right and one up (to x 3 of row 2)
        1, 4, 0, 0,              // row 2: a 4 at x 3, end of line
        0, 4, 5, 6, 7, 8, 0, 1,  // row 3: absolute run of four (even), end of bitmap
        9, 9,                    // never read
    };
    Decoded d = decode(f.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    const int want[4][5] = {{7, 7, 7, 1, 2}, {9, 9, 0, 0, 0}, {0, 0, 0, 4, 0}, {5, 6, 7, 8, 0}};
    EXPECT_EQ(d.image.pixels, expectedPixels(5, 4, [&](int x, int y) { return f.palette[want[y][x]]; }));
}

TEST(BmpReader, Rle4EveryEscapeWithOddWidth) {
    BmpFile f;
    f.bitCount = 4;
    f.compression = 2;
    f.width = 5;
    f.height = 3;
    f.palette = testPalette(16);
    f.pixelData = {
        5, 0x12,                // row 0: 1 2 1 2 1
        0, 0,                   // end of line
        0, 3, 0xAB, 0xC0,       // row 1: absolute 3 nibbles (two bytes, already even)
        0, 2, 1, 1,             // delta to x 4 of row 2
        3, 0xEF,                // row 2: E at x 4, the rest cut at the row end
        0, 0, 0, 5, 0x34, 0x56, 0x70, 0,  // row 3 lies past the height: ignored
        0, 1,
    };
    Decoded d = decode(f.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    const int want[3][5] = {{1, 2, 1, 2, 1}, {10, 11, 12, 0, 0}, {0, 0, 0, 0, 14}};
    EXPECT_EQ(d.image.pixels, expectedPixels(5, 3, [&](int x, int y) { return f.palette[want[y][x]]; }));
}

TEST(BmpReader, Rle4AbsoluteRunsArePaddedToWholeWords) {
    BmpFile f;
    f.bitCount = 4;
    f.compression = 2;
    f.width = 8;
    f.palette = testPalette(16);
    f.pixelData = {0, 5, 0x12, 0x34, 0x50, 0,  // five nibbles: three bytes and one of padding
                   3, 0x66, 0, 1};
    Decoded d = decode(f.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    const int want[8] = {1, 2, 3, 4, 5, 6, 6, 6};
    EXPECT_EQ(d.image.pixels, expectedPixels(8, 1, [&](int x, int) { return f.palette[want[x]]; }));
}

// Run-length pictures whose escapes leave most pixels to the background
// colour: a few bytes describe a large picture, and that is legal.
TEST(BmpReader, RunLengthEscapesMaySkipMostOfThePicture) {
    BmpFile f;
    f.bitCount = 8;
    f.compression = 1;
    f.palette = testPalette(256);
    auto background = [&](int, int) { return f.palette[0]; };
    for (int side : {45, 64}) {  // nothing but end of bitmap
        f.width = f.height = side;
        f.pixelData = {0, 1};
        Decoded d = decode(f.bytes());
        ASSERT_EQ(d.status, BmpStatus::Ok) << side;
        EXPECT_EQ(d.image.width, side);
        EXPECT_EQ(d.image.height, side);
        EXPECT_EQ(d.image.pixels, expectedPixels(side, side, background)) << side;
    }

    // A delta, one run, a delta and end of bitmap in 256 x 256.
    f.width = f.height = 256;
    f.pixelData = {0, 2, 100, 60, 20, 2, 0, 2, 10, 190, 0, 1};
    Decoded d = decode(f.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    EXPECT_EQ(d.image.width, 256);
    EXPECT_EQ(d.image.height, 256);
    EXPECT_EQ(d.image.pixels, expectedPixels(256, 256, [&](int x, int y) {
                  return f.palette[y == 60 && x >= 100 && x < 120 ? 2 : 0];
              }));

    // 4-bit, odd width, top-down: deltas and end-of-line codes carry the only
    // run to the right end of the last stored row, where it is cut.
    BmpFile g;
    g.bitCount = 4;
    g.compression = 2;
    g.width = 999;
    g.height = -700;
    g.palette = testPalette(16);
    g.pixelData = {0, 2, 255, 255, 0, 2, 255, 255, 0, 0, 0, 2, 0, 188};
    for (int i = 0; i < 3; ++i) g.pixelData.insert(g.pixelData.end(), {0, 2, 255, 0});
    g.pixelData.insert(g.pixelData.end(), {0, 2, 232, 0, 4, 0x9A, 0, 1});
    d = decode(g.bytes());
    ASSERT_EQ(d.status, BmpStatus::Ok);
    EXPECT_EQ(d.image.height, 700);
    // The last stored row of a top-down file is the bottom one.
    EXPECT_EQ(d.image.pixels, expectedPixels(999, 700, [&](int x, int y) {
                  return g.palette[y == 0 && x == 997 ? 9 : y == 0 && x == 998 ? 10 : 0];
              }));
}

TEST(BmpReader, ColourCount) {
    BmpInfoHeader core;
    core.size = 12;
    core.clrUsed = 7;  // not part of the core form: ignored
    for (auto [bits, count] : {std::pair{1, 2}, {4, 16}, {8, 256}, {16, 0}, {24, 0}, {32, 0}, {2, 0}}) {
        core.bitCount = uint16_t(bits);
        EXPECT_EQ(colourCount(core), count) << bits;
    }
    BmpInfoHeader info;
    info.size = 40;
    info.bitCount = 8;
    EXPECT_EQ(colourCount(info), 256);
    info.clrUsed = 16;
    EXPECT_EQ(colourCount(info), 16);
    info.bitCount = 24;
    info.clrUsed = 3;
    EXPECT_EQ(colourCount(info), 3);
    info.clrUsed = 0x10005;  // cut to 16 bits
    EXPECT_EQ(colourCount(info), 5);
    info.clrUsed = 0;
    EXPECT_EQ(colourCount(info), 0);
}

// The messages, exactly, on standard error (the pop-ups are off).
class BmpMessages : public ::testing::Test {
protected:
    void SetUp() override { errorPopups = false; }
    std::string load(const char* name) {
        ::testing::internal::CaptureStderr();
        std::unique_ptr<RgbImage> image = loadBmpImage(name);
        std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(image, nullptr);
        return err;
    }
    std::string write(const std::string& name, const Bytes& b) {
        std::string path = ::testing::TempDir() + name;
        FILE* f = std::fopen(path.c_str(), "wb");
        if (!b.empty()) std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
        return path;
    }
};

TEST_F(BmpMessages, OpenFailuresNameTheFileAsPassed) {
    EXPECT_EQ(load("no/such/dir.bmp"), "Failed to open DIB file no/such/dir.bmp.\n");
    std::string empty = write("hb_empty.bmp", {});
    EXPECT_EQ(load(empty.c_str()), "Failed to open DIB file " + empty + ".\n");
    std::string dir = ::testing::TempDir();
    EXPECT_EQ(load(dir.c_str()), "Failed to open DIB file " + dir + ".\n");
}

TEST_F(BmpMessages, LaterHeaderFormsAreUnknown) {
    for (uint32_t size : {108u, 124u, 64u, 16u, 0u}) {
        BmpFile f;
        f.headerSize = size;
        f.pixelData = {1, 2, 3, 0};
        EXPECT_EQ(load(write("hb_v5.bmp", f.bytes()).c_str()), "Unknown DIB file format.\n") << size;
    }
    EXPECT_EQ(load(write("hb_tiny.bmp", {'B', 'M', 1}).c_str()), "Unknown DIB file format.\n");
}

TEST_F(BmpMessages, ConversionAndMemoryFailures) {
    BmpFile f;
    f.width = 4;
    f.height = 4;
    f.pixelData = Bytes(12, 0);  // one row of four
    EXPECT_EQ(load(write("hb_short.bmp", f.bytes()).c_str()), "Image file conversion error.\n");
    f.width = 1 << 14;
    f.height = 1 << 14;
    EXPECT_EQ(load(write("hb_huge.bmp", f.bytes()).c_str()), "Out of memory.\n");
}

TEST_F(BmpMessages, ReadsAWholeFileThroughTheMapping) {
    BmpFile f;
    f.width = 2;
    f.pixelData = {1, 2, 3, 4, 5, 6, 0, 0};
    ::testing::internal::CaptureStderr();
    std::unique_ptr<RgbImage> image = loadBmpImage(write("hb_ok.bmp", f.bytes()).c_str());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pixels, (Bytes{3, 2, 1, 6, 5, 4}));
}

}  // namespace
