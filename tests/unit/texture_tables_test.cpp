// The texture lists and the files the build generates for them.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "assets/bmp_reader.h"
#include "assets/texture_loader.h"
#include "assets/texture_tables.h"
#include "platform/message_box.h"

namespace {

bool powerOfTwo(int v) { return v > 0 && (v & (v - 1)) == 0; }

TEST(TextureTables, FilesAndSlotsAsTheGameUsesThem) {
    EXPECT_STREQ(kSplashTextureFile, "splashscreen.bmp");
    std::set<int> tileSlots;
    for (const TextureFile& f : kTileTextureFiles) tileSlots.insert(f.slot);
    EXPECT_EQ(tileSlots, (std::set<int>{0, 1, 2, 9}));  // 3 to 8 are never filled
    EXPECT_STREQ(kTileTextureFiles[1].file, "tiles/dirt.bmp");
    EXPECT_STREQ(kTileTextureFiles[3].file, "tiles/x.bmp");

    // Objects then cows share one table and fill all 18 slots exactly once.
    std::set<int> objectSlots;
    for (const TextureFile& f : kObjectTextureFiles) EXPECT_TRUE(objectSlots.insert(f.slot).second) << f.file;
    for (const TextureFile& f : kCowTextureFiles) EXPECT_TRUE(objectSlots.insert(f.slot).second) << f.file;
    EXPECT_EQ(objectSlots.size(), size_t(kObjectTextureSlots));
    EXPECT_EQ(std::string(kObjectTextureFiles[0].file), "textures/tritree64.bmp");
    EXPECT_EQ(kObjectTextureFiles[3].slot, 7);
    EXPECT_STREQ(kObjectTextureFiles[3].file, "textures/hay2B.bmp");  // letter case kept
    EXPECT_EQ(kObjectTextureFiles[13].slot, 17);
    EXPECT_STREQ(kObjectTextureFiles[13].file, "textures/Barn.bmp");
    EXPECT_EQ(kCowTextureFiles[0].slot, 2);
    EXPECT_STREQ(kCowTextureFiles[3].file, "textures/cowhide.bmp");
}

TEST(TextureTables, EveryGeneratedPictureReadsBackWithUsableSides) {
    errorPopups = false;
    auto check = [](const std::string& name, int minSide, int maxSide) {
        std::string path = std::string(HOOFBRAWL_DATA_DIR) + "/" + name;
        std::unique_ptr<RgbImage> image = loadBmpImage(path.c_str());
        ASSERT_NE(image, nullptr) << name;
        EXPECT_TRUE(powerOfTwo(image->width) && powerOfTwo(image->height)) << name;
        EXPECT_GE(std::min(image->width, image->height), minSide) << name;
        EXPECT_LE(std::max(image->width, image->height), maxSide) << name;
        // Not a flat colour: every picture but the blank one has some detail.
        std::set<uint32_t> colours;
        for (size_t i = 0; i < image->pixels.size(); i += 3)
            colours.insert(uint32_t(image->pixels[i]) << 16 | image->pixels[i + 1] << 8 | image->pixels[i + 2]);
        EXPECT_GT(colours.size(), name == "textures/blank.bmp" ? 1u : 50u) << name;
    };
    for (const TextureFile& f : kTileTextureFiles) check(f.file, 64, 256);
    for (const TextureFile& f : kObjectTextureFiles) check(f.file, 64, 256);
    for (const TextureFile& f : kCowTextureFiles) check(f.file, 64, 256);
    check(kSplashTextureFile, 512, 1024);
}

TEST(TextureLoader, NoNameOrAnUnreadableFileLeavesTheSlotAlone) {
    errorPopups = false;
    uint32_t table[4] = {0, 0, 77, 0};
    EXPECT_FALSE(loadTexture("", table, 2));
    EXPECT_FALSE(loadTexture(nullptr, table, 2));
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(loadTexture("tiles/none.bmp", table, 2));
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Failed to open DIB file tiles/none.bmp.\n");
    EXPECT_EQ(table[2], 77u);
}

}  // namespace
