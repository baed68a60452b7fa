#include "bookmark_file.h"

#include "ini_file.h"

#include "engine/text_decoding.h"
#include "engine/text_ops.h"

#include <algorithm>

namespace quillmoth {

bool BookmarkFile::hasSection(std::u16string_view section) const
{
    std::int32_t encoding = kDetectEncoding;
    const std::u16string text = LoadTextFile(m_path, encoding, m_codePage);
    return text::contains(text, u"[" + std::u16string(section) + u"]");
}

std::u16string BookmarkFile::Read_Bmark_Key(std::u16string_view section,
                                            std::u16string_view key) const
{
    std::u16string value =
        IniFile::load(m_path, m_codePage).value(section, key).value_or(std::u16string());
    // The value arrives through a 256-character buffer as a C string.
    value.resize(std::min(value.find(u'\0'), value.size()));
    value.resize(std::min<std::size_t>(value.size(), 255));
    return std::u16string(text::trimSpaces(value));
}

} // namespace quillmoth
