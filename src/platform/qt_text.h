#pragma once

#include "text/text_paths.h"

#include <QString>

#include <filesystem>
#include <string_view>

namespace quillmoth {

// UTF-16 text of the engine and the settings as Qt text.
inline QString qtText(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

// A path as Qt text, to show it (bytes that are not UTF-8 as U+FFFD).
inline QString qtPath(const std::filesystem::path &path)
{
    return QString::fromStdU16String(text::textFromPath(path));
}

} // namespace quillmoth
