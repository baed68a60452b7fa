#include "engine/text_metrics.h"

#include "engine/book.h"
#include "text/text_paths.h"

#include "test_support.h"

#include <gtest/gtest.h>

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
    double width(std::u16string_view text) const override { return measure(text, 0); }
    double height(std::u16string_view text) const override { return measure(text, 1); }

    // Every text measured so far.
    mutable std::set<std::u16string, std::less<>> measured;
    mutable int measurements = 0;

private:
    double measure(std::u16string_view text, int dimension) const
    {
        ++measurements;
        measured.emplace(text);
        for (std::size_t i = 0; i < kEngineMeasuredTexts.size(); ++i) {
            if (kEngineMeasuredTexts[i] == text)
                return dimension == 0 ? 13.0 + 7.0 * double(i) * double(text.size()) : 15.5 + double(i);
        }
        ADD_FAILURE() << "the engine measured a text it does not list, of " << text.size()
                      << " units";
        return 10;
    }
};

struct Case {
    const char *name;
    std::u16string text;
    bool fromFile;
    BookSettings settings;
};

BookSettings with(bool reformat, bool chapters, bool illustrations, int width = 600)
{
    BookSettings settings = page(width, 900);
    settings.ReformatParagraphs = reformat;
    settings.ListUpChapters = chapters;
    settings.IllustrationsOn = illustrations;
    return settings;
}

std::vector<Case> cases()
{
    const std::u16string chineseText = chineseBook(6);
    const std::u16string westernText = westernBook(3);
    std::vector<Case> all;
    for (const bool on : {false, true}) {
        const BookSettings settings = with(on, on, on);
        all.push_back({"Chinese file", chineseText, true, settings});
        all.push_back({"Western file", westernText, true, settings});
        all.push_back({"Chinese clipboard", chineseText, false, settings});
        all.push_back({"Western clipboard", westernText, false, settings});
    }
    all.push_back({"short Western", u"Hello world", false, with(true, true, true)});
    all.push_back({"short Chinese", chinese(30), false, with(true, true, true)});
    all.push_back({"empty", u"", true, with(true, true, false)});
    all.push_back({"narrow Western", westernText, false, with(true, true, true, 40)});
    all.push_back({"narrow Chinese", chineseText, false, with(true, true, true, 40)});
    return all;
}

Book create(const Case &c, const TextMetrics &metrics, const ScratchFolder &folder)
{
    const FakeBookmarks bookmarks(u"Book", {{u"BM1", u"30,-19004"}, {u"BM3", u"900,65"}});
    if (!c.fromFile)
        return Book_CreatBOOK(c.text, true, c.settings, metrics, gbk(), nullptr);
    const std::u16string path = text::textFromPath(folder.write("Book.txt", gbkBytes(c.text)));
    return Book_CreatBOOK(path, false, c.settings, metrics, gbk(), &bookmarks);
}

} // namespace

// Book creation measures the listed texts, all of them and nothing else;
// recorded metrics measure each once, answer NaN for any other, and lay out
// every book as the metrics they recorded.
TEST(RecordedTextMetrics, GiveTheBookTheMetricsTheyRecordedGive)
{
    const ScratchFolder folder;
    const ListedTextsOnly listed;
    for (const Case &c : cases())
        EXPECT_EQ(create(c, listed, folder).Error, EngineError::None) << c.name;
    EXPECT_EQ(listed.measured.size(), kEngineMeasuredTexts.size());

    const FixedTextMetrics fixed(7, 15, 17);
    for (const TextMetrics *source : {static_cast<const TextMetrics *>(&listed),
                                      static_cast<const TextMetrics *>(&fixed)}) {
        const RecordedTextMetrics recorded(*source);
        const RecordedTextMetrics copy = recorded;
        for (const Case &c : cases()) {
            SCOPED_TRACE(c.name);
            const Book expected = create(c, *source, folder);
            EXPECT_EQ(create(c, recorded, folder), expected);
            EXPECT_EQ(create(c, copy, folder), expected);
        }
    }
    const ListedTextsOnly counted;
    const RecordedTextMetrics recorded(counted);
    EXPECT_EQ(counted.measurements, int(2 * kEngineMeasuredTexts.size()));
    EXPECT_TRUE(std::isnan(recorded.width(u"的的")));
    EXPECT_TRUE(std::isnan(recorded.height(u"")));
}
