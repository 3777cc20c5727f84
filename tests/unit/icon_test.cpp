// The icon: the PNG files the desktop reads (checked against ImageMagick's
// decoder), the picture at every size, and the window's _NET_WM_ICON layout.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "assets/icon_picture.h"
#include "icon/png_writer.h"
#include "platform/window_identity.h"

namespace {

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

TEST(IconPng, ChecksumsMatchTheirStandardCheckValues) {
    const std::string digits = "123456789";
    EXPECT_EQ(png::crc32(reinterpret_cast<const uint8_t*>(digits.data()), digits.size()), 0xCBF43926u);
    const std::string word = "Wikipedia";
    EXPECT_EQ(png::adler32(reinterpret_cast<const uint8_t*>(word.data()), word.size()), 0x11E60398u);
}

TEST(IconPng, ImageMagickDecodesEveryPixelAndAlphaAsWritten) {
    if (std::system("convert -version >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick is not installed";
    // 300 x 250 RGBA needs several stored deflate blocks of at most 65535 bytes,
    // and a width that is not a power of two catches row-length mistakes.
    const int w = 300, h = 250;
    std::vector<uint32_t> argb(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            argb[size_t(y) * w + x] = uint32_t((x * 7 + y) & 255) << 24 | uint32_t(x & 255) << 16 |
                                      uint32_t(y & 255) << 8 | uint32_t((x ^ y) & 255);
    const std::string path = ::testing::TempDir() + "hb_icon_roundtrip.png";
    ASSERT_TRUE(png::writeRgba(path, w, h, argb));
    const std::string raw = path + ".rgba";
    ASSERT_EQ(std::system(("convert " + path + " -depth 8 rgba:" + raw + " 2>/dev/null").c_str()), 0);
    std::vector<uint8_t> got = readFile(raw);
    ASSERT_EQ(got.size(), argb.size() * 4);
    for (size_t i = 0; i < argb.size(); ++i) {
        uint32_t p = argb[i];
        uint8_t want[4] = {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), uint8_t(p >> 24)};
        // Fully transparent pixels may come back with any colour.
        for (int c = (want[3] == 0 ? 3 : 0); c < 4; ++c)
            ASSERT_EQ(got[i * 4 + c], want[c]) << "pixel " << i % w << "," << i / w << " channel " << c;
    }
}

struct Mean {
    double r = 0, g = 0, b = 0, a = 0;
};

Mean meanOf(const std::vector<uint32_t>& px) {
    Mean m;
    for (uint32_t p : px) {
        double a = (p >> 24) / 255.0;
        m.a += a;
        m.r += a * ((p >> 16) & 255);
        m.g += a * ((p >> 8) & 255);
        m.b += a * (p & 255);
    }
    m.r /= m.a;
    m.g /= m.a;
    m.b /= m.a;
    m.a /= double(px.size());
    return m;
}

TEST(IconPicture, EverySizeIsTheSamePictureInsideARoundedSquare) {
    const Mean big = meanOf(iconPixels(256));
    for (int size : kIconSizes) {
        std::vector<uint32_t> px = iconPixels(size);
        ASSERT_EQ(px.size(), size_t(size) * size);
        // The corners are cut away; the cow's white face fills the middle.
        EXPECT_EQ(px[0] >> 24, 0u) << size;
        EXPECT_EQ(px[size_t(size) * size - 1] >> 24, 0u) << size;
        uint32_t centre = px[size_t(size / 2) * size + size / 2];
        EXPECT_EQ(centre >> 24, 255u) << size;
        EXPECT_GT(centre & 255, 200u) << size;
        Mean m = meanOf(px);
        EXPECT_NEAR(m.a, big.a, 0.02) << size;
        EXPECT_NEAR(m.r, big.r, 6) << size;
        EXPECT_NEAR(m.g, big.g, 6) << size;
        EXPECT_NEAR(m.b, big.b, 6) << size;
    }
}

TEST(IconPicture, WindowIconPropertyListsEachSizeWithItsPixels) {
    std::vector<unsigned long> data = netWmIconData();
    size_t at = 0;
    int sizes = 0;
    while (at < data.size()) {
        ASSERT_LE(at + 2, data.size());
        unsigned long w = data[at], h = data[at + 1];
        ASSERT_EQ(w, h);
        ASSERT_LE(w, 128u);
        std::vector<uint32_t> want = iconPixels(int(w));
        ASSERT_LE(at + 2 + want.size(), data.size());
        for (size_t i = 0; i < want.size(); ++i) ASSERT_EQ(data[at + 2 + i], want[i]) << w << " pixel " << i;
        at += 2 + want.size();
        ++sizes;
    }
    EXPECT_EQ(sizes, 5);  // 16, 32, 48, 64 and 128
}

}  // namespace
