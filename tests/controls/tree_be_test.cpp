#include "controls/m_wheel.h"
#include "controls/tree_be.h"

#include <QApplication>
#include <QPainter>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

using namespace quillmoth;

namespace {

// A shown tree with a small folder hierarchy:
//   books / novels / old, books / poems, music
class TreeBeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.resize(220, 200);
        tree.setSelectedBackColor(0x00C000);
        tree.Nodes().AddItem("books", "books");
        tree.Nodes().AddItem("books/novels", "novels", "books");
        tree.Nodes().AddItem("books/novels/old", "old", "books/novels");
        tree.Nodes().AddItem("books/poems", "poems", "books");
        tree.Nodes().AddItem("music", "music");
        tree.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
        tree.Refresh();
    }

    ClsNode *node(const char *key) { return tree.Nodes().nItem(QString(key)); }

    void press(const char *key, Qt::MouseButton button = Qt::LeftButton)
    {
        const QRect row = tree.rowRect(node(key));
        ASSERT_FALSE(row.isEmpty()) << key << " is not shown";
        QTest::mouseClick(tree.surface(), button, {}, QPoint(node(key)->indent() + 30, row.center().y()));
    }

    std::vector<QString> shownKeys()
    {
        std::vector<QString> keys;
        for (const ClsNode &each : tree.Nodes())
            if (each.ItemNum() > 1 && each.Visable())
                keys.push_back(each.key());
        return keys;
    }

    QImage picture() { return tree.surface()->grab().toImage(); }

    TreeBe tree;
};

} // namespace

TEST_F(TreeBeTest, Click_SelectsAndExpands_WithEventsInOrder)
{
    std::vector<int> order;
    QObject::connect(&tree, &TreeBe::beforeClick, [&] { order.push_back(5); });
    QObject::connect(&tree, &TreeBe::nodeCollapse, [&] { order.push_back(2); });
    QObject::connect(&tree, &TreeBe::nodeExpand, [&] { order.push_back(3); });
    QObject::connect(&tree, &TreeBe::nodeClick, [&] { order.push_back(1); });
    QSignalSpy clicks(&tree, &TreeBe::nodeClick);
    QSignalSpy ups(&tree, &TreeBe::mouseUp);

    EXPECT_EQ(shownKeys(), (std::vector<QString>{"books", "music"}));
    press("books");
    EXPECT_EQ(order, (std::vector<int>{5, 3, 1}));
    EXPECT_TRUE(node("books")->Selected());
    EXPECT_TRUE(node("books")->Expanded());
    EXPECT_EQ(tree.selectedNode(), node("books"));
    EXPECT_EQ(shownKeys(), (std::vector<QString>{"books", "books/novels", "books/poems", "music"}));
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][0].value<ClsNode *>(), node("books"));
    EXPECT_EQ(clicks[0][1].value<Qt::MouseButton>(), Qt::LeftButton);
    EXPECT_EQ(ups.count(), 1);

    order.clear();
    press("books");
    EXPECT_EQ(order, (std::vector<int>{5, 2, 1}));
    EXPECT_EQ(shownKeys(), (std::vector<QString>{"books", "music"}));
}

TEST_F(TreeBeTest, Collapse_HidesAllDescendants_AndExpandBringsBackOpenOnes)
{
    press("books");
    press("books/novels");
    EXPECT_TRUE(node("books/novels/old")->Visable());
    press("books");
    EXPECT_EQ(shownKeys(), (std::vector<QString>{"books", "music"}));
    press("books");
    // novels stayed expanded, so its child shows again.
    EXPECT_EQ(shownKeys(),
              (std::vector<QString>{"books", "books/novels", "books/novels/old", "books/poems", "music"}));
}

TEST_F(TreeBeTest, RightButtonOrAPressBelowTheRows_NeitherSelectsNorToggles)
{
    QSignalSpy before(&tree, &TreeBe::beforeClick);
    QSignalSpy clicks(&tree, &TreeBe::nodeClick);
    QSignalSpy expands(&tree, &TreeBe::nodeExpand);
    press("books", Qt::RightButton);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][1].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(expands.count(), 0);
    EXPECT_FALSE(node("books")->Selected());
    EXPECT_FALSE(node("books")->Expanded());
    // Below the rows only beforeClick is raised.
    QTest::mouseClick(tree.surface(), Qt::LeftButton, {}, QPoint(60, 180));
    EXPECT_EQ(before.count(), 2);
    EXPECT_EQ(clicks.count(), 1);
}

