#include "dialogs/palette.h"

#include "platform/colors.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace quillmoth {
namespace {

TEST(Palette, ReleasePointsFindTheirCell)
{
    struct Case {
        QPointF point;
        std::optional<std::int32_t> color;
    };
    // The gap belongs to the cell before it; half pixels come from high-density screens.
    const Case cases[] = {
        {{13.9, 0}, 0xFFFFFF},   {{14, 0}, 0xC0C0FF},     {{111, 83.5}, 0x400040},
        {{6.5, 30.25}, 0xC0C0C0}, {{112, 0}, std::nullopt}, {{0, 84}, std::nullopt},
        {{-0.5, 3}, std::nullopt},
    };
    for (const Case &test : cases)
        EXPECT_EQ(paletteColorAt(test.point), test.color) << test.point.x() << "," << test.point.y();
}

TEST(Palette, CellsAreDrawnInTheirColours)
{
    QImage image(112, 84, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    paintPalette(painter);
    painter.end();
    EXPECT_EQ(image.pixelColor(11, 11), colorFromValue(0xFFFFFF));
    EXPECT_EQ(image.pixelColor(14 + 3, 14 * 2 + 3), QColor(255, 0, 0)); // &H000000FF& is red
}

} // namespace
} // namespace quillmoth
