#include "platform/colors.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillmoth;

// A colour value is red + 256 green + 65536 blue; -1 is no colour, while
// black is a colour.
TEST(Colors, ValueAndQColorMeetAsRedPlusGreenPlusBlue)
{
    EXPECT_EQ(colorFromValue(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(colorValue(QColor(10, 20, 30, 40)), 10 + 256 * 20 + 65536 * 30);
    EXPECT_FALSE(colorFromValue(kNoColor).isValid());
    EXPECT_EQ(colorValue(QColor()), kNoColor);
    EXPECT_EQ(colorFromValue(kNoColor, Qt::gray), QColor(Qt::gray));
    EXPECT_EQ(colorFromValue(0x0000FF, Qt::gray), QColor(Qt::red));
    EXPECT_TRUE(colorFromValue(0).isValid());
    EXPECT_EQ(colorValue(Qt::black), 0);
}

struct HlsCase {
    int rgb;
    HlsColor hls;
};

class HlsKnownColors : public ::testing::TestWithParam<HlsCase> {};

TEST_P(HlsKnownColors, ConvertBothWays)
{
    const HlsCase &row = GetParam();
    EXPECT_EQ(rgbToHls(row.rgb), row.hls);
    EXPECT_EQ(hlsToRgb(row.hls), row.rgb);
}

INSTANTIATE_TEST_SUITE_P(Colors, HlsKnownColors,
                         ::testing::Values(HlsCase{0x0000FF, {0, 120, 240}},   // red
                                           HlsCase{0x00FF00, {80, 120, 240}},  // green
                                           HlsCase{0xFF0000, {160, 120, 240}}, // blue
                                           HlsCase{0x00FFFF, {40, 120, 240}},  // yellow
                                           HlsCase{0xFFFFFF, {160, 240, 0}},   // white
                                           HlsCase{0x000000, {160, 0, 0}}));   // black

// Greys have no saturation and the undefined hue; lightness alone brings a
// grey back. Out-of-range values are clamped, hues wrapped.
TEST(Colors, GreysAndOutOfRangeHls)
{
    EXPECT_EQ(rgbToHls(0x808080), (HlsColor{160, 120, 0}));
    EXPECT_EQ(hlsToRgb({0, 120, 0}), 0x7F7F7F);
    EXPECT_EQ(hlsToRgb({0, 300, 240}), 0xFFFFFF);
    EXPECT_EQ(hlsToRgb({0, -5, 240}), 0);
    EXPECT_EQ(hlsToRgb({240, 120, 240}), hlsToRgb({0, 120, 240}));
}

// The 0-240 scale is coarser than 0-255, but a round trip stays within a few
// levels per channel.
TEST(Colors, RoundTripStaysClose)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> channel(0, 255);
    for (int i = 0; i < 5000; ++i) {
        const int r = channel(random), g = channel(random), b = channel(random);
        const int back = hlsToRgb(rgbToHls(r + 256 * g + 65536 * b));
        EXPECT_NEAR(back & 0xFF, r, 4) << r << "," << g << "," << b;
        EXPECT_NEAR((back >> 8) & 0xFF, g, 4) << r << "," << g << "," << b;
        EXPECT_NEAR((back >> 16) & 0xFF, b, 4) << r << "," << g << "," << b;
    }
}
