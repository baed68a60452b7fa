#include "controls/cls_nodes.h"

#include <gtest/gtest.h>

#include <random>

using namespace quillmoth;

namespace {

std::vector<QString> keysInOrder(const ClsNodes &nodes)
{
    std::vector<QString> keys;
    for (const ClsNode &node : nodes)
        keys.push_back(node.key());
    return keys;
}

// Everything a node list must satisfy after any sequence of changes.
void expectConsistent(const ClsNodes &nodes)
{
    ASSERT_EQ(nodes.nItem(1)->Caption(), QString("First-Hidden-Node"));
    for (int position = 2; position <= nodes.Count(); ++position) {
        const ClsNode *node = nodes.nItem(position);
        EXPECT_EQ(node->ItemNum(), position) << node->key().toStdString();
        EXPECT_EQ(nodes.nItem(node->key()), node);
        // Depth-first: the parent comes earlier, one level up.
        if (const ClsNode *parent = nodes.parentOf(node)) {
            EXPECT_LT(nodes.positionOf(parent), position);
            EXPECT_EQ(node->indent(), parent->indent() + 20);
        } else {
            EXPECT_EQ(node->indent(), 30);
        }
        // The descendants follow directly, and nothing else deeper does.
        int children = 0;
        int end = position + 1;
        for (; end <= nodes.Count() && nodes.nItem(end)->indent() > node->indent(); ++end) {
            if (nodes.parentOf(nodes.nItem(end)) == node)
                ++children;
            else
                EXPECT_GT(nodes.nItem(end)->indent(), node->indent() + 20);
        }
        EXPECT_EQ(node->AllChildren(), end - position - 1) << node->key().toStdString();
        EXPECT_EQ(node->Children(), children) << node->key().toStdString();
    }
}

} // namespace

// A new list and a cleared one hold the hidden root alone.
TEST(ClsNodes, StartsAndClearsToTheHiddenRootOnly)
{
    ClsNodes nodes;
    ASSERT_EQ(nodes.Count(), 1);
    EXPECT_EQ(nodes.nItem(1)->ItemNum(), 1);
    EXPECT_EQ(nodes.nItem(0), nullptr);
    EXPECT_EQ(nodes.nItem(2), nullptr);
    expectConsistent(nodes);
    nodes.AddItem("a", "a");
    nodes.AddItem("a1", "a1", "a");
    nodes.Clear();
    EXPECT_EQ(nodes.Count(), 1);
    EXPECT_EQ(nodes.nItem("a"), nullptr);
    EXPECT_NE(nodes.AddItem("a", "a again"), nullptr);
}

TEST(ClsNodes, AddItem_TopLevelAndChildren_FillCountsAndIndents)
{
    ClsNodes nodes;
    ClsNode *books = nodes.AddItem("/books", "books", "", 0xFFFFFF, 0, {}, "tip", {}, {}, 0xFF00FF);
    ASSERT_NE(books, nullptr);
    EXPECT_TRUE(books->Visable());
    EXPECT_EQ(books->indent(), 30);
    EXPECT_EQ(books->ButtonToolTip(), QString("tip"));
    EXPECT_EQ(books->ButtonMaskColor(), 0xFF00FF);
    ClsNode *novels = nodes.AddItem("/books/novels", "novels", "/books");
    ClsNode *old = nodes.AddItem("/books/novels/old", "old", "/books/novels");
    ASSERT_TRUE(novels && old);
    EXPECT_FALSE(novels->Visable());
    EXPECT_EQ(novels->indent(), 50);
    EXPECT_EQ(old->indent(), 70);
    EXPECT_EQ(books->Children(), 1);
    EXPECT_EQ(books->AllChildren(), 2);
    EXPECT_EQ(novels->AllChildren(), 1);
    // Unset optional fields stay unset.
    EXPECT_EQ(novels->ButtonMaskColor(), kNoColor);
    EXPECT_TRUE(novels->ButtonToolTip().isEmpty());
    // Under an open, shown parent a new child is shown at once; under a
    // closed one it waits.
    books->setExpanded(true);
    EXPECT_TRUE(nodes.AddItem("/books/poems", "poems", "/books")->Visable());
    EXPECT_FALSE(nodes.AddItem("/books/poems/odes", "odes", "/books/poems")->Visable());
    expectConsistent(nodes);
}

