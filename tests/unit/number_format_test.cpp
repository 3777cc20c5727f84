#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ui/number_format.h"

namespace {

std::string three(int v) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    return formatThreeDigits(v, buffer);
}
std::string two(int v) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    return formatTwoDigits(v, buffer);
}

}  // namespace

TEST(NumberFormat, ThreeDigitsKeepLeadingZeros) {
    EXPECT_EQ(three(0), "000");
    EXPECT_EQ(three(5), "005");
    EXPECT_EQ(three(7), "007");
    EXPECT_EQ(three(60), "060");
    EXPECT_EQ(three(100), "100");
    EXPECT_EQ(three(999), "999");
}

TEST(NumberFormat, TwoDigitsKeepLeadingZeros) {
    EXPECT_EQ(two(0), "00");
    EXPECT_EQ(two(7), "07");
    EXPECT_EQ(two(10), "10");
    EXPECT_EQ(two(99), "99");
}

// Out-of-range values run past the digits rather than being clamped.
TEST(NumberFormat, OutOfRangeValuesAreNotClamped) {
    EXPECT_EQ(three(1000), ":00");
    EXPECT_EQ(three(1234), std::string({':' + 2, '3', '4'}));
    EXPECT_EQ(two(100), ":0");
    // floor goes down for the leading digits, the remainder truncates.
    EXPECT_EQ(three(-5), std::string({'0' - 1, '0' - 1, '0' - 5}));
    EXPECT_EQ(three(-123), std::string({'0' - 2, '0' - 3, '0' - 3}));
    EXPECT_EQ(two(-7), std::string({'0' - 1, '0' - 7}));
}

TEST(NumberFormat, WritesOnlyFourBytesAndReturnsTheBuffer) {
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(formatThreeDigits(42, buffer), buffer);
    EXPECT_EQ(buffer[3], '\0');
    EXPECT_EQ(buffer[4], 'x');
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(formatTwoDigits(42, buffer), buffer);
    EXPECT_EQ(buffer[2], '\0');
    EXPECT_EQ(buffer[3], 'x');
}

TEST(NumberFormat, SharedBufferStartsAsZero) {
    EXPECT_EQ(sizeof numberText, 128u);
    EXPECT_STREQ(numberText, "0");
}
