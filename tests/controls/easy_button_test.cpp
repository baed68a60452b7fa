#include "controls/easy_button.h"

#include "platform/wave_player.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace quillmoth;

namespace {

const QColor kFace(0xE0, 0xE0, 0xE0);

// Every pixel that differs from the face colour, as a bounding box and a list.
QRect inkBox(const QImage &image, std::vector<QColor> *colors = nullptr)
{
    QRect box;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x)
            if (const QColor pixel = image.pixelColor(x, y); pixel != kFace) {
                box |= QRect(x, y, 1, 1);
                if (colors)
                    colors->push_back(pixel);
            }
    return box;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

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

    // Moves the pointer (the real cursor too, which the hover timer reads).
    void hoverAt(QPoint local)
    {
        QCursor::setPos(button->mapToGlobal(local));
        QTest::mouseMove(button, local);
    }
    QColor at(QPoint point) { return button->grab().toImage().pixelColor(point); }
    QRect ink(std::vector<QColor> *colors = nullptr) { return inkBox(button->grab().toImage(), colors); }

    QWidget window;
    EasyButton *button = nullptr;
};

} // namespace

TEST_F(EasyButtonTest, Looks_NormalHoverPressed_AreDrawn_AndAClickIsReported)
{
    EXPECT_EQ(at({50, 0}), QColor(0xCF, 0xCF, 0xCF));
    hoverAt({50, 15});
    EXPECT_EQ(button->look(), EasyButton::HoverLook);
    EXPECT_EQ(at({50, 0}).rgb(), button->palette().color(QPalette::Light).rgb());
    QTest::mousePress(button, Qt::LeftButton, {}, {50, 15});
    EXPECT_EQ(at({50, 0}).rgb(), button->palette().color(QPalette::Shadow).rgb());

    // Leaving with the button held shows the hover look, and no click.
    hoverAt({150, 15});
    EXPECT_EQ(button->look(), EasyButton::HoverLook);
    QSignalSpy clicks(button, &EasyButton::Click);
    QTest::mouseRelease(button, Qt::LeftButton, {}, {150, 15});
    EXPECT_EQ(button->look(), EasyButton::NormalLook);
    EXPECT_EQ(clicks.count(), 0);

    button->setUseSound(0);
    QTest::mouseClick(button, Qt::LeftButton, {}, {50, 15});
    EXPECT_EQ(clicks.count(), 1);

    // The pointer leaves without the button seeing a move or a leave: the timer notices.
    struct EatLeave : QObject {
        bool eventFilter(QObject *, QEvent *event) override { return event->type() == QEvent::Leave; }
    } eatLeave;
    button->installEventFilter(&eatLeave);
    hoverAt({50, 15});
    ASSERT_TRUE(button->isTracking());
    QCursor::setPos(window.mapToGlobal(QPoint(250, 180)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !button->isTracking(); }, 5000));
    EXPECT_EQ(button->look(), EasyButton::NormalLook);

    // Flat: no hover look, a red frame while pressed.
    button->setBGstyle(1);
    hoverAt({50, 15});
    EXPECT_FALSE(button->isTracking());
    QTest::mousePress(button, Qt::LeftButton, {}, {50, 15});
    EXPECT_EQ(at({50, 0}), QColor(Qt::red));
    QTest::mouseRelease(button, Qt::LeftButton, {}, {50, 15});
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(EasyButtonTest, Disabled_DrawsTheCaptionInGreyUnlessFlat)
{
    button->setCaption("MMMM");
    button->setForeColor(0xFF0000); // blue
    const auto blueInk = [&] {
        std::vector<QColor> colors;
        ink(&colors);
        return std::count_if(colors.begin(), colors.end(), [](QColor c) { return c.blue() > c.red() + 20; });
    };
    EXPECT_GT(blueInk(), 0);
    button->setEnabled(false);
    EXPECT_EQ(blueInk(), 0);
    EXPECT_FALSE(ink().isEmpty());
    button->setBGstyle(1);
    EXPECT_GT(blueInk(), 0);
}

// Push buttons centre their captions; the others stand left, mid-height.
TEST_F(EasyButtonTest, Align_CentresOrLeftAlignsTheCaptionAtMidHeight)
{
    button->setGeometry(20, 20, 120, 60);
    button->setBorderStyle(0);
    button->setCaption("Caption");
    button->setAlign(3);
    const QRect left = ink();
    button->setAlign(0);
    const QRect centred = ink();
    EXPECT_LT(left.left(), 8);
    EXPECT_NEAR(centred.center().x(), 60, 3);
    for (const QRect &box : {left, centred})
        EXPECT_NEAR(box.center().y(), 30, 5);
}

TEST_F(EasyButtonTest, CheckBox_TogglesAndShowsItsMark)
{
    button->setBtnStyle(2);
    const QPoint mark(12, 15);
    EXPECT_EQ(at(mark), QColor(Qt::white));
    QTest::mouseClick(button, Qt::LeftButton, {}, {60, 15});
    EXPECT_TRUE(button->ChkValue());
    const QColor checked = at(mark + QPoint(-4, -4));
    EXPECT_GT(checked.blue(), checked.red() + 60);
    QTest::mouseClick(button, Qt::LeftButton, {}, {60, 15});
    EXPECT_FALSE(button->ChkValue());
}

TEST_F(EasyButtonTest, Keys_SpaceClicksAndOtherKeysDoNot)
{
    button->setUseSound(0);
    button->setFocus();
    QSignalSpy clicks(button, &EasyButton::Click);
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_A);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(EasyButtonTest, Sound_AMissingFileSaysSo_AndAClickPlaysTheBuiltInOne)
{
    button->setUseSound(1);
    button->setSoundFileName("/no/such/folder/click.wav");
    EXPECT_EQ(button->UseSound(), 0);
    QMessageBox *box = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *candidate = qobject_cast<QMessageBox *>(widget); candidate && candidate->isVisible())
            box = candidate;
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QString("File not found"));
    box->close();
    button->setUseSound(2); // a file sound without a file falls back to silence
    EXPECT_EQ(button->UseSound(), 0);

    // Push buttons click with the built-in sound; a stand-in player records it.
    button->setUseSound(1);
    QTemporaryDir folder;
    const QString heard = folder.filePath("heard.wav"), script = folder.filePath("player");
    writeFile(script, QStringLiteral("#!/bin/sh\ncp \"$1\" \"%1.part\" && mv \"%1.part\" \"%1\"\n")
                          .arg(heard).toUtf8());
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    button->setWavePlayer(std::make_shared<WavePlayer>(QStringList{script}));
    QTest::mouseClick(button, Qt::LeftButton, {}, {50, 15});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(heard); }, 20000));
    QFile file(heard);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("RIFF"));
}
