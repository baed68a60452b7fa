#include "controls/easy_button.h"

#include "platform/wave_player.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QMessageBox>
#include <QPainter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace quillmoth;

namespace {

// Moves the pointer (the real cursor too, which the hover timer reads).
void hoverAt(EasyButton &button, QPoint local)
{
    QCursor::setPos(button.mapToGlobal(local));
    QTest::mouseMove(&button, local);
}

QColor at(EasyButton &button, QPoint point)
{
    return button.grab().toImage().pixelColor(point);
}

// Four 40 x 40 frames: grey, blue, green, and a mask that is black in a circle.
QImage roundSkin()
{
    QImage skin(40, 160, QImage::Format_RGB32);
    skin.fill(Qt::white);
    QPainter painter(&skin);
    painter.fillRect(0, 0, 40, 40, QColor(0x80, 0x80, 0x80));
    painter.fillRect(0, 40, 40, 40, Qt::blue);
    painter.fillRect(0, 80, 40, 40, Qt::green);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(QPoint(20, 140), 18, 18);
    return skin;
}

// Every pixel that differs from the face colour, as a bounding box and a list.
QRect inkBox(const QImage &image, QColor face, std::vector<QColor> *colors = nullptr)
{
    QRect box;
    for (int y = 1; y < image.height() - 1; ++y)
        for (int x = 1; x < image.width() - 1; ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel == face)
                continue;
            box |= QRect(x, y, 1, 1);
            if (colors)
                colors->push_back(pixel);
        }
    return box;
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

    QWidget window;
    EasyButton *button = nullptr;
};

} // namespace

TEST_F(EasyButtonTest, Looks_NormalHoverPressed_AreDrawn_AndAClickIsReported)
{
    EXPECT_EQ(button->look(), EasyButton::NormalLook);
    EXPECT_EQ(at(*button, {50, 0}), QColor(0xCF, 0xCF, 0xCF));
    EXPECT_EQ(at(*button, {90, 4}), QColor(0xE0, 0xE0, 0xE0));

    hoverAt(*button, {50, 15});
    EXPECT_EQ(button->look(), EasyButton::HoverLook);
    EXPECT_TRUE(button->isTracking());
    EXPECT_EQ(at(*button, {50, 29}), QColor(0x90, 0x90, 0x90));
    EXPECT_EQ(at(*button, {50, 0}).rgb(), button->palette().color(QPalette::Light).rgb());

    QTest::mousePress(button, Qt::LeftButton, {}, {50, 15});
    EXPECT_EQ(button->look(), EasyButton::PressedLook);
    EXPECT_EQ(at(*button, {50, 0}).rgb(), button->palette().color(QPalette::Shadow).rgb());

    // Leaving with the button held shows the hover look until release.
    hoverAt(*button, {150, 15});
    EXPECT_EQ(button->look(), EasyButton::HoverLook);
    QSignalSpy clicks(button, &EasyButton::Click);
    QTest::mouseRelease(button, Qt::LeftButton, {}, {150, 15});
    EXPECT_EQ(button->look(), EasyButton::NormalLook);
    EXPECT_EQ(clicks.count(), 0);

    // A click inside raises the mouse events, then Click.
    std::vector<QString> order;
    QObject::connect(button, &EasyButton::MouseDown, [&] { order.push_back("down"); });
    QObject::connect(button, &EasyButton::MouseUp, [&] { order.push_back("up"); });
    QObject::connect(button, &EasyButton::Click, [&] { order.push_back("click"); });
    button->setUseSound(0);
    QTest::mouseClick(button, Qt::LeftButton, {}, {50, 15});
    EXPECT_EQ(order, (std::vector<QString>{"down", "up", "click"}));
    EXPECT_EQ(button->look(), EasyButton::HoverLook);
}

TEST_F(EasyButtonTest, HoverTimer_ReturnsToNormalWhenThePointerIsGone)
{
    hoverAt(*button, {50, 15});
    ASSERT_TRUE(button->isTracking());
    // The pointer leaves without the button seeing a move: the timer notices.
    QCursor::setPos(window.mapToGlobal(QPoint(250, 180)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !button->isTracking(); }, 5000));
    EXPECT_EQ(button->look(), EasyButton::NormalLook);
}

TEST_F(EasyButtonTest, Flat_HasNoHoverFrameAndARedPressedFrame)
{
    button->setBGstyle(1);
    hoverAt(*button, {50, 15});
    EXPECT_EQ(button->look(), EasyButton::NormalLook);
    EXPECT_FALSE(button->isTracking());
    QTest::mousePress(button, Qt::LeftButton, {}, {50, 15});
    EXPECT_EQ(at(*button, {50, 0}), QColor(Qt::red));
    QSignalSpy clicks(button, &EasyButton::Click);
    QTest::mouseRelease(button, Qt::LeftButton, {}, {50, 15});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(button->look(), EasyButton::NormalLook);
}

