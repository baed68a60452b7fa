#include "book_json.h"

#include "engine/book.h"

#include <charconv>
#include <cstdio>

namespace quillmoth {
namespace {

void appendUtf8(std::string &out, char32_t c)
{
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

void appendEscape(std::string &out, char16_t unit)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "\\u%04x", unsigned(unit));
    out += buffer;
}

template <typename Number>
std::string number(Number value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

void appendStringArray(std::string &out, const std::vector<std::u16string_view> &items)
{
    if (items.empty()) {
        out += "[]";
        return;
    }
    out += "[\n";
    for (std::size_t i = 0; i < items.size(); ++i) {
        out += "    ";
        out += jsonString(items[i]);
        out += i + 1 < items.size() ? ",\n" : "\n";
    }
    out += "  ]";
}

template <typename Items, typename Format>
void appendArray(std::string &out, const Items &items, Format format)
{
    if (items.empty()) {
        out += "[]";
        return;
    }
    out += "[";
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += ", ";
        out += format(i);
    }
    out += "]";
}

} // namespace

std::string jsonString(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        switch (unit) {
        case u'"': out += "\\\""; continue;
        case u'\\': out += "\\\\"; continue;
        case u'\n': out += "\\n"; continue;
        case u'\r': out += "\\r"; continue;
        case u'\t': out += "\\t"; continue;
        case u'\b': out += "\\b"; continue;
        case u'\f': out += "\\f"; continue;
        default: break;
        }
        if (unit < 0x20) {
            appendEscape(out, unit);
        } else if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() &&
                   text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            appendUtf8(out, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00));
            ++i;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            appendEscape(out, unit);
        } else {
            appendUtf8(out, unit);
        }
    }
    out += '"';
    return out;
}

std::string bookToJson(const Book &book, IncludeText includeText)
{
    std::string out = "{\n";
    const auto field = [&](std::string_view name, const std::string &value, bool last = false) {
        out += "  \"";
        out += name;
        out += "\": ";
        out += value;
        out += last ? "\n" : ",\n";
    };
    field("bookFileName", jsonString(book.BookFileName));
    field("encoding", book.DetectedEncoding ? number(*book.DetectedEncoding) : "null");
    field("isCJK", book.IsCJK ? "true" : "false");
    field("charsPerLine", number(book.CharsPerLine));
    field("linesPerPage", number(book.LinesPerPage));
    field("avgCharWidth", book.IsCJK ? "null" : number(book.AvgCharWidth));
    field("illustrationTop", number(book.IllustrationTop));
    field("pageCount", number(book.PageCount));

    std::vector<std::u16string_view> pages;
    for (int page = 1; page <= book.PageCount; ++page)
        pages.push_back(book.Pages.page(page));
    std::string pagesJson;
    appendStringArray(pagesJson, pages);
    field("pages", pagesJson);

    std::string chapters;
    appendArray(chapters, book.ChapterTitles, [&](std::size_t i) {
        const std::int32_t page = i < book.ChapterPages.size() ? book.ChapterPages[i] : 0;
        return "{\"title\": " + jsonString(book.ChapterTitles[i]) + ", \"page\": " +
               number(page) + "}";
    });
    field("chapters", chapters);

    std::string bookmarks;
    appendArray(bookmarks, book.Bookmarks, [&](std::size_t i) {
        return "{\"position\": " + number(book.Bookmarks[i].Position) +
               ", \"charCode\": " + jsonString(book.Bookmarks[i].CharCode) + "}";
    });
    field("bookmarks", bookmarks);

    std::string bookmarkPages;
    appendArray(bookmarkPages, book.BookmarkPages,
                [&](std::size_t i) { return number(book.BookmarkPages[i]); });
    field("bookmarkPages", bookmarkPages);
    field("bookmarkCount", number(book.BookmarkCount));
    const bool withText = includeText == IncludeText::Yes;
    field("error", number(int(book.Error)), !withText);
    if (withText)
        field("text", jsonString(book.BookText), true);
    out += "}\n";
    return out;
}

} // namespace quillmoth
