#pragma once

#include <cstdint>
#include <string>

namespace quillmoth {

// A book's text laid out as lines, ready to be cut into pages.
struct LaidOutText {
    // Every line followed by CR LF.
    std::u16string store;
    // The laid-out text itself is store without its final CR LF.
    std::size_t textLength = 0;
    std::int64_t lineCount = 0;
};

// Wraps a Chinese text line by line: lines longer than charsPerLine become
// their wrapped form; runs of empty lines are then shortened to one.
LaidOutText layOutChineseText(std::u16string text, std::int64_t charsPerLine);

// Wraps a Western text line by line at spaces; a line of spaces longer than
// charsPerLine becomes an empty line.
LaidOutText layOutWesternText(std::u16string text, std::int64_t charsPerLine);

} // namespace quillmoth
