#include <gtest/gtest.h>

#include "ui/fonts.h"

#ifndef HOOFBRAWL_DATA_DIR
#define HOOFBRAWL_DATA_DIR "data"
#endif

// A missing file is reported once, for the first font, without a line break.
TEST(FontsDeathTest, MissingFileReportsThePathAndExits) {
    EXPECT_EXIT(createFonts("no/such/arial.ttf"), ::testing::ExitedWithCode(1),
                "^Failed to open font no/such/arial.ttf$");
}

TEST(FontsDeathTest, UnreadableFileIsAnOpenFailure) {
    EXPECT_EXIT(createFonts(HOOFBRAWL_DATA_DIR "/_maps/Map02.map"), ::testing::ExitedWithCode(1),
                "^Failed to open font .*Map02.map$");
}

TEST(Fonts, CreatesAllSixFromTheGameFont) {
    createFonts(HOOFBRAWL_DATA_DIR "/fonts/arial.ttf");
    for (FTFont* font : fontTable) EXPECT_NE(font, nullptr);
    // An em is 144 units: a short word advances by a few hundred of them.
    float advance = textAdvance("WINS!");
    EXPECT_GT(advance, 144.0f);
    EXPECT_LT(advance, 5 * 144.0f);
}