TEST_F(EasyButtonTest, RoundSkin_CornersAreOutside)
{
    button->setGeometry(20, 20, 40, 40);
    button->setPicture(roundSkin());
    QSignalSpy downs(button, &EasyButton::MouseDown);
    QSignalSpy clicks(button, &EasyButton::Click);

    EXPECT_EQ(at(*button, {20, 20}), QColor(0x80, 0x80, 0x80));
    hoverAt(*button, {2, 2});
    EXPECT_EQ(button->look(), EasyButton::NormalLook);
    EXPECT_FALSE(button->isTracking());
    QTest::mouseClick(button, Qt::LeftButton, {}, {2, 2});
    EXPECT_EQ(downs.count(), 0);
    EXPECT_EQ(clicks.count(), 0);

    hoverAt(*button, {20, 20});
    EXPECT_EQ(button->look(), EasyButton::HoverLook);
    EXPECT_EQ(at(*button, {20, 20}), QColor(Qt::blue));
    QTest::mousePress(button, Qt::LeftButton, {}, {20, 20});
    EXPECT_EQ(at(*button, {20, 20}), QColor(Qt::green));
    QTest::mouseRelease(button, Qt::LeftButton, {}, {20, 20});
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(button->isInside({39, 0}));
    EXPECT_TRUE(button->isInside({20, 3}));
}

TEST_F(EasyButtonTest, Disabled_DrawsTheCaptionInGreyUnlessFlat)
{
    button->setAlign(0);
    button->setCaption("MMMM");
    button->setForeColor(0xFF0000); // blue
    const auto inkColors = [&] {
        std::vector<QColor> colors;
        inkBox(button->grab().toImage(), QColor(0xE0, 0xE0, 0xE0), &colors);
        return colors;
    };
    const auto blue = [](QColor c) { return c.blue() > c.red() + 80; };
    std::vector<QColor> colors = inkColors();
    ASSERT_FALSE(colors.empty());
    EXPECT_TRUE(std::any_of(colors.begin(), colors.end(), blue));

    button->setEnabled(false);
    colors = inkColors();
    ASSERT_FALSE(colors.empty());
    EXPECT_TRUE(std::all_of(colors.begin(), colors.end(),
                            [](QColor c) { return std::abs(c.blue() - c.red()) < 20; }));

    button->setBGstyle(1);
    colors = inkColors();
    EXPECT_TRUE(std::any_of(colors.begin(), colors.end(), blue));
}

TEST_F(EasyButtonTest, Align_PlacesTheCaption)
{
    button->setGeometry(20, 20, 120, 60);
    button->setBorderStyle(0);
    const QColor face(0xE0, 0xE0, 0xE0);
    button->setCaption("Caption");
    button->setAlign(5);
    const QRect bottomLeft = inkBox(button->grab().toImage(), face);
    EXPECT_GT(bottomLeft.bottom(), 50);
    EXPECT_LT(bottomLeft.left(), 8);
    button->setAlign(8);
    EXPECT_GT(inkBox(button->grab().toImage(), face).right(), 110);
    button->setAlign(0);
    EXPECT_NEAR(inkBox(button->grab().toImage(), face).center().y(), 30, 5);

    button->setCaption("a long caption that needs several lines");
    button->setAlign(9);
    const QRect wrapped = inkBox(button->grab().toImage(), face);
    EXPECT_GT(wrapped.height(), button->fontMetrics().height() + 2);
    EXPECT_LT(wrapped.top(), 8);
    button->setAlign(12); // no flags: top left, one line
    const QRect unflagged = inkBox(button->grab().toImage(), face);
    EXPECT_LT(unflagged.top(), 8);
    EXPECT_LT(unflagged.height(), button->fontMetrics().height() + 2);
}

TEST_F(EasyButtonTest, CheckBox_TogglesAndShowsItsMark)
{
    button->setBtnStyle(2);
    const QPoint mark(5 + 7, 15);
    EXPECT_EQ(at(*button, mark), QColor(Qt::white));
    QTest::mouseClick(button, Qt::LeftButton, {}, {60, 15});
    EXPECT_TRUE(button->ChkValue());
    const QColor checked = at(*button, mark + QPoint(-4, -4));
    EXPECT_GT(checked.blue(), checked.red() + 60);
    QTest::mouseClick(button, Qt::LeftButton, {}, {60, 15});
    EXPECT_FALSE(button->ChkValue());
    // Check boxes have no hover look.
    hoverAt(*button, {60, 15});
    EXPECT_EQ(button->look(), EasyButton::NormalLook);
}

