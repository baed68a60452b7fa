#include "platform/text_drawing.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace quillmoth;
using namespace quillmoth::TextFormat;

namespace {

// The bounding box of the ink `format` leaves in a 200 x 60 picture.
QRect ink(const QString &text, const QRect &rect, int format)
{
    QImage image(200, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(Qt::black);
    drawFormattedText(painter, rect, text, format);
    painter.end();
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

} // namespace

// The button draws its caption with the placement flags; the shelf and the
// side panel wrap titles inside a rectangle, clip to it unless kNoClip, and
// draw a title's "&" as it is under kNoPrefix.
TEST(TextDrawing, FlagsPlaceWrapClipAndPrefixTheText)
{
    const QRect area(0, 0, 200, 60);
    const QRect placed = ink("Wy", area, kSingleLine | kBottom | kRight);
    EXPECT_TRUE(placed.right() > 190 && placed.bottom() > 50);

    const QString text = "one two three four five six seven";
    const QRect narrow(0, 0, 60, 60);
    const QRect wrapped = ink(text, narrow, kWordBreak);
    EXPECT_GT(wrapped.height(), 2 * QFontMetrics(QFont()).height() - 4);
    EXPECT_LE(wrapped.right(), 60);
    EXPECT_LE(ink(text, narrow, 0).right(), 60);
    EXPECT_GT(ink(text, narrow, kNoClip).right(), 100);

    const QRect prefixed = ink("&File", area, kSingleLine);
    const QRect plain = ink("File", area, kSingleLine);
    EXPECT_NEAR(prefixed.width(), plain.width(), 2);
    EXPECT_GT(ink("&File", area, kSingleLine | kNoPrefix).width(), plain.width() + 4);
}