// A child goes after its parent's last descendant; removal takes the whole
// subtree, lowers every ancestor's counts and closes the gap.
TEST(ClsNodes, AddItemAfterTheLastDescendant_RemoveTakesTheSubtree)
{
    ClsNodes nodes;
    nodes.AddItem("a", "a");
    nodes.AddItem("b", "b");
    nodes.AddItem("a1", "a1", "a");
    nodes.AddItem("a1x", "a1x", "a1");
    nodes.AddItem("a1xx", "a1xx", "a1x");
    nodes.AddItem("a1y", "a1y", "a1");
    nodes.AddItem("a2", "a2", "a");
    nodes.AddItem("b1", "b1", "b");
    EXPECT_EQ(keysInOrder(nodes),
              (std::vector<QString>{"", "a", "a1", "a1x", "a1xx", "a1y", "a2", "b", "b1"}));
    expectConsistent(nodes);

    ASSERT_TRUE(nodes.Remove("a1x"));
    EXPECT_EQ(nodes.nItem("a")->AllChildren(), 3);
    EXPECT_EQ(nodes.nItem("a1")->AllChildren(), 1);
    expectConsistent(nodes);
    ASSERT_TRUE(nodes.Remove("a1"));
    EXPECT_EQ(keysInOrder(nodes), (std::vector<QString>{"", "a", "a2", "b", "b1"}));
    EXPECT_EQ(nodes.nItem("a1y"), nullptr);
    EXPECT_EQ(nodes.nItem("a")->Children(), 1);
    EXPECT_EQ(nodes.nItem("a")->AllChildren(), 1);
    EXPECT_EQ(nodes.nItem("b")->ItemNum(), 4);
    EXPECT_FALSE(nodes.Remove("a1"));
    EXPECT_FALSE(nodes.Remove(""));
    expectConsistent(nodes);
}

TEST(ClsNodes, AddItem_RefusesBadKeysWithoutChangingAnything)
{
    ClsNodes nodes;
    nodes.AddItem("a", "a");
    EXPECT_EQ(nodes.AddItem("a", "again"), nullptr);
    EXPECT_EQ(nodes.AddItem("", "empty"), nullptr);
    EXPECT_EQ(nodes.AddItem("c", "orphan", "no-such-parent"), nullptr);
    EXPECT_EQ(nodes.Count(), 2);
    EXPECT_EQ(nodes.nItem("a")->Caption(), QString("a"));
    EXPECT_EQ(nodes.nItem("a")->Children(), 0);
}

TEST(ClsNodes, AddItem_WithoutCheckIntegrity_LeavesOldPositionsAlone)
{
    ClsNodes nodes;
    nodes.setCheckIntegrity(false);
    nodes.AddItem("a", "a");
    nodes.AddItem("b", "b");
    ClsNode *child = nodes.AddItem("a1", "a1", "a");
    // a1 now stands at position 3, but b keeps its old number and the new
    // node gets the count.
    EXPECT_EQ(nodes.positionOf(child), 3);
    EXPECT_EQ(child->ItemNum(), 4);
    EXPECT_EQ(nodes.nItem("b")->ItemNum(), 3);
    nodes.setCheckIntegrity(true);
    nodes.AddItem("c", "c");
    EXPECT_EQ(nodes.nItem("b")->ItemNum(), 4);
}