// The selection moves and remembers the old one; removing it clears both.
TEST_F(TreeBeTest, SelectionMoves_AndRemovingItClearsItAndOldSel)
{
    press("books");
    press("books/novels");
    EXPECT_TRUE(node("books/novels")->Selected());
    EXPECT_FALSE(node("books")->Selected());
    ASSERT_EQ(tree.OldSel(), node("books"));
    ASSERT_TRUE(tree.Nodes().Remove("books/novels"));
    EXPECT_EQ(tree.OldSel(), nullptr);
    EXPECT_EQ(tree.selectedNode(), nullptr);
    tree.Refresh();
    EXPECT_FALSE(picture().isNull());
}

TEST_F(TreeBeTest, SelectedRow_ShowsTheSelectionColours)
{
    tree.setTreeStyle(0);
    press("music");
    const QRect row = tree.rowRect(node("music"));
    // Just before the caption: the flat highlight of the classic style.
    const QImage image = picture();
    EXPECT_EQ(image.pixelColor(node("music")->indent() + 1, row.center().y()), QColor(0, 0xC0, 0));
    const QRect other = tree.rowRect(node("books"));
    EXPECT_EQ(image.pixelColor(node("books")->indent() + 1, other.center().y()), QColor(Qt::white));

    // The gradient style fills the whole row, shading down to the colour.
    tree.setTreeStyle(1);
    const QImage full = picture();
    EXPECT_EQ(full.pixelColor(full.width() - 4, row.bottom() - 1), QColor(0, 0xC0, 0));
}

TEST_F(TreeBeTest, Hover_FollowsThePointerOnlyWhenEnabled)
{
    tree.setHoverBackColor(0x0000FF);
    const QRect row = tree.rowRect(node("music"));
    const QPoint probe(tree.surface()->width() - 4, row.center().y());
    QTest::mouseMove(tree.surface(), QPoint(80, row.center().y()));
    EXPECT_TRUE(node("music")->HoverItem());
    EXPECT_EQ(picture().pixelColor(probe), QColor(Qt::white));

    tree.setEnableHover(true);
    QTest::mouseMove(tree.surface(), QPoint(81, row.center().y()));
    EXPECT_TRUE(node("music")->HoverItem());
    const QColor hovered = picture().pixelColor(probe);
    EXPECT_GT(hovered.red(), 200);
    EXPECT_LT(hovered.green(), 200);

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(tree.surface(), &leave);
    EXPECT_FALSE(node("music")->HoverItem());
    EXPECT_EQ(picture().pixelColor(probe), QColor(Qt::white));
}

TEST_F(TreeBeTest, NodeButton_ShowsItsHoverPictureUnderThePointer)
{
    QPixmap normal(12, 12), hover(12, 12);
    normal.fill(Qt::red);
    hover.fill(QColor(0, 255, 0)); // the mask colour: drawn transparent
    QPainter(&hover).fillRect(0, 0, 12, 6, Qt::blue);
    ClsNode *music = node("music");
    music->setButtonMaskColor(0x00FF00);
    music->setButtonPictures(normal, hover);
    const QRect row = tree.rowRect(music);
    const QPoint button(tree.surface()->width() - 4 - 6, row.top() + 10 - 6 + 2);
    EXPECT_EQ(picture().pixelColor(button), QColor(Qt::red));
    QTest::mouseMove(tree.surface(), button);
    EXPECT_EQ(picture().pixelColor(button), QColor(Qt::blue));
    EXPECT_EQ(picture().pixelColor(button + QPoint(0, 7)), QColor(Qt::white)); // masked out
}

TEST_F(TreeBeTest, TreeLinesAndGlyphsAreDrawn)
{
    press("books");
    const QImage image = picture();
    const QRect row = tree.rowRect(node("books"));
    // The expand glyph of "books" (a boxed minus now) sits left of its indent.
    const int glyphX = node("books")->indent() - 12;
    EXPECT_LT(image.pixelColor(glyphX, row.top() + tree.LineHeight() / 2).lightness(), 100);
    // The line from "novels" down to "poems" runs under the middle of books' icon column.
    const QRect novels = tree.rowRect(node("books/novels"));
    int grey = 0;
    for (int y = novels.top(); y <= novels.bottom(); ++y)
        grey += image.pixelColor(glyphX + 20, y) != QColor(Qt::white);
    EXPECT_GT(grey, 3);

    tree.setShowTreeLines(false);
    const QImage plain = picture();
    grey = 0;
    for (int y = novels.top(); y <= novels.top() + 4; ++y)
        grey += plain.pixelColor(glyphX + 20, y) != QColor(Qt::white);
    EXPECT_EQ(grey, 0);
}

