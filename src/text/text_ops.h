#pragma once

#include "text/work_meter.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Small text operations on UTF-16 text that the book procedures and the
// stored files share. Each behaves like the classic string functions the
// rules are written in: replacements make one left-to-right pass, splitting
// an empty text gives no parts, and upper-casing never changes a text's length.
//
// The operations that can run over a whole book take an optional WorkMeter;
// given one, they report to it as they go (see work_meter.h). Their results
// are the same with or without it.
namespace quillmoth::text {

inline constexpr std::u16string_view kCrLf = u"\r\n";
inline constexpr char16_t kIdeographicSpace = u'\u3000';

// The first position at or after `from` holding `unit`, or npos. Faster than
// the standard search, which compares one unit at a time.
std::size_t find(std::u16string_view text, char16_t unit, std::size_t from = 0);

// The first position at or after `from` where `needle` starts, or npos.
std::size_t find(std::u16string_view text, std::u16string_view needle, std::size_t from = 0);

// The same searches, reporting to `meter` across long stretches.
std::size_t find(std::u16string_view text, char16_t unit, std::size_t from, WorkMeter *meter);
std::size_t find(std::u16string_view text, std::u16string_view needle, std::size_t from,
                 WorkMeter *meter);

// Reserves room for a whole book's worth of text. Large buffers are backed by
// huge pages where the system offers them, which spares the page faults that
// otherwise cost more than the work done on the text.
void reserveBulk(std::u16string &text, std::size_t size);

// Replaces every occurrence of `from` in one pass from left to right.
std::u16string replaceAll(std::u16string_view text, std::u16string_view from,
                          std::u16string_view to, WorkMeter *meter = nullptr);

// The same, in place, for a replacement no longer than what it replaces.
void replaceAllInPlace(std::u16string &text, std::u16string_view from, std::u16string_view to,
                       WorkMeter *meter = nullptr);

// Appends `piece`, which starts at `position` of the text the reporter's pass
// is over. With a meter, a long piece is appended in parts with a report after
// each, and a string that must grow is copied over in parts too.
void appendPiece(std::u16string &out, std::u16string_view piece, std::size_t position,
                 PassReporter &reporter);

// A copy of the text; with a meter, made a part at a time.
std::u16string copyOf(std::u16string_view text, WorkMeter *meter);

// Removes the first `count` units of the text, in place.
void removePrefix(std::u16string &text, std::size_t count, WorkMeter *meter = nullptr);

// Calls onPart(part) for each part of the text split at `separator`, left to
// right, without building a list; an empty text has no parts.
template <typename OnPart>
void forEachPart(std::u16string_view text, std::u16string_view separator, OnPart onPart,
                 WorkMeter *meter = nullptr)
{
    if (text.empty())
        return;
    PassReporter reporter(meter, text.size());
    std::size_t start = 0;
    for (std::size_t position = text::find(text, separator, 0, meter);
         position != std::u16string_view::npos;
         position = text::find(text, separator, start, meter)) {
        onPart(text.substr(start, position - start));
        start = position + separator.size();
        reporter.at(start);
    }
    onPart(text.substr(start));
}

// Joins parts with `separator` between them.
std::u16string join(const std::vector<std::u16string_view> &parts, std::u16string_view separator);

// Repeating "replace every `minimumRun` copies of `unit` by `minimumRun` - 1
// copies" until none are left turns every run of at least `minimumRun` copies
// into exactly `minimumRun` - 1 copies; this does it in one pass, in place.
void collapseRuns(std::u16string &text, std::u16string_view unit, std::size_t minimumRun,
                  WorkMeter *meter = nullptr);

// Removes every occurrence of one character, in place.
void removeAll(std::u16string &text, char16_t character, WorkMeter *meter = nullptr);

// Removes leading and trailing U+0020 spaces only.
std::u16string_view trimSpaces(std::u16string_view text);
std::u16string_view trimSpaces(std::u16string_view text, WorkMeter *meter);

// Upper-cases one UTF-16 unit with the simple case mapping (surrogates and
// characters whose upper case lies outside the BMP stay as they are).
char16_t toUpper(char16_t unit);

// True when the two texts are equal after simple case folding, unit by unit.
bool equalFoldingCase(std::u16string_view a, std::u16string_view b);

// Less-than after simple case folding, for listing names the way a
// case-insensitive file system does.
bool lessFoldingCase(std::u16string_view a, std::u16string_view b);

// The text case folded unit by unit, as lessFoldingCase compares it: sorting
// many names by their folded keys orders them as lessFoldingCase would.
std::u32string foldedCase(std::u16string_view text);

// Position of the first place at or after `from` where the upper-cased text
// reads `upperNeedle`; npos when there is none.
std::size_t findInUpperCased(std::u16string_view text, std::u16string_view upperNeedle,
                             std::size_t from = 0);

// True when `text` contains `needle`.
inline bool contains(std::u16string_view text, std::u16string_view needle,
                     WorkMeter *meter = nullptr)
{
    return text::find(text, needle, 0, meter) != std::u16string_view::npos;
}

// Number of occurrences of `separator` in `text` (non-overlapping, left to right).
std::size_t count(std::u16string_view text, std::u16string_view separator,
                  WorkMeter *meter = nullptr);

} // namespace quillmoth::text
