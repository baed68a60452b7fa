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

TEST_F(ToolTipTest, TheWindowGoesWithItsOwnerOrDestroy_AndLaterChangesAreSkipped)
{
    EXPECT_FALSE(tip.Create(nullptr));
    ASSERT_TRUE(tip.Create(&owner));
    EXPECT_FALSE(tip.tipWindow()->isVisible());
    tip.Destroy();
    EXPECT_EQ(tip.tipWindow(), nullptr);
    tip.setTipText("later");
    tip.setBackColor(0x00FFFF);

    auto widget = std::make_unique<QWidget>();
    ASSERT_TRUE(tip.Create(widget.get()));
    widget.reset();
    EXPECT_EQ(tip.tipWindow(), nullptr);
    EXPECT_EQ(tip.owner(), nullptr);
}

TEST_F(ToolTipTest, ShowsAfterRestingBelowThePointer_AndLeaveAClickOrTimeHidesIt)
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

    tip.setVisibleTime(30); // taken at Create
    ASSERT_TRUE(tip.Create(&owner));
    tip.showTip(pointer);
    ASSERT_TRUE(shows());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shows(); }, 5000));
}

TEST_F(ToolTipTest, Centered_PlacesTheTipCentredBelowTheOwner)
{
    tip.setCentered(true);
    ASSERT_TRUE(tip.Create(&owner));
    enter({5, 5});
    ASSERT_TRUE(QTest::qWaitFor([&] { return shows(); }, 5000));
    const QRect frame = tip.tipWindow()->geometry();
    const QRect ownerOnScreen(owner.mapToGlobal(QPoint(0, 0)), owner.size());
    EXPECT_NEAR(frame.center().x(), ownerOnScreen.center().x(), 1);
    EXPECT_GT(frame.top(), ownerOnScreen.bottom());
}

TEST_F(ToolTipTest, Colours_ApplyLive_AndZeroMeansTheSystemColour)
{
    tip.setBackColor(0x00FFFF); // yellow
    ASSERT_TRUE(tip.Create(&owner));
    tip.showTip(owner.mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(shows());
    const auto corner = [&] {
        return tip.tipWindow()->grab().toImage().pixelColor(2, tip.tipWindow()->height() - 2);
    };
    EXPECT_EQ(corner(), QColor(255, 255, 0));
    tip.setBackColor(0xFF8000);
    EXPECT_EQ(corner(), QColor(0, 0x80, 0xFF));
    tip.setBackColor(0);
    EXPECT_EQ(corner(), QApplication::palette("QToolTip").color(QPalette::ToolTipBase));
}

// Text changes a live tip; a title needs an icon until the next Create, and
// the line mode waits for it.
TEST_F(ToolTipTest, ChangesAfterCreate_TextLiveTitleWithIconLinesAtCreate)
{
    tip.setTipText("first line\nsecond line");
    ASSERT_TRUE(tip.Create(&owner));
    const QSize multi = tip.tipWindow()->size();
    tip.setTitle("Clipboard");
    tip.setMultiLine(false);
    EXPECT_EQ(tip.tipWindow()->size(), multi);
    tip.setIcon(1);
    EXPECT_GT(tip.tipWindow()->height(), multi.height());
    tip.setIcon(0);
    tip.setTitle("");
    ASSERT_TRUE(tip.Create(&owner));
    const QSize single = tip.tipWindow()->size();
    EXPECT_LT(single.height(), multi.height());
    EXPECT_GT(single.width(), multi.width());
    tip.setTipText("A much longer text than the one before, to be sure");
    EXPECT_GT(tip.tipWindow()->width(), single.width());
    tip.setTipText("");
    tip.showTip(owner.mapToGlobal(QPoint(10, 10)));
    EXPECT_FALSE(shows());
}

TEST_F(ToolTipTest, Balloon_HasAStemTowardsThePointer)
{
    tip.setStyle(1);
    tip.setBackColor(0x00FFFF);
    ASSERT_TRUE(tip.Create(&owner));
    const QPoint pointer = owner.mapToGlobal(QPoint(40, 30));
    tip.showTip(pointer);
    ASSERT_TRUE(shows());
    QWidget *window = tip.tipWindow();
    // The stem's point touches the pointer; the corners are cut away.
    EXPECT_EQ(window->y(), pointer.y());
    const QPoint stem = pointer - window->pos();
    EXPECT_TRUE(window->mask().contains(stem + QPoint(0, 3)));
    EXPECT_FALSE(window->mask().contains(QPoint(0, 0)));
    EXPECT_FALSE(window->mask().contains(QPoint(window->width() - 1, window->height() - 1)));
}
