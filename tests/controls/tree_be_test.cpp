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

using Keys = std::vector<QString>;

// A shown tree with a small folder hierarchy:
//   books / novels / old, books / poems, music
class TreeBeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.resize(220, 200);
        tree.setSelectedBackColor(0x00C000);
        for (const char *path : {"books", "books/novels", "books/novels/old", "books/poems", "music"}) {
            const QString key(path);
            tree.Nodes().AddItem(key, key.section('/', -1), key.section('/', 0, -2));
        }
        tree.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
        tree.Refresh();
    }

    ClsNode *node(const char *key) { return tree.Nodes().nItem(QString(key)); }
    int middle(const char *key) { return tree.rowRect(node(key)).center().y(); }

    void press(const char *key, Qt::MouseButton button = Qt::LeftButton)
    {
        ASSERT_FALSE(tree.rowRect(node(key)).isEmpty()) << key << " is not shown";
        QTest::mouseClick(tree.surface(), button, {}, QPoint(node(key)->indent() + 30, middle(key)));
    }

    Keys shownKeys()
    {
        Keys keys;
        for (const ClsNode &each : tree.Nodes())
            if (each.ItemNum() > 1 && each.Visable())
                keys.push_back(each.key());
        return keys;
    }

    QImage picture() { return tree.surface()->grab().toImage(); }

    TreeBe tree;
};

} // namespace

