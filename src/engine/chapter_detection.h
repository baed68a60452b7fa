#pragma once

#include <string>
#include <string_view>

namespace quillmoth {

// The first Chinese heading of the form 第…章, 第…回, 第…卷 or 第…节 in a page
// or a line, with its name when the name fits; "" when the first 第 of the
// text starts no heading.
std::u16string Book_FindChapterChST(std::u16string_view text);

// The whole line of an English heading that starts a line with the word
// "CHAPTER" (any case); "" when the first "CHAPTER" of the text is not one.
std::u16string ExtractLine(std::u16string_view text);

// True when a single Western line is a heading: a short Roman numeral, a line
// with "CHAPTER" followed by a capital or a digit, or a "SECTION" line.
bool SubTitleE(std::u16string_view line);

} // namespace quillmoth
