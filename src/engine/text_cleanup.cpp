#include "text_cleanup.h"

#include "text/text_ops.h"
#include "text/work_meter.h"

#include <algorithm>

namespace quillmoth {

using text::kCrLf;

namespace {

constexpr std::u16string_view kTwoCrLf = u"\r\n\r\n";
constexpr std::u16string_view kTwoIdeographicSpaces = u"\u3000\u3000";

// Drops two characters from the front for as long as the text starts with CR.
void dropLeadingCarriageReturns(std::u16string &text, text::WorkMeter *meter)
{
    text::PassReporter reporter(meter, text.size());
    std::size_t start = 0;
    while (start < text.size() && text[start] == u'\r') {
        start += 2;
        reporter.at(start);
    }
    text::removePrefix(text, start, meter);
}

// Drops two characters from the end for as long as the text ends with LF.
void dropTrailingLineFeeds(std::u16string &text, text::WorkMeter *meter)
{
    text::PassReporter reporter(meter, text.size());
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == u'\n') {
        end = end >= 2 ? end - 2 : 0;
        reporter.at(text.size() - end);
    }
    text.resize(end);
}

// True when one of the lines numbered 1 to 51 (the first line is 0) is longer
// than 100 characters: such a text has one paragraph per line.
bool hasLongLineNearStart(std::u16string_view text, text::WorkMeter *meter)
{
    std::size_t start = 0;
    for (int index = 0; index <= 51; ++index) {
        const std::size_t end = text::find(text, kCrLf, start, meter);
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
std::u16string joinParagraphs(std::u16string_view text, std::u16string_view separator,
                              text::WorkMeter *meter)
{
    const bool marksAreOurs = text::find(text, u'^', 0, meter) == std::u16string_view::npos;
    const std::u16string_view mark = marksAreOurs ? kTwoCrLf : std::u16string_view(u"^^");
    std::u16string joined;
    text::reserveBulk(joined, text.size() + text.size() / 8 + 16);
    text::PassReporter reporter(meter, text.size());
    bool first = true;
    text::forEachPart(
        text, separator,
        [&](std::u16string_view line) {
            const auto position = std::size_t(line.data() - text.data());
            if (!first)
                text::appendPiece(joined, u" ", position, reporter);
            first = false;
            if (namesChapter(line)) {
                text::appendPiece(joined, mark, position, reporter);
                text::appendPiece(joined, line, position, reporter);
                text::appendPiece(joined, mark, position, reporter);
            } else {
                text::appendPiece(joined, line, position, reporter);
                if (endsParagraph(line))
                    text::appendPiece(joined, mark, position, reporter);
            }
        },
        meter);
    if (!marksAreOurs)
        return text::replaceAll(joined, u"^^", kTwoCrLf, meter);
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
TextShape shapeOf(std::u16string_view text, text::WorkMeter *meter)
{
    text::PassReporter reporter(meter, text.size());
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
        const std::size_t end = text::find(text, kCrLf, start, meter);
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
        reporter.at(start);
    }
    return shape;
}

} // namespace

std::u16string normalizeLineEnds(std::u16string text, text::WorkMeter *meter)
{
    // The searches stop at the first find; only a replacement goes through
    // the whole text, so it has most of the share.
    text::MeterSteps steps(meter, {1, 1, 1, 6});
    steps.next();
    if (text::contains(text, kCrLf, meter))
        return text;
    steps.next();
    const bool lineFeeds = text::find(text, u'\n', 0, meter) != std::u16string::npos;
    const char16_t lineEnd = lineFeeds ? u'\n' : u'\r';
    steps.next();
    if (lineEnd == u'\r' && text::find(text, u'\r', 0, meter) == std::u16string::npos)
        return text;
    steps.next();
    return text::replaceAll(text, std::u16string_view(&lineEnd, 1), kCrLf, meter);
}

std::u16string Book_CleanTextChST(std::u16string text, text::WorkMeter *meter)
{
    text::MeterSteps steps(meter, {2, 2, 1, 1, 2, 1, 2, 2});
    steps.next();
    text = normalizeLineEnds(std::move(text), meter);
    steps.next();
    text::replaceAllInPlace(text, kTwoIdeographicSpaces, u"", meter);
    steps.next();
    dropLeadingCarriageReturns(text, meter);
    steps.next();
    dropTrailingLineFeeds(text, meter);
    steps.next();
    text::collapseRuns(text, kCrLf, 3, meter);
    steps.next();
    const bool longLines = hasLongLineNearStart(text, meter);
    steps.next();
    if (!longLines)
        text::collapseRuns(text, kCrLf, 2, meter);
    steps.next();
    text::removeAll(text, u' ', meter);
    return text;
}

std::u16string Book_CleanTextWest01(std::u16string text, bool reformat)
{
    std::u16string spare;
    return Book_CleanTextWest01(std::move(text), reformat, spare);
}

std::u16string Book_CleanTextWest01(std::u16string text, bool reformat, std::u16string &spare,
                                    text::WorkMeter *meter)
{
    text::MeterSteps steps(meter, {2, 2, 1, 2, 2, 1, 2, 3});
    steps.next();
    text = normalizeLineEnds(std::move(text), meter);
    if (!reformat)
        return text;
    steps.next();
    text::replaceAllInPlace(text, u" \r\n", kCrLf, meter);
    steps.next();
    dropLeadingCarriageReturns(text, meter);
    steps.next();
    text::collapseRuns(text, kCrLf, 3, meter);
    steps.next();
    text::collapseRuns(text, u" ", 3, meter);

    // Classify: empty lines or not, short lines or not.
    bool blankLineText = false;
    bool shortLines = false;
    steps.next();
    const bool hasEmptyLines = text::contains(text, kTwoCrLf, meter);
    steps.next();
    const TextShape shape = shapeOf(text, meter);
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

    steps.next();
    if (!blankLineText && shortLines) {
        std::u16string joined = joinParagraphs(text, hasEmptyLines ? kTwoCrLf : kCrLf, meter);
        spare = std::move(text);
        return joined;
    }
    if (!blankLineText && !shortLines)
        return text::replaceAll(text, kCrLf, kTwoCrLf, meter);
    if (shortLines) {
        text::MeterSteps last(meter, {1, 2});
        last.next();
        text::replaceAllInPlace(text, kTwoCrLf, kCrLf, meter);
        last.next();
        std::u16string joined = joinParagraphs(text, kCrLf, meter);
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
