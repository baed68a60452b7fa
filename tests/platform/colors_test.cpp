#include "platform/colors.h"

#include <gtest/gtest.h>


using namespace quillmoth;

// A colour value is red + 256 green + 65536 blue; -1 is no colour, while
// black is a colour.
TEST(Colors, ValueAndQColorMeetAsRedPlusGreenPlusBlue)
{
    EXPECT_EQ(colorFromValue(0x123456), QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(colorValue(QColor(10, 20, 30, 40)), 10 + 256 * 20 + 65536 * 30);
    EXPECT_EQ(colorValue(QColor()), kNoColor);
    EXPECT_EQ(colorFromValue(kNoColor, Qt::gray), QColor(Qt::gray));
    EXPECT_TRUE(colorFromValue(0).isValid());
}

// Hue, lightness and saturation run 0 to 240; greys have the undefined hue
// 160. Out-of-range values are clamped, hues wrapped.
TEST(Colors, HlsOfKnownColoursAndOutOfRangeValues)
{
    const std::pair<int, HlsColor> known[] = {{0x0000FF, {0, 120, 240}},   {0x00FF00, {80, 120, 240}},
                                              {0x00FFFF, {40, 120, 240}},  {0xFFFFFF, {160, 240, 0}},
                                              {0x808080, {160, 120, 0}}};
    for (const auto &[rgb, hls] : known)
        EXPECT_EQ(rgbToHls(rgb), hls) << std::hex << rgb;
    EXPECT_EQ(hlsToRgb({160, 240, 0}), 0xFFFFFF);
    EXPECT_EQ(hlsToRgb({0, 120, 0}), 0x7F7F7F);
    EXPECT_EQ(hlsToRgb({0, 300, 240}), 0xFFFFFF);
    EXPECT_EQ(hlsToRgb({0, -5, 240}), 0);
    EXPECT_EQ(hlsToRgb({240, 120, 240}), hlsToRgb({0, 120, 240}));
}
