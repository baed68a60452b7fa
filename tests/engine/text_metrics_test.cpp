#include "engine/text_metrics.h"

#include "engine/book.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

// Measures the engine's listed texts, each by numbers of its own, and fails the
// test on any other text: an engine change that measures something new must
// add it to kEngineMeasuredTexts, or recorded metrics would not know it.
class ListedTextsOnly final : public TextMetrics {
public:
    double width(std::u16string_view text) const override { return 13.0 + 7.0 * double(index(text) * text.size()); }
    double height(std::u16string_view text) const override { return 15.5 + double(index(text)); }

    // Every text measured so far.
    mutable std::set<std::u16string, std::less<>> measured;
    mutable int measurements = 0;

private:
    std::size_t index(std::u16string_view text) const
    {
        ++measurements;
        measured.emplace(text);
        const auto found = std::ranges::find(kEngineMeasuredTexts, text);
        EXPECT_NE(found, kEngineMeasuredTexts.end()) << "the engine measured a text it does not list";
        return std::size_t(found - kEngineMeasuredTexts.begin());
    }
};

// Books in both layouts, short and long, wide and narrow, with every option
// off and on: what the engine measures depends on nothing else.
std::vector<std::pair<std::u16string, BookSettings>> cases()
{
    std::vector<std::pair<std::u16string, BookSettings>> all;
    for (const std::u16string &text : {chineseBook(6), westernBook(3), chinese(30), std::u16string(u"Hello world"), std::u16string()})
        for (const int width : {600, 40})
            for (const bool on : {false, true}) {
                BookSettings settings = page(width, 900);
                settings.ReformatParagraphs = settings.ListUpChapters = settings.IllustrationsOn = on;
                all.emplace_back(text, settings);
            }
    return all;
}

} // namespace

// Book creation measures the listed texts, all of them and nothing else;
// recorded metrics measure each once, answer NaN for any other, and lay out
// every book as the metrics they recorded.
TEST(RecordedTextMetrics, GiveTheBookTheMetricsTheyRecordedGive)
{
    const ListedTextsOnly listed;
    for (const auto &c : cases())
        EXPECT_EQ(layOut(c.first, c.second, listed).Error, EngineError::None);
    EXPECT_EQ(listed.measured.size(), kEngineMeasuredTexts.size());

    const FixedTextMetrics fixed(7, 15, 17);
    for (const TextMetrics *source : std::initializer_list<const TextMetrics *>{&listed, &fixed}) {
        const RecordedTextMetrics recorded(*source);
        const RecordedTextMetrics copy = recorded;
        checkEachCase(cases(), [&](const auto &c) {
            const Book expected = layOut(c.first, c.second, *source);
            EXPECT_EQ(layOut(c.first, c.second, recorded), expected);
            EXPECT_EQ(layOut(c.first, c.second, copy), expected);
        });
    }
    const ListedTextsOnly counted;
    const RecordedTextMetrics recorded(counted);
    EXPECT_EQ(counted.measurements, int(2 * kEngineMeasuredTexts.size()));
    EXPECT_TRUE(std::isnan(recorded.width(u"的的")));
    EXPECT_TRUE(std::isnan(recorded.height(u"")));
}
