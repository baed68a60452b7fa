// The clean-ups are written for speed on huge books. These tests hold them to
// a plain, step-by-step rendering of the rules on many random texts, plus the
// cases random texts rarely reach. Their work in parts under a meter is held
// by the text operations' meter test and the book_engine corpus.

#include "engine/text_cleanup.h"
#include "text/text_ops.h"

#include "test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

using namespace quillmoth;
using quillmoth::testing::repeat;

namespace {

using Lines = std::vector<std::u16string>;

std::u16string whileContainsReplace(std::u16string text, std::u16string_view from,
                                    std::u16string_view to)
{
    while (text::contains(text, from))
        text = text::replaceAll(text, from, to);
    return text;
}

// Splitting as the rules mean it: at every separator, an empty text into nothing.
Lines splitText(const std::u16string &text, std::u16string_view separator)
{
    Lines parts;
    if (text.empty())
        return parts;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::u16string::npos;
         start = end + separator.size())
        parts.push_back(text.substr(start, end - start));
    parts.push_back(text.substr(start));
    return parts;
}

std::u16string plainNormalize(std::u16string text)
{
    if (text::contains(text, u"\r\n"))
        return text;
    if (text::contains(text, u"\n"))
        return text::replaceAll(text, u"\n", u"\r\n");
    return text::replaceAll(text, u"\r", u"\r\n");
}

std::u16string plainJoin(Lines lines)
{
    std::u16string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::u16string &line = lines[i];
        std::u16string upper = line;
        std::ranges::transform(upper, upper.begin(), text::toUpper);
        if (text::contains(upper, u"CHAPTER"))
            line = u"^^" + line + u"^^";
        else if (!line.empty() && (line.back() == u'!' || line.back() == u'.' || line.back() == u'"'))
            line += u"^^";
        joined += (i > 0 ? u" " : u"") + line;
    }
    return text::replaceAll(joined, u"^^", u"\r\n\r\n");
}

std::u16string plainCleanWest(std::u16string text, bool reformat)
{
    text = plainNormalize(text);
    if (!reformat)
        return text;
    text = text::replaceAll(text, u" \r\n", u"\r\n");
    while (!text.empty() && text[0] == u'\r')
        text = text.substr(std::min<std::size_t>(2, text.size()));
    text = whileContainsReplace(text, u"\r\n\r\n\r\n", u"\r\n\r\n");
    text = whileContainsReplace(text, u"   ", u"  ");
    bool blank = false, shortLines = false;
    Lines array;
    if (text::contains(text, u"\r\n\r\n")) {
        blank = shortLines = true;
        array = splitText(text, u"\r\n\r\n");
        for (const auto &block : array)
            if (!text::contains(block, u"\r\n") && block.size() > 400)
                shortLines = false;
        const Lines lines = splitText(text, u"\r\n");
        if (double(lines.size() - 1) / double(array.size() - 1) > 20) {
            blank = false;
            shortLines = shortLines && std::ranges::all_of(lines, [](const auto &line) { return line.size() <= 120; });
        }
    } else {
        array = splitText(text, u"\r\n");
        shortLines = std::ranges::all_of(array, [](const auto &line) { return line.size() <= 120; });
    }
    if (!blank)
        return shortLines ? plainJoin(array) : text::replaceAll(text, u"\r\n", u"\r\n\r\n");
    return shortLines ? plainJoin(splitText(text::replaceAll(text, u"\r\n\r\n", u"\r\n"), u"\r\n")) : text;
}

std::u16string plainCleanChST(std::u16string text)
{
    text = plainNormalize(text);
    text = text::replaceAll(text, u"\u3000\u3000", u"");
    while (!text.empty() && text[0] == u'\r')
        text = text.substr(std::min<std::size_t>(2, text.size()));
    while (!text.empty() && text.back() == u'\n')
        text = text.substr(0, text.size() - std::min<std::size_t>(2, text.size()));
    text = whileContainsReplace(text, u"\r\n\r\n\r\n", u"\r\n\r\n");
    const Lines lines = splitText(text, u"\r\n");
    if (std::none_of(lines.begin() + std::min<std::size_t>(1, lines.size()),
                     lines.begin() + std::min<std::size_t>(52, lines.size()),
                     [](const auto &line) { return line.size() > 100; }))
        text = whileContainsReplace(text, u"\r\n\r\n", u"\r\n");
    return text::replaceAll(text, u" ", u"");
}

// Texts made of pieces that hit every branch: short and long lines, runs of
// line ends and spaces, sentence ends, chapter words, marks and indents.
std::u16string randomText(std::mt19937 &random)
{
    static const std::u16string pieces[] = {
        u"\r\n", u"\r\n", u"\r\n\r\n", u"\n", u"\r", u" ", u"   ", u"word", u"the sea ", u".", u"!", u"\"",
        u"^", u"^^", u"Chapter ", u"chapter", u"\u3000", u"\u3000\u3000", u"山水", u"x"};
    std::u16string text;
    const bool longLines = random() % 3 == 0;
    for (int i = int(random() % 120); i > 0; --i) {
        text += pieces[random() % std::size(pieces)];
        if (longLines && random() % 10 == 0)
            text += std::u16string(100 + random() % 350, u'a');
    }
    // Sometimes many lines per empty line.
    return random() % 4 == 0 ? text + repeat(u"line\r\n", 30) : text;
}

} // namespace

TEST(CleanTextEquivalence, WesternAndChineseMatchThePlainRules)
{
    std::mt19937 random(17);
    for (int round = 0; round < 3000; ++round) {
        const std::u16string text = randomText(random);
        for (bool reformat : {false, true})
            ASSERT_EQ(Book_CleanTextWest01(text, reformat), plainCleanWest(text, reformat)) << "round " << round;
        ASSERT_EQ(Book_CleanTextChST(text), plainCleanChST(text)) << "round " << round;
    }
}

// Only lines 1 to 51 (the first is line 0) decide whether a Chinese text has
// one paragraph per line and keeps its single empty lines.
TEST(CleanTextChST, LooksForLongLinesOnlyNearTheStart)
{
    const std::u16string longLine = repeat(u"长", 101);
    const std::u16string atLine51 = repeat(u"短\r\n", 51) + longLine + u"\r\n\r\n乙";
    EXPECT_EQ(Book_CleanTextChST(atLine51), atLine51);
    const std::u16string atLine52 = repeat(u"短\r\n", 52) + longLine;
    EXPECT_EQ(Book_CleanTextChST(atLine52 + u"\r\n\r\n乙"), atLine52 + u"\r\n乙");
}
