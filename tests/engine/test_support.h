#pragma once

#include "engine/book.h"
#include "engine/bookmark_source.h"
#include "engine/text_metrics.h"
#include "text/text_ops.h"

#include "../text/text_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace quillmoth::testing {

// Narrow characters 8 pixels, wide ones 16, lines 18 high.
inline const FixedTextMetrics &fixedMetrics()
{
    static const FixedTextMetrics metrics(8, 16, 18);
    return metrics;
}

inline BookSettings page(int width, int height)
{
    BookSettings settings;
    settings.PageWidth = width;
    settings.PageHeight = height;
    return settings;
}

// Lays out a text as a clipboard book.
inline Book layOut(std::u16string_view text, const BookSettings &settings = {},
                   const TextMetrics &metrics = fixedMetrics())
{
    return Book_CreatBOOK(text, true, settings, metrics, gbk(), nullptr);
}

// The pages of a book, 1 to `last` (PageCount by default).
inline std::vector<std::u16string> pagesOf(const Book &book, int last = -1)
{
    std::vector<std::u16string> pages;
    for (int page = 1; page <= (last < 0 ? book.PageCount : last); ++page)
        pages.emplace_back(book.Pages.page(page));
    return pages;
}

// A text without its spaces and line ends: what pagination must neither lose
// nor duplicate.
inline std::u16string visibleCharacters(std::u16string_view text)
{
    std::u16string visible;
    for (const char16_t c : text)
        if (c != u' ' && c != u'\r' && c != u'\n' && c != u'\u3000')
            visible += c;
    return visible;
}

inline std::u16string repeat(std::u16string_view piece, int times)
{
    std::u16string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// A text of `count` Chinese characters.
inline std::u16string chinese(std::size_t count, char16_t first = u'一')
{
    std::u16string text;
    for (std::size_t i = 0; i < count; ++i)
        text += char16_t(first + (i % 200));
    return text;
}

// Books of chapters with headings, of paragraphs (lines) of growing length.
inline std::u16string chineseBook(int chapters)
{
    std::u16string text;
    for (int chapter = 1; chapter <= chapters; ++chapter) {
        text += u"第" + chinese(2, char16_t(u'一' + chapter)) + u"章 山居\r\n\r\n";
        for (int paragraph = 0; paragraph < 12; ++paragraph)
            text += u"\u3000\u3000" + chinese(30 + paragraph * 9, char16_t(u'一' + paragraph)) + u"\r\n";
    }
    return text;
}

inline std::u16string westernBook(int chapters)
{
    std::u16string text;
    for (int chapter = 1; chapter <= chapters; ++chapter) {
        text += u"CHAPTER " + std::u16string(1, char16_t(u'A' + chapter % 26)) + u"\r\n\r\n";
        for (int line = 0; line < 90; ++line)
            text += repeat(u"the keeper climbs ", 1 + line % 4) + (line % 7 == 6 ? u".\r\n" : u"\r\n");
    }
    return text;
}

inline std::string gbkBytes(std::u16string_view text) { return gbk().encode(text).value(); }

// A bookmark file holding one section with the values of BM1 to BM4.
class FakeBookmarks final : public BookmarkSource {
public:
    FakeBookmarks(std::u16string section, BookmarkValues values) : m_section(std::move(section)), m_values(std::move(values)) {}
    std::optional<BookmarkValues> bookmarkValues(std::u16string_view section) const override
    {
        return section == m_section ? std::optional(m_values) : std::nullopt;
    }

private:
    std::u16string m_section;
    BookmarkValues m_values;
};

} // namespace quillmoth::testing
