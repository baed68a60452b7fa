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
