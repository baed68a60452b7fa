#include "text/text_paths.h"

#include "text/code_page.h"

namespace quillmoth::text {

std::filesystem::path pathFromText(std::u16string_view text)
{
    // Escaped bytes (see utf16FromBytesEscaped) name the file they came from.
    return std::filesystem::path(bytesFromUtf16Escaped(text));
}

std::u16string textFromPath(const std::filesystem::path &path)
{
    return utf16FromUtf8(path.native());
}

} // namespace quillmoth::text
