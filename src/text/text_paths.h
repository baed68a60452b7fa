#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quillmoth::text {

// The path that UTF-16 text names: file names are UTF-8 on this platform, so
// any character can be part of a path, whatever the ANSI code page. Bytes
// escaped by utf16FromBytesEscaped come back as the bytes they were.
std::filesystem::path pathFromText(std::u16string_view text);

// The text that names a path, the way settings files and book sources store it.
std::u16string textFromPath(const std::filesystem::path &path);

} // namespace quillmoth::text
