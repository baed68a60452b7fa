#pragma once

#include <cstdint>
#include <string>

namespace quillmoth {

struct Book;
class MarkerRestorer;

namespace text {
class WorkMeter;
}

// A book's text laid out as lines, ready to be cut into pages.
struct LaidOutText {
    // Every line followed by CR LF.
    std::u16string store;
    // The laid-out text itself is store without its final CR LF.
    std::size_t textLength = 0;
    std::int64_t lineCount = 0;
};

// Wraps a Chinese text line by line: lines longer than charsPerLine become
// their wrapped form; runs of empty lines are then shortened to one. Reports
// to an optional meter as it goes.
LaidOutText layOutChineseText(std::u16string text, std::int64_t charsPerLine,
                              text::WorkMeter *meter = nullptr);

// Wraps a Western text line by line at spaces; a line of spaces longer than
// charsPerLine becomes an empty line. The laid-out text is written into
// `buffer`, whose memory is reused when it is large enough. Reports to an
// optional meter as it goes.
LaidOutText layOutWesternText(std::u16string text, std::int64_t charsPerLine,
                              std::u16string buffer = {}, text::WorkMeter *meter = nullptr);

// A book whose lines fit on one page is one spread: the whole laid-out text on
// the left page, an empty right page, bookmarked characters put back but no
// page recorded. Returns false (and changes nothing) when the lines do not fit.
bool layOutSingleSpread(Book &book, LaidOutText &laidOut, MarkerRestorer &restorer);

} // namespace quillmoth
