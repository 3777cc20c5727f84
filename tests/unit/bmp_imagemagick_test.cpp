// The reader against an independent decoder: ImageMagick writes the forms it
// can, and decodes both its own files and the ones built here; every pixel
// must agree with ours.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "assets/bmp_reader.h"
#include "bmp_builder.h"

using namespace bmptest;

namespace {

std::string tempPath(const std::string& name) { return ::testing::TempDir() + "hb_im_" + name; }

bool haveConvert() { return std::system("convert -version >/dev/null 2>&1") == 0; }

bool run(const std::string& command) { return std::system((command + " 2>/dev/null").c_str()) == 0; }

Bytes readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const Bytes& b) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(b.data()), std::streamsize(b.size()));
}

// ImageMagick's pixels of a BMP file, turned bottom row first like ours.
Bytes imageMagickPixels(const std::string& bmp, int width, int height) {
    const std::string raw = bmp + ".rgb";
    if (!run("convert " + bmp + " -depth 8 rgb:" + raw)) return {};
    Bytes top = readFile(raw);
    if (top.size() != size_t(width) * height * 3) return {};
    Bytes bottom;
    for (int y = height - 1; y >= 0; --y)
        bottom.insert(bottom.end(), top.begin() + long(size_t(y) * width * 3), top.begin() + long(size_t(y + 1) * width * 3));
    return bottom;
}

void expectAgreement(const Bytes& file, const std::string& name, int tolerance = 0) {
    RgbImage ours;
    ASSERT_EQ(decodeBmp(file.data(), file.size(), ours), BmpStatus::Ok) << name;
    const std::string path = tempPath(name + ".bmp");
    writeFile(path, file);
    Bytes theirs = imageMagickPixels(path, ours.width, ours.height);
    ASSERT_EQ(theirs.size(), ours.pixels.size()) << name;
    for (size_t i = 0; i < theirs.size(); ++i)
        ASSERT_LE(std::abs(int(theirs[i]) - int(ours.pixels[i])), tolerance) << name << " byte " << i;
}

class ImageMagickBmp : public ::testing::Test {
protected:
    void SetUp() override {
        if (!haveConvert()) GTEST_SKIP() << "ImageMagick's convert is not installed";
        source = tempPath("source.png");
        // An odd width, so that every row of every depth is padded.
        ASSERT_TRUE(run("convert rose: -crop 13x9+20+10 +repage " + source));
    }
    std::string source;
};

TEST_F(ImageMagickBmp, FormsImageMagickWrites) {
    const struct {
        const char* name;
        const char* options;
        int bitCount;
        uint32_t headerSize;
        uint32_t compression;
    } forms[] = {
        {"v3_1bit", "-type bilevel BMP3:", 1, 40, 0},
        {"v3_4bit", "-colors 12 -type palette BMP3:", 4, 40, 0},
        {"v3_8bit", "-type palette -compress None BMP3:", 8, 40, 0},
        {"v3_rle8", "-type palette -compress RLE BMP3:", 8, 40, 1},
        {"v3_24bit", "-type truecolor BMP3:", 24, 40, 0},
        {"core_1bit", "-type bilevel BMP2:", 1, 12, 0},
        {"core_4bit", "-colors 12 -type palette BMP2:", 4, 12, 0},
        {"core_8bit", "-type palette BMP2:", 8, 12, 0},
        {"core_24bit", "-type truecolor BMP2:", 24, 12, 0},
    };
    for (const auto& form : forms) {
        const std::string path = tempPath(std::string(form.name) + ".bmp");
        ASSERT_TRUE(run("convert " + source + " " + form.options + path)) << form.name;
        Bytes file = readFile(path);
        ASSERT_GE(file.size(), 54u);
        // Make sure ImageMagick wrote the form this case is about.
        const uint8_t* info = file.data() + 14;
        ASSERT_EQ(info[0], form.headerSize) << form.name;
        ASSERT_EQ(info[form.headerSize == 12 ? 10 : 14], form.bitCount) << form.name;
        if (form.headerSize == 40) {
            ASSERT_EQ(info[16], form.compression) << form.name;
        }
        expectAgreement(file, form.name);

        // The same file without its 14-byte header, where the pixels follow
        // the colour table directly.
        uint32_t offset = file[10] | file[11] << 8;
        RgbImage withHeader, bare;
        ASSERT_EQ(decodeBmp(file.data(), file.size(), withHeader), BmpStatus::Ok);
        uint32_t entries = form.bitCount <= 8 ? 1u << form.bitCount : 0;
        if (form.headerSize == 40 && (info[32] | info[33] << 8)) entries = info[32] | info[33] << 8;
        if (offset == 14 + form.headerSize + entries * (form.headerSize == 12 ? 3 : 4)) {
            ASSERT_EQ(decodeBmp(file.data() + 14, file.size() - 14, bare), BmpStatus::Ok) << form.name;
            EXPECT_EQ(bare.pixels, withHeader.pixels) << form.name;
        }
    }
}