TEST_F(TreeBeTest, Click_SelectsAndToggles_WithEventsInOrder_AndOtherPressesDoNot)
{
    std::vector<int> order;
    QObject::connect(&tree, &TreeBe::beforeClick, [&] { order.push_back(5); });
    QObject::connect(&tree, &TreeBe::nodeCollapse, [&] { order.push_back(2); });
    QObject::connect(&tree, &TreeBe::nodeExpand, [&] { order.push_back(3); });
    QObject::connect(&tree, &TreeBe::nodeClick, [&] { order.push_back(1); });
    QSignalSpy clicks(&tree, &TreeBe::nodeClick);

    // The right button is told but neither selects nor expands.
    press("books", Qt::RightButton);
    EXPECT_EQ(order, (std::vector<int>{5, 1}));
    EXPECT_EQ(clicks[0][1].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(tree.selectedNode(), nullptr);
    // Below the rows only beforeClick is raised.
    QTest::mouseClick(tree.surface(), Qt::LeftButton, {}, QPoint(60, 180));
    EXPECT_EQ(order, (std::vector<int>{5, 1, 5}));

    order.clear();
    press("books");
    EXPECT_EQ(order, (std::vector<int>{5, 3, 1}));
    EXPECT_EQ(tree.selectedNode(), node("books"));
    EXPECT_EQ(clicks.last()[0].value<ClsNode *>(), node("books"));
    press("books/novels");
    EXPECT_FALSE(node("books")->Selected());
    EXPECT_EQ(tree.OldSel(), node("books"));
    EXPECT_EQ(shownKeys(), (Keys{"books", "books/novels", "books/novels/old", "books/poems", "music"}));

    order.clear();
    press("books");
    EXPECT_EQ(order, (std::vector<int>{5, 2, 1}));
    EXPECT_EQ(shownKeys(), (Keys{"books", "music"}));
    press("books"); // novels stayed open, so its child shows again
    EXPECT_EQ(shownKeys().size(), 5u);
}

// Removing the selection or the whole tree leaves no stale pointer behind.
TEST_F(TreeBeTest, RemovingTheSelection_ClearsItAndOldSel)
{
    press("books");
    press("books/novels");
    ASSERT_TRUE(tree.Nodes().Remove("books/novels"));
    EXPECT_EQ(tree.OldSel(), nullptr);
    EXPECT_EQ(tree.selectedNode(), nullptr);
    EXPECT_FALSE(picture().isNull());
    tree.Clear();
    EXPECT_EQ(tree.nodeAt(QPoint(40, 5)), nullptr);
}

TEST_F(TreeBeTest, SelectionHoverAndNodeButtons_AreDrawn)
{
    tree.setTreeStyle(0);
    press("music");
    const int right = tree.surface()->width() - 4;
    // Just before the caption: the flat highlight of the classic style.
    EXPECT_EQ(picture().pixelColor(node("music")->indent() + 1, middle("music")), QColor(0, 0xC0, 0));
    EXPECT_EQ(picture().pixelColor(node("books")->indent() + 1, middle("books")), QColor(Qt::white));
    // The gradient style fills the whole row, shading down to the colour.
    tree.setTreeStyle(1);
    EXPECT_EQ(picture().pixelColor(right, tree.rowRect(node("music")).bottom() - 1), QColor(0, 0xC0, 0));

    // Hover is tracked always but drawn only when enabled.
    tree.setHoverBackColor(0x0000FF);
    const QPoint probe(right, middle("books"));
    QTest::mouseMove(tree.surface(), QPoint(80, probe.y()));
    EXPECT_TRUE(node("books")->HoverItem());
    EXPECT_EQ(picture().pixelColor(probe), QColor(Qt::white));
    tree.setEnableHover(true);
    QTest::mouseMove(tree.surface(), QPoint(81, probe.y()));
    EXPECT_GT(picture().pixelColor(probe).red(), 200);
    EXPECT_LT(picture().pixelColor(probe).green(), 200);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(tree.surface(), &leave);
    EXPECT_FALSE(node("books")->HoverItem());
    EXPECT_EQ(picture().pixelColor(probe), QColor(Qt::white));

    // A node button shows its hover picture under the pointer; the mask colour is transparent.
    tree.setEnableHover(false);
    QPixmap normal(12, 12), hover(12, 12);
    normal.fill(Qt::red);
    hover.fill(QColor(0, 255, 0));
    QPainter(&hover).fillRect(0, 0, 12, 6, Qt::blue);
    node("books")->setButtonMaskColor(0x00FF00);
    node("books")->setButtonPictures(normal, hover);
    const QPoint button(right - 6, tree.rowRect(node("books")).top() + 6);
    EXPECT_EQ(picture().pixelColor(button), QColor(Qt::red));
    QTest::mouseMove(tree.surface(), button);
    EXPECT_EQ(picture().pixelColor(button), QColor(Qt::blue));
    EXPECT_EQ(picture().pixelColor(button + QPoint(0, 7)), QColor(Qt::white));
}

TEST_F(TreeBeTest, TreeLinesGlyphsAndRightToLeftCaptions)
{
    press("books");
    const QImage open = picture();
    // The expand glyph of "books" (a boxed minus now) sits left of its indent.
    const int glyphX = node("books")->indent() - 12;
    EXPECT_LT(open.pixelColor(glyphX, tree.rowRect(node("books")).top() + tree.LineHeight() / 2).lightness(), 100);
    // The line from "novels" down to "poems" runs under the middle of books' icon column.
    const int novels = tree.rowRect(node("books/novels")).top();
    const auto lineInk = [&](const QImage &image, int rows) {
        int grey = 0;
        for (int y = novels; y < novels + rows; ++y)
            grey += image.pixelColor(glyphX + 20, y) != QColor(Qt::white);
        return grey;
    };
    EXPECT_GT(lineInk(open, tree.LineHeight()), 3);
    tree.setShowTreeLines(false);
    EXPECT_EQ(lineInk(picture(), 5), 0);

    const auto inkColumns = [&] {
        const QImage image = picture();
        const QRect row = tree.rowRect(node("music"));
        int left = image.width(), right = -1;
        for (int y = row.top(); y <= row.bottom(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (image.pixelColor(x, y).lightness() < 100) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return std::pair(left, right);
    };
    const auto ltr = inkColumns();
    tree.setRightToLeft(true);
    const auto rtl = inkColumns();
    EXPECT_LT(ltr.first, 100);
    EXPECT_GT(rtl.second, tree.surface()->width() - 100);
    EXPECT_GT(rtl.first, ltr.first + 60);
}

TEST(TreeBe, LineHeightAndLightness_HaveTheirFloors)
{
    TreeBe tree;
    QFont font = tree.font();
    font.setPixelSize(6);
    tree.setFont(font);
    EXPECT_EQ(tree.LineHeight(), 20);
    font.setPixelSize(40);
    tree.setFont(font);
    EXPECT_GE(tree.LineHeight(), 40);

    EXPECT_EQ(TreeBe::SetLumi(0xFFFFFF, 50), 0xFFFFFF);
    EXPECT_EQ(TreeBe::SetLumi(0x000000, 10), 0x2A2A2A); // lifted to lightness 40
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

    const int notch = QApplication::wheelScrollLines();
    const auto turn = [&](int rotation) {
        const QPointF at(50, 50);
        QWheelEvent wheel(at, tree.surface()->mapToGlobal(at), QPoint(), QPoint(0, rotation), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(tree.surface(), &wheel);
        return bar->value();
    };
    EXPECT_EQ(turn(-120), notch);
    // Half notches add up to a whole one.
    EXPECT_EQ(turn(-60), notch);
    EXPECT_EQ(turn(-60), 2 * notch);
    EXPECT_EQ(turn(120), notch);
    // The first row shown follows the bar.
    EXPECT_EQ(tree.nodeAt(QPoint(60, 2)), tree.Nodes().nItem(QString::number(notch)));

    tree.setDisableWheel(false);
    EXPECT_FALSE(tree.wheel()->isHooked());
    EXPECT_EQ(turn(-120), notch);
    tree.setDisableWheel(true);
    EXPECT_EQ(turn(-120), 2 * notch);
}
