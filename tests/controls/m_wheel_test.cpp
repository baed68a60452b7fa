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

// Vertical turns become signals, horizontal ones pass through; enabling
// twice is one hook, so one unhook restores the widget.
TEST(MWheel, Hooked_SwallowsVerticalTurnsOnce_AndOneUnhookRestores)
{
    WheelCounter pad;
    MWheel wheel;
    QSignalSpy scrolls(&wheel, &MWheel::WheelScroll);
    wheel.setHWndCapture(&pad);
    wheel.EnableWheel();
    wheel.EnableWheel();
    turn(pad, QPoint(0, -240));
    turn(pad, QPoint(120, 0));
    EXPECT_EQ(pad.turns, 1);
    ASSERT_EQ(scrolls.count(), 1);
    EXPECT_EQ(scrolls[0][1].toInt(), -240);
    EXPECT_DOUBLE_EQ(scrolls[0][2].toDouble(), 105); // the screen point; the reader needs x

    wheel.DisableWheel();
    turn(pad, QPoint(0, 120));
    EXPECT_EQ(pad.turns, 2);
    EXPECT_EQ(scrolls.count(), 1);
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
