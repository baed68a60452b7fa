#include "controls/m_wheel.h"

#include <QApplication>
#include <QSignalSpy>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>

using namespace quillmoth;

namespace {

struct WheelCounter : QWidget {
    int turns = 0;
    void wheelEvent(QWheelEvent *event) override { ++turns; event->accept(); }
};

void turn(QWidget &widget, QPoint angle)
{
    QWheelEvent wheel(QPointF(5, 6), QPointF(105, 206), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&widget, &wheel);
}

} // namespace

TEST(MWheel, Hooked_SwallowsVerticalTurnsOnce_FollowsTheWidget_AndOneUnhookRestores)
{
    WheelCounter pad;
    MWheel wheel;
    QSignalSpy scrolls(&wheel, &MWheel::WheelScroll);
    wheel.setHWndCapture(&pad);
    wheel.EnableWheel();
    wheel.EnableWheel(); // still one hook
    turn(pad, QPoint(0, 120));
    turn(pad, QPoint(0, -240));
    EXPECT_EQ(pad.turns, 0);
    ASSERT_EQ(scrolls.count(), 2);
    EXPECT_EQ(scrolls[0][1].toInt(), 120);
    EXPECT_DOUBLE_EQ(scrolls[0][2].toDouble(), 105); // the screen point; the reader needs x
    EXPECT_EQ(scrolls[1][1].toInt(), -240);
    // Horizontal turns pass through.
    turn(pad, QPoint(120, 0));
    EXPECT_EQ(pad.turns, 1);
    EXPECT_EQ(scrolls.count(), 2);

    // Another widget while hooked moves the hook.
    WheelCounter second;
    wheel.setHWndCapture(&second);
    turn(pad, QPoint(0, 120));
    turn(second, QPoint(0, 120));
    EXPECT_EQ(pad.turns, 2);
    EXPECT_EQ(second.turns, 0);

    wheel.DisableWheel();
    EXPECT_FALSE(wheel.isHooked());
    turn(second, QPoint(0, 120));
    EXPECT_EQ(second.turns, 1);
    EXPECT_EQ(scrolls.count(), 3);
}

TEST(MWheel, EitherSideMayGoFirst)
{
    auto pad = std::make_unique<WheelCounter>();
    {
        MWheel wheel;
        wheel.setHWndCapture(pad.get());
        wheel.EnableWheel();
    }
    // The hook went with the wheel control.
    turn(*pad, QPoint(0, 120));
    EXPECT_EQ(pad->turns, 1);

    MWheel wheel;
    wheel.setHWndCapture(pad.get());
    wheel.EnableWheel();
    pad.reset();
    EXPECT_EQ(wheel.hWndCapture(), nullptr);
    // Without a widget, enabling and disabling do nothing.
    wheel.DisableWheel();
    wheel.EnableWheel();
    EXPECT_FALSE(wheel.isHooked());
}
