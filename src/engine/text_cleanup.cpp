#include "text_cleanup.h"

#include "text_ops.h"

#include <algorithm>

namespace quillmoth {

using text::kCrLf;

namespace {

constexpr std::u16string_view kTwoCrLf = u"\r\n\r\n";
constexpr std::u16string_view kTwoIdeographicSpaces = u"\u3000\u3000";

// Drops two characters from the front for as long as the text starts with CR.
void dropLeadingCarriageReturns(std::u16string &text)
{
    std::size_t start = 0;
    while (start < text.size() && text[start] == u'\r')
        start += 2;
    text.erase(0, std::min(start, text.size()));
}

// Drops two characters from the end for as long as the text ends with LF.
void dropTrailingLineFeeds(std::u16string &text)
{
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == u'\n')
        end = end >= 2 ? end - 2 : 0;
    text.resize(end);
}

// True when one of the lines numbered 1 to 51 (the first line is 0) is longer
// than 100 characters: such a text has one paragraph per line.
bool hasLongLineNearStart(std::u16string_view text)
{
    std::size_t start = 0;
    for (int index = 0; index <= 51; ++index) {
        const std::size_t end = text.find(kCrLf, start);
        const std::size_t length = (end == std::u16string_view::npos ? text.size() : end) - start;
        if (index >= 1 && length > 100)
            return true;
        if (end == std::u16string_view::npos)
            return false;
        start = end + kCrLf.size();
    }
    return false;
}

bool anyLongerThan(const std::vector<std::u16string_view> &parts, std::size_t length)
{
    return std::any_of(parts.begin(), parts.end(),
                       [length](std::u16string_view part) { return part.size() > length; });
}

bool endsParagraph(std::u16string_view line)
{
    return !line.empty() && (line.back() == u'!' || line.back() == u'.' || line.back() == u'"');
}

bool namesChapter(std::u16string_view line)
{
    return text::findInUpperCased(line, u"CHAPTER") != std::u16string_view::npos;
}

// Joins lines as Book_JoinParagraphsWest does, without copying each line first.
std::u16string joinParagraphs(const std::vector<std::u16string_view> &lines)
{
    std::size_t size = 0;
    for (auto line : lines)
        size += line.size() + 5;
    std::u16string joined;
    joined.reserve(size);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            joined += u' ';
        if (namesChapter(lines[i])) {
            joined += u"^^";
            joined += lines[i];
            joined += u"^^";
        } else {
            joined += lines[i];
            if (endsParagraph(lines[i]))
                joined += u"^^";
        }
    }
    return text::replaceAll(joined, u"^^", kTwoCrLf);
}

} // namespace

std::u16string normalizeLineEnds(std::u16string text)
{
    if (text::contains(text, kCrLf))
        return text;
    if (text.find(u'\n') != std::u16string::npos)
        return text::replaceAll(text, u"\n", kCrLf);
    if (text.find(u'\r') != std::u16string::npos)
        return text::replaceAll(text, u"\r", kCrLf);
    return text;
}

std::u16string Book_CleanTextChST(std::u16string text)
{
    text = normalizeLineEnds(std::move(text));
    if (text::contains(text, kTwoIdeographicSpaces))
        text = text::replaceAll(text, kTwoIdeographicSpaces, u"");
    dropLeadingCarriageReturns(text);
    dropTrailingLineFeeds(text);
    text::collapseRuns(text, kCrLf, 3);
    if (!hasLongLineNearStart(text))
        text::collapseRuns(text, kCrLf, 2);
    text::removeAll(text, u' ');
    return text;
}

std::u16string Book_CleanTextWest01(std::u16string text, bool reformat)
{
    text = normalizeLineEnds(std::move(text));
    if (!reformat)
        return text;
    text = text::replaceAll(text, u" \r\n", kCrLf);
    dropLeadingCarriageReturns(text);
    text::collapseRuns(text, kCrLf, 3);
    text::collapseRuns(text, u" ", 3);

    bool blankLineText = false;
    bool shortLines = false;
    if (text::contains(text, kTwoCrLf)) {
        blankLineText = true;
        shortLines = true;
        const std::vector<std::u16string_view> blocks = text::split(text, kTwoCrLf);
        if (std::any_of(blocks.begin(), blocks.end(), [](std::u16string_view block) {
                return block.size() > 400 && !text::contains(block, kCrLf);
            }))
            shortLines = false;
        const std::vector<std::u16string_view> lines = text::split(text, kCrLf);
        const double ratio = double(lines.size() - 1) / double(blocks.size() - 1);
        if (ratio > 20) {
            blankLineText = false;
            if (anyLongerThan(lines, 120))
                shortLines = false;
        }
        if (!blankLineText && shortLines)
            return joinParagraphs(blocks);
    } else {
        const std::vector<std::u16string_view> lines = text::split(text, kCrLf);
        shortLines = !anyLongerThan(lines, 120);
        if (shortLines)
            return joinParagraphs(lines);
    }

    if (!blankLineText && !shortLines)
        return text::replaceAll(text, kCrLf, kTwoCrLf);
    if (blankLineText && shortLines) {
        const std::u16string joined = text::replaceAll(text, kTwoCrLf, kCrLf);
        return joinParagraphs(text::split(joined, kCrLf));
    }
    return text;
}

std::u16string Book_JoinParagraphsWest(std::vector<std::u16string> &lines)
{
    for (auto &line : lines) {
        if (namesChapter(line))
            line = u"^^" + line + u"^^";
        else if (endsParagraph(line))
            line += u"^^";
    }
    const std::vector<std::u16string_view> marked(lines.begin(), lines.end());
    return text::replaceAll(text::join(marked, u" "), u"^^", kTwoCrLf);
}

} // namespace quillmoth
