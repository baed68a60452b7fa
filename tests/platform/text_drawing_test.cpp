#include "platform/text_drawing.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

using namespace quillmoth;
using namespace quillmoth::TextFormat;

namespace {

QImage blank()
{
    QImage image(200, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

// The bounding box of everything that is not white.
QRect ink(const QImage &image)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                box |= QRect(x, y, 1, 1);
    return box;
}

QImage drawn(const QString &text, const QRect &rect, int format)
{
    QImage image = blank();
    QPainter painter(&image);
    QFont font = painter.font();
    font.setPixelSize(14);
    painter.setFont(font);
    painter.setPen(Qt::black);
    drawFormattedText(painter, rect, text, format);
    return image;
}

} // namespace

// The button draws its caption with these flags; the shelf and the side
// panel wrap titles inside a rectangle, clip to it unless kNoClip, and draw
// a title's "&" as it is under kNoPrefix.
TEST(TextDrawing, SingleLinePlacementFollowsTheFlags)
{
    const QRect area(0, 0, 200, 60);
    const QRect topLeft = ink(drawn("Wy", area, kSingleLine));
    const QRect bottomRight = ink(drawn("Wy", area, kSingleLine | kBottom | kRight));
    const QRect centred = ink(drawn("Wy", area, kSingleLine | kVerticalCenter | kCenter));
    EXPECT_LT(topLeft.left(), 5);
    EXPECT_LT(topLeft.top(), 10);
    EXPECT_GT(bottomRight.right(), 190);
    EXPECT_GT(bottomRight.bottom(), 50);
    EXPECT_NEAR(centred.center().x(), 100, 4);
    EXPECT_NEAR(centred.center().y(), 30, 6);
}

TEST(TextDrawing, WordBreakWrapsAndClipsUnlessNoClip)
{
    const QString text = "one two three four five six seven";
    const QRect narrow(0, 0, 60, 60);
    const QRect wrapped = ink(drawn(text, narrow, kWordBreak));
    EXPECT_GT(wrapped.height(), 2 * QFontMetrics(QFont()).height() - 4);
    EXPECT_LE(wrapped.right(), 60);
    EXPECT_LE(ink(drawn(text, narrow, 0)).right(), 60);
    EXPECT_GT(ink(drawn(text, narrow, kNoClip)).right(), 100);
    EXPECT_GT(ink(drawn("A\nB", QRect(0, 0, 200, 60), 0)).height(),
              ink(drawn("A\nB", QRect(0, 0, 200, 60), kSingleLine)).height() + 8);
}

TEST(TextDrawing, AmpersandMarksAnAccessKeyUnlessNoPrefix)
{
    const QRect area(0, 0, 200, 60);
    const QRect prefixed = ink(drawn("&File", area, kSingleLine));
    const QRect plain = ink(drawn("File", area, kSingleLine));
    EXPECT_NEAR(prefixed.width(), plain.width(), 2);
    EXPECT_GT(prefixed.bottom(), plain.bottom()); // the underline
    EXPECT_GT(ink(drawn("&File", area, kSingleLine | kNoPrefix)).width(), plain.width() + 4);
}