TEST(EasyButton, OptionGroups_AreTheirContainers)
{
    QWidget window;
    window.resize(400, 200);
    QWidget *groupA = new QWidget(&window);
    QWidget *groupB = new QWidget(&window);
    groupA->setGeometry(0, 0, 200, 200);
    groupB->setGeometry(200, 0, 200, 200);
    const auto option = [](QWidget *parent, int top) {
        auto *button = new EasyButton(parent);
        button->setBtnStyle(3);
        button->setUseSound(0);
        button->setGeometry(10, top, 150, 24);
        return button;
    };
    EasyButton *a1 = option(groupA, 10);
    EasyButton *a2 = option(groupA, 40);
    EasyButton *b1 = option(groupB, 10);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(a1, Qt::LeftButton, {}, {50, 12});
    QTest::mouseClick(b1, Qt::LeftButton, {}, {50, 12});
    EXPECT_TRUE(a1->OptValue());
    EXPECT_TRUE(b1->OptValue());
    QTest::mouseClick(a2, Qt::LeftButton, {}, {50, 12});
    EXPECT_FALSE(a1->OptValue());
    EXPECT_TRUE(a2->OptValue());
    EXPECT_TRUE(b1->OptValue());
    // A click on the selected option clears it.
    QTest::mouseClick(a2, Qt::LeftButton, {}, {50, 12});
    EXPECT_FALSE(a2->OptValue());

    a1->setOptValue(true);
    a2->Set_tmpOptValue(true); // no side effects on the group
    EXPECT_TRUE(a1->OptValue());
    EXPECT_TRUE(a2->GetOptValue());
    a2->UncheckOption();
    EXPECT_FALSE(a2->OptValue());
}

TEST_F(EasyButtonTest, AccessKey_ComesFromTheCaptionAndClicks)
{
    button->setCaption("Save && &Quit");
    EXPECT_EQ(button->AccessKey(), QString("Q"));
    button->setCaption("&Open");
    EXPECT_EQ(button->AccessKey(), QString("O"));
    button->setUseSound(0);
    QSignalSpy clicks(button, &EasyButton::Click);
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_O, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
}

TEST_F(EasyButtonTest, Keyboard_SpaceClicksAndKeysAreReported)
{
    button->setUseSound(0);
    button->setFocus();
    QSignalSpy clicks(button, &EasyButton::Click);
    QSignalSpy downs(button, &EasyButton::KeyDown);
    QSignalSpy presses(button, &EasyButton::KeyPress);
    QSignalSpy ups(button, &EasyButton::KeyUp);
    QTest::keyClick(button, Qt::Key_Space);
    QTest::keyClick(button, Qt::Key_A);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(downs.count(), 2);
    EXPECT_EQ(ups.count(), 2);
    ASSERT_EQ(presses.count(), 2);
    EXPECT_EQ(presses[1][0].toInt(), int('a'));
}

TEST_F(EasyButtonTest, SoundFile_MissingOrBlank_SwitchesTheSoundOff)
{
    button->setSoundFileName("   ");
    EXPECT_EQ(button->UseSound(), 0);
    EXPECT_TRUE(button->soundBuffer().isEmpty());

    button->setUseSound(1);
    button->setSoundFileName("/no/such/folder/click.wav");
    EXPECT_EQ(button->UseSound(), 0);
    EXPECT_TRUE(button->SoundFileName().isEmpty());
    QMessageBox *box = nullptr;
    for (QWidget *widget : QApplication::topLevelWidgets())
        if (auto *candidate = qobject_cast<QMessageBox *>(widget); candidate && candidate->isVisible())
            box = candidate;
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QString("File not found"));
    EXPECT_EQ(box->icon(), QMessageBox::Critical);
    box->close();

    // A file sound without a file falls back to silence.
    button->setUseSound(2);
    EXPECT_EQ(button->UseSound(), 0);
}

TEST_F(EasyButtonTest, Click_PlaysTheChosenSound)
{
    QTemporaryDir folder;
    const QString sound = folder.filePath("ding.wav");
    const QByteArray wave = waveFile({5, -5, 5, -5}, 8000);
    {
        QFile file(sound);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(wave);
    }
    button->setSoundFileName(sound);
    button->setUseSound(2);
    ASSERT_EQ(button->UseSound(), 2);
    EXPECT_EQ(button->soundBuffer(), wave);

    // A stand-in player records what it is asked to play.
    const QString heard = folder.filePath("heard.wav");
    const QString script = folder.filePath("player");
    {
        QFile file(script);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("#!/bin/sh\ncp \"$1\" \"%1.part\" && mv \"%1.part\" \"%1\"\n").arg(heard).toUtf8());
        file.close();
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    button->setWavePlayer(std::make_shared<WavePlayer>(QStringList{script}));
    button->setUseSound(0);
    QTest::mouseClick(button, Qt::LeftButton, {}, {50, 15});
    button->setUseSound(2);
    QTest::mouseClick(button, Qt::LeftButton, {}, {50, 15});
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(heard); }, 20000));
    QFile file(heard);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), wave);
}
