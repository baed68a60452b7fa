#include "controls/easy_button.h"

#include "platform/wave_player.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace quillmoth;

namespace {

class EasyButtonTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.resize(300, 200);
        button = new EasyButton(&window);
        button->setGeometry(20, 20, 100, 30);
        button->setCaption("Open");
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCursor::setPos(window.mapToGlobal(QPoint(250, 180)));
        QApplication::processEvents();
    }

    QColor at(QPoint point) { return button->grab().toImage().pixelColor(point); }

    QWidget window;
    EasyButton *button = nullptr;
};

} // namespace

// The caption and the three looks are drawn; a click needs the release
// inside, and Space clicks too.
TEST_F(EasyButtonTest, LooksAreDrawn_AndAClickNeedsTheReleaseInside)
{
    button->setUseSound(0);
    const QImage captioned = button->grab().toImage();
    button->setCaption(QString());
    EXPECT_NE(button->grab().toImage(), captioned);
    const QColor normal = at({50, 0});
    // The real cursor too: the hover timer reads it.
    QCursor::setPos(button->mapToGlobal(QPoint(50, 15)));
    QTest::mouseMove(button, {50, 15});
    EXPECT_EQ(button->look(), EasyButton::HoverLook);
    const QColor hover = at({50, 0});
    EXPECT_NE(hover, normal);
    QTest::mousePress(button, Qt::LeftButton, {}, {50, 15});
    EXPECT_NE(at({50, 0}), hover);

    QSignalSpy clicks(button, &EasyButton::Click);
    QTest::mouseRelease(button, Qt::LeftButton, {}, {150, 15});
    EXPECT_EQ(button->look(), EasyButton::NormalLook);
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseClick(button, Qt::LeftButton, {}, {50, 15});
    button->setFocus();
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_A);
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(EasyButtonTest, CheckBox_TogglesAndShowsItsMark)
{
    button->setBtnStyle(2);
    EXPECT_EQ(at({12, 15}), QColor(Qt::white));
    QTest::mouseClick(button, Qt::LeftButton, {}, {60, 15});
    EXPECT_TRUE(button->ChkValue());
    const QColor mark = at({8, 11});
    EXPECT_GT(mark.blue(), mark.red() + 60);
    QTest::mouseClick(button, Qt::LeftButton, {}, {60, 15});
    EXPECT_FALSE(button->ChkValue());
}

// Push buttons click with the built-in sound; a stand-in player records it.
TEST_F(EasyButtonTest, AClickPlaysTheBuiltInSound)
{
    QTemporaryDir folder;
    const QString heard = folder.filePath("heard.wav"), script = folder.filePath("player");
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\ncp \"$1\" \"%1.part\" && mv \"%1.part\" \"%1\"\n").arg(heard).toUtf8());
    file.close();
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    button->setWavePlayer(std::make_shared<WavePlayer>(QStringList{script}));
    QTest::mouseClick(button, Qt::LeftButton, {}, {50, 15});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(heard); }, 20000));
    file.setFileName(heard);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("RIFF"));
}