TEST_F(TreeBeTest, RightToLeft_DrawsCaptionsFromTheRight)
{
    const auto inkColumns = [&](const QImage &image, const QRect &row) {
        int left = image.width(), right = -1;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y).lightness() < 100) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return std::pair(left, right);
    };
    const QRect row = tree.rowRect(node("music"));
    const auto ltr = inkColumns(picture(), row);
    tree.setRightToLeft(true);
    const auto rtl = inkColumns(picture(), row);
    EXPECT_LT(ltr.first, 100);
    EXPECT_GT(rtl.second, tree.surface()->width() - 100);
    EXPECT_GT(rtl.first, ltr.first + 60);
}

TEST(TreeBe, LineHeight_IsAtLeastTwenty)
{
    TreeBe tree;
    QFont small = tree.font();
    small.setPixelSize(6);
    tree.setFont(small);
    EXPECT_EQ(tree.LineHeight(), 20);
    QFont large = tree.font();
    large.setPixelSize(40);
    tree.setFont(large);
    EXPECT_GE(tree.LineHeight(), 40);
}

TEST(TreeBe, SetLumi_MovesLightnessWithinFortyAndTwoForty)
{
    EXPECT_EQ(TreeBe::SetLumi(0xFFFFFF, 50), 0xFFFFFF);
    EXPECT_EQ(TreeBe::SetLumi(0x000000, -50), 0x2A2A2A); // lightness 40
    EXPECT_EQ(TreeBe::SetLumi(0x000000, 10), 0x2A2A2A);  // still lifted to 40
    const QColor lighter = colorFromValue(TreeBe::SetLumi(0x0000FF, 60));
    EXPECT_EQ(lighter.red(), 255);
    EXPECT_NEAR(lighter.green(), 128, 2);
    EXPECT_EQ(lighter.green(), lighter.blue());
}

TEST(TreeBe, ManyNodes_ScrollWithTheBarAndTheWheel)
{
    TreeBe tree;
    tree.resize(200, 202);
    for (int i = 0; i < 300; ++i)
        tree.Nodes().AddItem(QString::number(i), QStringLiteral("Folder %1").arg(i));
    tree.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    tree.Refresh();
    QScrollBar *bar = tree.scrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), 300 - 200 / tree.LineHeight());

    const auto turn = [&](int rotation) {
        const QPointF at(50, 50);
        QWheelEvent wheel(at, tree.surface()->mapToGlobal(at), QPoint(), QPoint(0, rotation), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(tree.surface(), &wheel);
    };
    turn(-120);
    EXPECT_EQ(bar->value(), QApplication::wheelScrollLines());
    // Half notches add up to a whole one.
    turn(-60);
    EXPECT_EQ(bar->value(), QApplication::wheelScrollLines());
    turn(-60);
    EXPECT_EQ(bar->value(), 2 * QApplication::wheelScrollLines());
    turn(120);
    EXPECT_EQ(bar->value(), QApplication::wheelScrollLines());
    // The first row shown follows the bar.
    EXPECT_EQ(tree.nodeAt(QPoint(60, 2)), tree.Nodes().nItem(QString::number(bar->value())));

    tree.setDisableWheel(false);
    EXPECT_FALSE(tree.wheel()->isHooked());
    turn(-120);
    EXPECT_EQ(bar->value(), QApplication::wheelScrollLines());
    tree.setDisableWheel(true);
    turn(-120);
    EXPECT_EQ(bar->value(), 2 * QApplication::wheelScrollLines());
}

TEST(TreeBe, Clear_EmptiesTheTree)
{
    TreeBe tree;
    tree.Nodes().AddItem("a", "a");
    tree.Nodes().AddItem("a1", "a1", "a");
    tree.Clear();
    EXPECT_EQ(tree.Nodes().Count(), 1);
    EXPECT_EQ(tree.nodeAt(QPoint(40, 5)), nullptr);
}
