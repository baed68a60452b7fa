#include "text/text_ops.h"
#include "text/work_meter.h"

#include "text_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace quillmoth;
using quillmoth::testing::CountingMeter;

// Collapsing runs and splitting into parts are held by the clean-up
// equivalence tests, which render them step by step.

// Replacing makes one left-to-right pass; trimming takes only ASCII spaces;
// upper-casing keeps one unit one unit, so that positions hold, and so does
// comparing without case.
TEST(TextOps, ReplaceTrimAndFoldCase)
{
    EXPECT_EQ(text::replaceAll(u"a  \r\nb", u" \r\n", u"\r\n"), u"a \r\nb");
    EXPECT_EQ(text::replaceAll(u"^^^", u"^^", u"X"), u"X^");
    EXPECT_EQ(text::replaceAll(u"abc", u"", u"X"), u"abc");
    EXPECT_EQ(text::trimSpaces(u"  a b \t "), u"a b \t");
    EXPECT_EQ(text::trimSpaces(u"\u3000a\u3000"), u"\u3000a\u3000");
    EXPECT_EQ(text::toUpper(u'é'), u'É');
    EXPECT_EQ(text::toUpper(u'ß'), u'ß');
    // Names are compared unit by unit (bookmark sections, settings, themes);
    // names equal but for case are ordered by their units, so a listing never
    // changes order.
    struct Case { std::u16string_view a, b; bool equal, less; };
    const Case cases[] = {{u"é", u"É", true, false}, {u"Tales", u"tales2", false, true}, {u"b", u"A", false, false},
                          {u"Σ", u"ς", true, true},   {u"ß", u"SS", false, false},      {u"", u"", true, false},
                          {u"a", u"B", false, true},  {u"ABC", u"abc", true, true},     {u"abc", u"ABC", true, false}};
    for (const Case &c : cases) {
        EXPECT_EQ(text::equalFoldingCase(c.a, c.b), c.equal) << &c - cases;
        EXPECT_EQ(text::lessFoldingCase(c.a, c.b), c.less) << &c - cases;
    }
}

// A meter with a small stride makes every pass work in many small parts, so
// that windows, parts and blocks meet every match and run at their edges.
TEST(TextOps, WithAMeter_EveryOperationGivesTheSameResult)
{
    std::mt19937 random(31);
    const std::u16string pieces[] = {u"\r\n", u"\r\n\r\n\r\n", u" ", u"   ", u"ab", u"\u3000",
                                     u"x", u"\r", u"aaaa"};
    const std::u16string needles[] = {u"\r\n", u" ", u"a", u"\r\n\r\n", u"aaa", u"b\r", u""};
    for (int round = 0; round < 1500; ++round) {
        std::u16string text;
        for (int i = int(random() % 60); i > 0; --i)
            text += pieces[random() % std::size(pieces)];
        const std::u16string &needle = needles[random() % std::size(needles)], &other = needles[random() % std::size(needles)];
        CountingMeter meter(1 + random() % 9);
        SCOPED_TRACE(round);

        const std::size_t from = random() % (text.size() + 2);
        ASSERT_EQ(text::find(text, needle, from, &meter), text::find(text, needle, from));
        ASSERT_EQ(text::find(text, u'\r', from, &meter), text::find(text, u'\r', from));
        ASSERT_EQ(text::count(text, needle, &meter), text::count(text, needle));
        ASSERT_EQ(text::replaceAll(text, needle, other, &meter), text::replaceAll(text, needle, other));
        ASSERT_EQ(text::trimSpaces(text, &meter), text::trimSpaces(text));
        ASSERT_EQ(text::copyOf(text, &meter), text);
        // A change in place, made with the meter and without.
        const auto sameInPlace = [&](auto change) {
            std::u16string plain = text, watched = text;
            change(plain, nullptr);
            change(watched, &meter);
            ASSERT_EQ(watched, plain);
        };
        sameInPlace([&](std::u16string &t, text::WorkMeter *m) { text::replaceAllInPlace(t, needle, other, m); });
        sameInPlace([&](std::u16string &t, text::WorkMeter *m) { text::collapseRuns(t, needle, 2, m); });
        sameInPlace([&](std::u16string &t, text::WorkMeter *m) { text::collapseRuns(t, needle, 3, m); });
        sameInPlace([&](std::u16string &t, text::WorkMeter *m) { text::removeAll(t, u' ', m); });
        sameInPlace([&](std::u16string &t, text::WorkMeter *m) {
            std::vector<std::u16string_view> parts;
            text::forEachPart(t, u"\r\n", [&](std::u16string_view part) { parts.push_back(part); }, m);
            t = text::join(parts, u"|");
        });
        std::u16string shortened = text;
        text::removePrefix(shortened, from, &meter);
        ASSERT_EQ(shortened, text.substr(std::min(from, text.size())));
        ASSERT_TRUE(text.size() <= 40 * meter.stride() || meter.reports > 0);
    }
}

// How often passes report is held by the engine's creation control test, and
// how the meter divides its share among steps only moves the progress bar.
// Work that asks to stop ends the blocks, so a failed check reads no further.
TEST(WorkMeter, ForEachBlockStopsWhenTheWorkAsks)
{
    CountingMeter meter(10);
    int calls = 0;
    text::forEachBlock(&meter, 50, [&](std::size_t, std::size_t) { return ++calls < 3; });
    EXPECT_EQ(calls, 3);
}

namespace quillmoth::text {
namespace {

// The eight-at-a-time searches against the standard library's own, on random
// texts over a small alphabet (so that near matches abound), with line ends,
// at every alignment and every start up to past the end.
TEST(TextOps, VectorSearches_AgreeWithTheStandardFind)
{
    std::mt19937 random(20261208);
    const std::u16string alphabet = u"ab\r\nAé的";
    const auto randomText = [&](std::size_t length) {
        std::u16string text(length, u' ');
        for (char16_t &unit : text)
            unit = alphabet[random() % alphabet.size()];
        return text;
    };
    for (int round = 0; round < 4000; ++round) {
        const std::u16string text = randomText(random() % 70);
        const std::u16string_view view(text);
        std::u16string needle = randomText(random() % 12);
        if (!text.empty() && random() % 2 == 0) {
            // Often a piece of the text itself, so that there is a match.
            const std::size_t start = random() % text.size();
            needle = text.substr(start, random() % 12);
        }
        const std::size_t from = random() % (text.size() + 3);
        SCOPED_TRACE(::testing::Message() << "round " << round << " from " << from);
        ASSERT_EQ(find(view, needle, from), view.find(needle, from));
        if (!needle.empty()) {
            ASSERT_EQ(find(view, needle[0], from), view.find(needle[0], from));
        }
        std::u16string upperText(text), upperNeedle(needle);
        std::ranges::transform(upperText, upperText.begin(), toUpper);
        std::ranges::transform(upperNeedle, upperNeedle.begin(), toUpper);
        ASSERT_EQ(findInUpperCased(view, upperNeedle, from), std::u16string_view(upperText).find(upperNeedle, from));
    }
}

} // namespace
} // namespace quillmoth::text
