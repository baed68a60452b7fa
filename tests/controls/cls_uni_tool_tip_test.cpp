#include "controls/cls_uni_tool_tip.h"

#include <QApplication>
#include <QEnterEvent>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

using namespace quillmoth;

namespace {

class ToolTipTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner.setGeometry(100, 100, 120, 40);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
        tip.setTipText("Open the clipboard as a book");
        tip.setDelayTime(0);
    }

    // The pointer comes to rest on the owner at a local point.
    void enter(QPoint local = {30, 20})
    {
        const QPointF point(local);
        const QPointF global = owner.mapToGlobal(point);
        QEnterEvent event(point, point, global);
        QApplication::sendEvent(&owner, &event);
    }

    bool shows() { return tip.tipWindow() && tip.tipWindow()->isVisible(); }

    QWidget owner;
    clsUniToolTip tip;
};

} // namespace

TEST_F(ToolTipTest, TheWindowGoesWithItsOwner_AndLaterChangesAreSkipped)
{
    EXPECT_FALSE(tip.Create(nullptr));
    auto widget = std::make_unique<QWidget>();
    ASSERT_TRUE(tip.Create(widget.get()));
    EXPECT_FALSE(tip.tipWindow()->isVisible());
    widget.reset();
    EXPECT_EQ(tip.tipWindow(), nullptr);
    EXPECT_EQ(tip.owner(), nullptr);
    tip.setTipText("later"); // skipped without a window
}

TEST_F(ToolTipTest, ShowsAfterRestingBelowThePointer_AndLeaveOrAClickHidesIt)
{
    ASSERT_TRUE(tip.Create(&owner));
    enter({30, 20});
    ASSERT_TRUE(QTest::qWaitFor([&] { return shows(); }, 5000));
    const QPoint pointer = owner.mapToGlobal(QPoint(30, 20));
    EXPECT_GT(tip.tipWindow()->y(), pointer.y());
    EXPECT_EQ(tip.tipWindow()->x(), pointer.x());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&owner, &leave);
    EXPECT_FALSE(shows());

    enter();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shows(); }, 5000));
    QTest::mouseClick(&owner, Qt::LeftButton, {}, QPoint(30, 20));
    EXPECT_FALSE(shows());
}

// The shelf changes the text of live tips when the language changes.
TEST_F(ToolTipTest, TipText_UpdatesALiveTip_AndEmptyTextShowsNothing)
{
    ASSERT_TRUE(tip.Create(&owner));
    const int width = tip.tipWindow()->width();
    tip.setTipText("A much longer text than the one before, to be sure");
    EXPECT_GT(tip.tipWindow()->width(), width);
    tip.setTipText("");
    tip.showTip(owner.mapToGlobal(QPoint(10, 10)));
    EXPECT_FALSE(shows());
}
