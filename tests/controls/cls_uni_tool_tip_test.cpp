#include "controls/cls_uni_tool_tip.h"

#include <QApplication>
#include <QEnterEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace quillmoth;

// The tip shows once the pointer rests, a leave or a click hides it, and the
// window goes with its owner, after which changes are skipped.
TEST(ToolTip, ShowsWhileThePointerRests_AndGoesWithItsOwner)
{
    auto owner = std::make_unique<QWidget>();
    owner->setGeometry(100, 100, 120, 40);
    owner->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(owner.get()));
    clsUniToolTip tip;
    tip.setTipText("Open the clipboard as a book");
    tip.setDelayTime(0);
    EXPECT_FALSE(tip.Create(nullptr));
    ASSERT_TRUE(tip.Create(owner.get()));
    EXPECT_FALSE(tip.tipWindow()->isVisible());
    const auto restAndShow = [&] {
        const QPointF point(30, 20);
        QEnterEvent event(point, point, owner->mapToGlobal(point));
        QApplication::sendEvent(owner.get(), &event);
        return QTest::qWaitFor([&] { return tip.tipWindow()->isVisible(); }, 5000);
    };
    ASSERT_TRUE(restAndShow());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(owner.get(), &leave);
    EXPECT_FALSE(tip.tipWindow()->isVisible());
    ASSERT_TRUE(restAndShow());
    QTest::mouseClick(owner.get(), Qt::LeftButton, {}, QPoint(30, 20));
    EXPECT_FALSE(tip.tipWindow()->isVisible());

    owner.reset();
    EXPECT_EQ(tip.tipWindow(), nullptr);
    EXPECT_EQ(tip.owner(), nullptr);
    tip.setTipText("later"); // skipped without a window
}
