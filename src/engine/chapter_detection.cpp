#include "chapter_detection.h"

#include "text/text_ops.h"

#include <array>

namespace quillmoth {
namespace {

constexpr std::size_t npos = std::u16string_view::npos;

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool isCapital(char16_t c) { return c >= u'A' && c <= u'Z'; }

// The character at a 0-based index, or 0 when there is none.
char16_t at(std::u16string_view text, std::size_t index)
{
    return index < text.size() ? text[index] : u'\0';
}

// A line of fewer than 8 characters that starts with one of V, I, X and ends
// with a matching letter: VI, IV, XI, XV, XX and longer numerals, never a lone
// letter.
bool isShortRomanNumeral(std::u16string_view line)
{
    if (line.size() >= 8 || line.size() < 2)
        return false;
    constexpr std::array<std::pair<char16_t, char16_t>, 5> kForms = {
        {{u'V', u'I'}, {u'I', u'V'}, {u'X', u'I'}, {u'X', u'V'}, {u'X', u'X'}}};
    for (const auto &[first, last] : kForms) {
        if (line.front() == first && line.back() == last)
            return true;
    }
    return false;
}

} // namespace

std::u16string Book_FindChapterChST(std::u16string_view text)
{
    const std::size_t start = text::find(text, u'第');
    if (start == npos)
        return {};
    const std::u16string_view head = text.substr(start, 20);

    std::size_t marker = npos;
    for (char16_t kind : {u'章', u'回', u'卷', u'节'}) {
        if (head.find(kind, 1) != npos) {
            marker = text.find(kind, start + 1);
            break;
        }
    }
    if (marker == npos || marker - start >= 40)
        return {};

    std::u16string title(text.substr(start, marker - start + 1));
    if (marker + 1 >= text.size())
        return title;
    const char16_t next = text[marker + 1];
    if (next != u' ' && next != u'\n' && next != u'\r' && next != text::kIdeographicSpace)
        return {};
    if (next == u'\r')
        return title;

    // The heading may carry a name up to its line end; the search starts four
    // characters past the marker, so a one-character name is not taken.
    const std::size_t lineEnd = text::find(text, text::kCrLf, marker + 4);
    if (lineEnd != npos && lineEnd - start < 20)
        title = std::u16string(text.substr(start, lineEnd - start));
    return title;
}

std::u16string ExtractLine(std::u16string_view text)
{
    const std::size_t word = text::findInUpperCased(text, u"CHAPTER");
    if (word == npos)
        return {};
    // The word must begin the text or a line (one character may stand before it).
    if (word > 1 && text[word - 2] != u'\r')
        return {};
    const std::size_t afterWord = word + 7;
    if (afterWord >= text.size())
        return {};
    const char16_t next = text[afterWord];
    if (!(next == u'A' || next == u' ' || next == u'Z' || isDigit(next)))
        return {};
    const std::size_t lineEnd = text::find(text, text::kCrLf, word + 8);
    if (lineEnd == npos)
        return {};
    return std::u16string(text.substr(word, lineEnd - word));
}

bool SubTitleE(std::u16string_view line)
{
    if (isShortRomanNumeral(line))
        return true;
    const std::size_t word = text::findInUpperCased(line, u"CHAPTER");
    if (word != npos) {
        char16_t next = at(line, word + 7);
        if (next == u' ')
            next = at(line, word + 8);
        return next != u'\0' && (isCapital(next) || isDigit(next));
    }
    if (text::findInUpperCased(line.substr(0, 7), u"SECTION") == 0) {
        char16_t next = at(line, 8);
        if (next == u' ')
            next = at(line, 9);
        return next != u'\0' && (isCapital(next) || isDigit(next));
    }
    return false;
}

} // namespace quillmoth