// Random mixes of insertions and removals never break the list.
TEST(ClsNodes, MixedAddAndRemove_KeepTheListConsistent)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        ClsNodes nodes;
        std::vector<QString> live;
        int next = 0;
        for (int step = 0; step < 150; ++step) {
            const int action = std::uniform_int_distribution<int>(0, 9)(random);
            if (action < 7 || live.empty()) {
                QString relative;
                if (!live.empty() && action % 3 != 0)
                    relative = live[std::uniform_int_distribution<std::size_t>(0, live.size() - 1)(random)];
                const QString key = QString::number(next++);
                ASSERT_NE(nodes.AddItem(key, key, relative), nullptr);
                live.push_back(key);
            } else {
                const QString key = live[std::uniform_int_distribution<std::size_t>(0, live.size() - 1)(random)];
                ASSERT_TRUE(nodes.Remove(key));
                std::erase_if(live, [&](const QString &k) { return nodes.nItem(k) == nullptr; });
            }
        }
        EXPECT_EQ(nodes.Count(), int(live.size()) + 1);
        expectConsistent(nodes);
    }
}

namespace {

// A batch for AddItems and what the list held before it.
struct BatchCase {
    const char *name;
    std::vector<std::pair<QString, QString>> before; // key, relative
    QString relative;
    std::vector<QString> batch;
    bool checkIntegrity = true;
    bool expandRelative = false;
};

void build(ClsNodes &nodes, const BatchCase &test)
{
    for (const auto &[key, relative] : test.before)
        nodes.AddItem(key, key, relative);
    if (test.expandRelative)
        nodes.nItem(test.relative)->setExpanded(true);
    nodes.setCheckIntegrity(test.checkIntegrity);
}

} // namespace

// A batch leaves the list exactly as the same AddItem calls one by one would,
// and tells the tree once.
TEST(ClsNodes, AddItems_MatchesAddItemOneByOne)
{
    const std::vector<BatchCase> cases = {
        {"top level", {{"a", ""}}, "", {"b", "c"}},
        {"after the last descendant", {{"a", ""}, {"a1", "a"}, {"a1x", "a1"}, {"b", ""}},
         "a", {"a2", "a3"}},
        {"deep parent counts every ancestor", {{"a", ""}, {"a1", "a"}, {"a1x", "a1"}, {"b", ""}},
         "a1", {"a1y", "a1z"}},
        {"skips empty, taken and repeated keys", {{"a", ""}, {"a1", "a"}}, "a",
         {"a2", "", "a1", "a2", "a3"}},
        {"shown at once under an open parent", {{"a", ""}, {"a1", "a"}}, "a", {"a2"}, true, true},
        {"without renumbering", {{"a", ""}, {"b", ""}}, "a", {"a1", "a2"}, false},
        {"missing relative", {{"a", ""}}, "nobody", {"x"}},
    };
    for (const BatchCase &test : cases) {
        SCOPED_TRACE(test.name);
        ClsNodes batched;
        ClsNodes single;
        build(batched, test);
        build(single, test);
        int expectedAdded = 0;
        for (const QString &key : test.batch)
            expectedAdded += single.AddItem(key, key, test.relative) != nullptr;
        int changes = 0;
        QObject::connect(&batched, &ClsNodes::changed, [&] { ++changes; });
        std::vector<ClsNodes::NewNode> batch;
        for (const QString &key : test.batch)
            batch.push_back({key, key, {}});

        EXPECT_EQ(batched.AddItems(test.relative, batch), expectedAdded);
        EXPECT_EQ(changes, expectedAdded > 0 ? 1 : 0);
        ASSERT_EQ(keysInOrder(batched), keysInOrder(single));
        for (int position = 1; position <= single.Count(); ++position) {
            const ClsNode *want = single.nItem(position);
            const ClsNode *got = batched.nItem(position);
            SCOPED_TRACE(want->key().toStdString());
            EXPECT_EQ(got->ItemNum(), want->ItemNum());
            EXPECT_EQ(got->Children(), want->Children());
            EXPECT_EQ(got->AllChildren(), want->AllChildren());
            EXPECT_EQ(got->Visable(), want->Visable());
            EXPECT_EQ(got->indent(), want->indent());
            EXPECT_EQ(got->Relative(), want->Relative());
        }
        if (test.checkIntegrity)
            expectConsistent(batched);
    }
}
