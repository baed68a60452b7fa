#include "controls/cls_nodes.h"

#include <gtest/gtest.h>

#include <random>
#include <tuple>

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

// A child goes after its parent's last descendant and is shown at once only
// under an open parent; removal takes the whole subtree; bad keys change nothing.
TEST(ClsNodes, AddAndRemove_KeepDepthFirstOrder_AndRefuseBadKeys)
{
    ClsNodes nodes;
    for (const char *key : {"a", "b"})
        nodes.AddItem(key, key);
    for (const auto &[key, parent] : std::vector<std::pair<QString, QString>>{
             {"a1", "a"}, {"a1x", "a1"}, {"a1xx", "a1x"}, {"a1y", "a1"}, {"a2", "a"}, {"b1", "b"}})
        nodes.AddItem(key, key, parent);
    EXPECT_EQ(keysInOrder(nodes), (std::vector<QString>{"", "a", "a1", "a1x", "a1xx", "a1y", "a2", "b", "b1"}));
    EXPECT_FALSE(nodes.nItem("a1")->Visable());
    nodes.nItem("b")->setExpanded(true);
    EXPECT_TRUE(nodes.AddItem("b2", "b2", "b")->Visable());
    EXPECT_FALSE(nodes.AddItem("b2x", "b2x", "b2")->Visable());
    expectConsistent(nodes);

    ASSERT_TRUE(nodes.Remove("a1"));
    EXPECT_EQ(keysInOrder(nodes), (std::vector<QString>{"", "a", "a2", "b", "b1", "b2", "b2x"}));
    EXPECT_EQ(nodes.nItem("a1y"), nullptr);
    EXPECT_EQ(nodes.nItem("a")->AllChildren(), 1);
    EXPECT_FALSE(nodes.Remove("a1"));
    EXPECT_FALSE(nodes.Remove(""));
    expectConsistent(nodes);

    EXPECT_EQ(nodes.AddItem("a", "again"), nullptr);
    EXPECT_EQ(nodes.AddItem("", "empty"), nullptr);
    EXPECT_EQ(nodes.AddItem("c", "orphan", "no-such-parent"), nullptr);
    EXPECT_EQ(nodes.Count(), 7);
    EXPECT_EQ(nodes.nItem("a")->Caption(), QString("a"));
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

// A batch leaves the list exactly as the same AddItem calls one by one would,
// and tells the tree once.
TEST(ClsNodes, AddItems_MatchesAddItemOneByOne)
{
    struct BatchCase {
        const char *name;
        std::vector<std::pair<QString, QString>> before; // key, relative
        QString relative;
        std::vector<QString> batch;
        bool expandRelative = false;
    };
    const BatchCase cases[] = {
        {"top level", {{"a", ""}}, "", {"b", "c"}},
        {"deep parent counts every ancestor", {{"a", ""}, {"a1", "a"}, {"a1x", "a1"}, {"b", ""}}, "a1", {"a1y", "a1z"}},
        {"skips empty, taken and repeated keys", {{"a", ""}, {"a1", "a"}}, "a", {"a2", "", "a1", "a2", "a3"}},
        {"shown at once under an open parent", {{"a", ""}, {"a1", "a"}}, "a", {"a2"}, true},
        {"missing relative", {{"a", ""}}, "nobody", {"x"}},
    };
    for (const BatchCase &test : cases) {
        SCOPED_TRACE(test.name);
        ClsNodes batched, single;
        for (ClsNodes *nodes : {&batched, &single}) {
            for (const auto &[key, relative] : test.before)
                nodes->AddItem(key, key, relative);
            if (test.expandRelative)
                nodes->nItem(test.relative)->setExpanded(true);
        }
        int expectedAdded = 0, changes = 0;
        std::vector<ClsNodes::NewNode> batch;
        for (const QString &key : test.batch) {
            expectedAdded += single.AddItem(key, key, test.relative) != nullptr;
            batch.push_back({key, key, {}});
        }
        QObject::connect(&batched, &ClsNodes::changed, [&] { ++changes; });

        EXPECT_EQ(batched.AddItems(test.relative, batch), expectedAdded);
        EXPECT_EQ(changes, expectedAdded > 0 ? 1 : 0);
        ASSERT_EQ(keysInOrder(batched), keysInOrder(single));
        const auto fields = [](const ClsNode *n) {
            return std::tuple(n->ItemNum(), n->Children(), n->AllChildren(), n->Visable(), n->indent(), n->Relative());
        };
        for (int position = 1; position <= single.Count(); ++position)
            EXPECT_EQ(fields(batched.nItem(position)), fields(single.nItem(position))) << position;
        expectConsistent(batched);
    }
}
