#pragma once

#include <string>
#include <string_view>

namespace quillmoth {

struct Book;

// How much of the record to print.
enum class IncludeText { No, Yes };

// The Book record as one JSON object (UTF-8) in the layout the quillmoth-book
// command prints.
std::string bookToJson(const Book &book, IncludeText includeText);

// A JSON string literal of UTF-16 text; unpaired surrogates are escaped.
std::string jsonString(std::u16string_view text);

} // namespace quillmoth
