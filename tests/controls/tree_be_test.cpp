#include "controls/tree_be.h"

#include <QApplication>
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

// A left click selects, toggles and is told with its node; the right button
// is told but changes nothing; a press below the rows is not told.
TEST_F(TreeBeTest, Click_SelectsAndToggles_OtherPressesDoNot)
{
    QSignalSpy clicks(&tree, &TreeBe::nodeClick);
    press("books", Qt::RightButton);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks[0][1].value<Qt::MouseButton>(), Qt::RightButton);
    EXPECT_EQ(tree.selectedNode(), nullptr);
    EXPECT_EQ(shownKeys(), (Keys{"books", "music"}));
    QTest::mouseClick(tree.surface(), Qt::LeftButton, {}, QPoint(60, 180));
    EXPECT_EQ(clicks.count(), 1);

    press("books");
    EXPECT_EQ(tree.selectedNode(), node("books"));
    EXPECT_EQ(clicks.last()[0].value<ClsNode *>(), node("books"));
    press("books/novels");
    EXPECT_FALSE(node("books")->Selected());
    EXPECT_EQ(tree.OldSel(), node("books"));
    EXPECT_EQ(shownKeys(), (Keys{"books", "books/novels", "books/novels/old", "books/poems", "music"}));
    press("books");
    EXPECT_EQ(shownKeys(), (Keys{"books", "music"}));
    press("books"); // novels stayed open, so its child shows again
    EXPECT_EQ(shownKeys().size(), 5u);
}

// The selection and the expand glyph are drawn; removing the selection or
// the whole tree leaves no stale pointer behind.
TEST_F(TreeBeTest, SelectionIsDrawn_AndRemovingItLeavesNoStalePointer)
{
    press("books");
    const QImage image = picture();
    const QRect row = tree.rowRect(node("books"));
    EXPECT_NE(image.pixelColor(image.width() - 4, row.bottom() - 1),
              image.pixelColor(image.width() - 4, middle("music")));
    EXPECT_LT(image.pixelColor(node("books")->indent() - 12, row.top() + tree.LineHeight() / 2).lightness(), 100);

    press("books/novels");
    ASSERT_TRUE(tree.Nodes().Remove("books/novels"));
    EXPECT_EQ(tree.OldSel(), nullptr);
    EXPECT_EQ(tree.selectedNode(), nullptr);
    EXPECT_FALSE(picture().isNull());
    tree.Clear();
    EXPECT_EQ(tree.nodeAt(QPoint(40, 5)), nullptr);
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

    // Unhooked, the wheel leaves the tree alone.
    tree.setDisableWheel(false);
    EXPECT_EQ(turn(-120), notch);
    tree.setDisableWheel(true);
    EXPECT_EQ(turn(-120), 2 * notch);
}
