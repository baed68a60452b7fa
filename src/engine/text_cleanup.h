#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quillmoth {

// The clean-ups report to an optional meter as they go (text/work_meter.h).
namespace text {
class WorkMeter;
}

// Brings line ends to CR LF: a text without any CR LF has every LF (or, when
// it has no LF, every CR) turned into CR LF; a text with a CR LF is left alone.
std::u16string normalizeLineEnds(std::u16string text, text::WorkMeter *meter = nullptr);

// Cleans a Chinese text: CR LF line ends, no two-space ideographic indents, no
// leading or trailing empty lines, no runs of empty lines (none at all for
// hard-wrapped text) and no ASCII spaces.
std::u16string Book_CleanTextChST(std::u16string text, text::WorkMeter *meter = nullptr);

// Cleans a Western text: CR LF line ends and, when `reformat` is set, one line
// per paragraph with an empty line between paragraphs.
std::u16string Book_CleanTextWest01(std::u16string text, bool reformat);

// The same; `spare` receives the memory of a text the clean-up no longer
// needs (or stays empty), so a huge book's next step can reuse it.
std::u16string Book_CleanTextWest01(std::u16string text, bool reformat, std::u16string &spare,
                                    text::WorkMeter *meter = nullptr);

// Joins lines into paragraphs that end at ".", "!" or a double quote, with each
// line containing "CHAPTER" (any case) standing alone. The elements are marked
// in place.
std::u16string Book_JoinParagraphsWest(std::vector<std::u16string> &lines);

} // namespace quillmoth
