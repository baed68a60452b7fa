#include "controls/my_image.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace quillmoth;

// The image takes its picture's size; a click, told with its index, needs
// the left button to go up inside.
TEST(MyImage, ShowsItsPicture_AndTellsAClickWithItsIndex)
{
    MyImage image(nullptr, 3);
    QPixmap picture(24, 24);
    picture.fill(Qt::blue);
    image.setPicture(picture);
    EXPECT_EQ(image.size(), QSize(24, 24));
    EXPECT_EQ(image.grab().toImage().pixelColor(12, 12), QColor(Qt::blue));
    image.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&image));
    QSignalSpy clicks(&image, &MyImage::Click);
    QTest::mousePress(&image, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&image, Qt::LeftButton, {}, QPoint(8, 8));
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].toInt(), 3);
    QTest::mousePress(&image, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&image, Qt::LeftButton, {}, QPoint(50, 5));
    QTest::mouseClick(&image, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(clicks.count(), 1);
}