TEST_F(ImageMagickBmp, FormsBuiltHere) {
    const int w = 13, h = 9;
    auto pattern = [](int x, int y) { return uint32_t(x * 29 + y * 53 + x * y * 7); };

    BmpFile rle4;
    rle4.bitCount = 4;
    rle4.compression = 2;
    rle4.width = w;
    rle4.height = h;
    rle4.palette = testPalette(16);
    for (int y = 0; y < h; ++y) {
        // An encoded run, an absolute run of odd length, a run to the end.
        rle4.pixelData.insert(rle4.pixelData.end(), {4, uint8_t((y % 16) << 4 | 5), 0, 5, 0x12, 0x34, uint8_t(y << 4), 0,
                                                     4, 0x9A, 0, 0});
    }
    rle4.pixelData.insert(rle4.pixelData.end(), {0, 1});
    expectAgreement(rle4.bytes(), "rle4");

    BmpFile rgb555;
    rgb555.bitCount = 16;
    rgb555.width = w;
    rgb555.height = h;
    rgb555.pixelData = packRows(w, h, 16, [&](int x, int y) { return pattern(x, y) * 331 & 0x7FFF; });
    expectAgreement(rgb555.bytes(), "rgb555", 1);

    BmpFile rgb565 = rgb555;
    rgb565.compression = 3;
    rgb565.masks = {0xF800, 0x07E0, 0x001F};
    rgb565.pixelData = packRows(w, h, 16, [&](int x, int y) { return pattern(x, y) * 331 & 0xFFFF; });
    expectAgreement(rgb565.bytes(), "rgb565", 1);

    BmpFile bgrx;
    bgrx.bitCount = 32;
    bgrx.width = w;
    bgrx.height = h;
    bgrx.pixelData = packRows(w, h, 32, [&](int x, int y) { return pattern(x, y) * 2654435761u & 0xFFFFFF; });
    expectAgreement(bgrx.bytes(), "bgrx");

    BmpFile topDown;
    topDown.width = w;
    topDown.height = -h;
    topDown.pixelData = packRows(w, h, 24, [&](int x, int y) { return pattern(x, y) * 40503u; });
    expectAgreement(topDown.bytes(), "topdown");
}

// The fuzzer's hand-made seeds are small valid files of every form: each one
// decodes, and ImageMagick agrees with every one that carries the file header.
// The corpus files named by their hash were grown by fuzzing and may be any
// bytes at all; the fuzz target is what checks those.
TEST_F(ImageMagickBmp, SeedCorpusFiles) {
    int compared = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::string(HOOFBRAWL_SOURCE_DIR) + "/fuzz/corpus/bmp")) {
        if (entry.path().extension() != ".bmp") continue;
        Bytes file = readFile(entry.path().string());
        const std::string name = entry.path().stem().string();
        RgbImage image;
        ASSERT_EQ(decodeBmp(file.data(), file.size(), image), BmpStatus::Ok) << name;
        if (file.size() > 2 && file[0] == 'B' && file[1] == 'M') {
            expectAgreement(file, "seed_" + name, name.find("16bit") != std::string::npos ? 1 : 0);
            ++compared;
        }
    }
    EXPECT_GE(compared, 15);
}

}  // namespace
