#include "text_cleanup.h"

#include "text/text_ops.h"

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
        const std::size_t end = text::find(text, kCrLf, start);
        const std::size_t length = (end == std::u16string_view::npos ? text.size() : end) - start;
        if (index >= 1 && length > 100)
            return true;
        if (end == std::u16string_view::npos)
            return false;
        start = end + kCrLf.size();
    }
    return false;
}

bool endsParagraph(std::u16string_view line)
{
    return !line.empty() && (line.back() == u'!' || line.back() == u'.' || line.back() == u'"');
}

bool namesChapter(std::u16string_view line)
{
    return text::findInUpperCased(line, u"CHAPTER") != std::u16string_view::npos;
}

// Joins the parts of a text split at `separator` as Book_JoinParagraphsWest
// does. Without a "^" in the text the marks can only be the ones added here,
// so they are written as line ends at once; otherwise the text is marked and
// then replaced, exactly as the two steps read.
std::u16string joinParagraphs(std::u16string_view text, std::u16string_view separator)
{
    const bool marksAreOurs = text::find(text, u'^') == std::u16string_view::npos;
    const std::u16string_view mark = marksAreOurs ? kTwoCrLf : std::u16string_view(u"^^");
    std::u16string joined;
    text::reserveBulk(joined, text.size() + text.size() / 8 + 16);
    bool first = true;
    text::forEachPart(text, separator, [&](std::u16string_view line) {
        if (!first)
            joined += u' ';
        first = false;
        if (namesChapter(line)) {
            joined += mark;
            joined += line;
            joined += mark;
        } else {
            joined += line;
            if (endsParagraph(line))
                joined += mark;
        }
    });
    if (!marksAreOurs)
        return text::replaceAll(joined, u"^^", kTwoCrLf);
    return joined;
}

// What the Western clean-up needs to know of its lines, and of its blocks
// (the parts between empty lines).
struct TextShape {
    std::size_t lines = 0;
    std::size_t blocks = 0;
    bool lineLongerThan120 = false;
    bool singleLineBlockLongerThan400 = false;
};

// One pass over the lines. The text has no run of three line ends and does not
// start with one, so every CR LF CR LF is an empty line between two others,
// and the blocks are the runs of lines between such empty lines.
TextShape shapeOf(std::u16string_view text)
{
    TextShape shape;
    std::size_t blockLines = 0;
    std::size_t blockLength = 0;
    const auto closeBlock = [&] {
        ++shape.blocks;
        if (blockLines == 1 && blockLength > 400)
            shape.singleLineBlockLongerThan400 = true;
        blockLines = 0;
    };
    std::size_t start = 0;
    while (!text.empty()) {
        const std::size_t end = text::find(text, kCrLf, start);
        const std::size_t length = (end == std::u16string_view::npos ? text.size() : end) - start;
        const bool last = end == std::u16string_view::npos;
        ++shape.lines;
        if (length > 120)
            shape.lineLongerThan120 = true;
        if (length == 0 && shape.lines > 1 && !last) {
            closeBlock();
        } else {
            ++blockLines;
            blockLength = length;
        }
        if (last) {
            closeBlock();
            break;
        }
        start = end + kCrLf.size();
    }
    return shape;
}

} // namespace

std::u16string normalizeLineEnds(std::u16string text)
{
    if (text::contains(text, kCrLf))
        return text;
    if (text::find(text, u'\n') != std::u16string::npos)
        return text::replaceAll(text, u"\n", kCrLf);
    if (text::find(text, u'\r') != std::u16string::npos)
        return text::replaceAll(text, u"\r", kCrLf);
    return text;
}

std::u16string Book_CleanTextChST(std::u16string text)
{
    text = normalizeLineEnds(std::move(text));
    text::replaceAllInPlace(text, kTwoIdeographicSpaces, u"");
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
    std::u16string spare;
    return Book_CleanTextWest01(std::move(text), reformat, spare);
}

std::u16string Book_CleanTextWest01(std::u16string text, bool reformat, std::u16string &spare)
{
    text = normalizeLineEnds(std::move(text));
    if (!reformat)
        return text;
    text::replaceAllInPlace(text, u" \r\n", kCrLf);
    dropLeadingCarriageReturns(text);
    text::collapseRuns(text, kCrLf, 3);
    text::collapseRuns(text, u" ", 3);

    // Classify: empty lines or not, short lines or not.
    bool blankLineText = false;
    bool shortLines = false;
    const bool hasEmptyLines = text::contains(text, kTwoCrLf);
    const TextShape shape = shapeOf(text);
    if (hasEmptyLines) {
        blankLineText = true;
        shortLines = true;
        if (shape.singleLineBlockLongerThan400)
            shortLines = false;
        const double ratio = double(shape.lines - 1) / double(shape.blocks - 1);
        if (ratio > 20) {
            blankLineText = false;
            if (shape.lineLongerThan120)
                shortLines = false;
        }
    } else {
        shortLines = !shape.lineLongerThan120;
    }

    if (!blankLineText && shortLines) {
        std::u16string joined = joinParagraphs(text, hasEmptyLines ? kTwoCrLf : kCrLf);
        spare = std::move(text);
        return joined;
    }
    if (!blankLineText && !shortLines)
        return text::replaceAll(text, kCrLf, kTwoCrLf);
    if (shortLines) {
        text::replaceAllInPlace(text, kTwoCrLf, kCrLf);
        std::u16string joined = joinParagraphs(text, kCrLf);
        spare = std::move(text);
        return joined;
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
