#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace quillmoth {

// The current theme: how a book looks in the reading pad. Colours are
// red + 256 green + 65536 blue, -1 for no colour. Path fields hold an existing
// file (an existing folder for AlbumPath) or are empty. A default-constructed
// record is the default theme.
struct ThemeRecord {
    float BgOpacity = 100;             // percent; -1 when there is no background image
    float CornerOpacity = 100;         // percent; -1 when there is no corner image
    std::filesystem::path BgImagePath;
    std::filesystem::path CornerImagePath;
    std::filesystem::path BookMarkImagePath;
    std::filesystem::path OneForAllImagePath;  // one picture for every illustration
    std::filesystem::path AlbumPath;           // a folder of illustration pictures
    std::int32_t OutlineColor = -1;
    std::int32_t PaperColor = -1;
    std::int32_t FontColor = 0;
    std::int32_t FontSize = 9;  // points
    std::u16string FontName = u"Tahoma";
    std::int32_t ChapterTitleColor = 0;
    bool ColorizeChapterTitle = false;
    bool ListUpChapters = false;
    bool ReformatParagraphs = false;
    std::int32_t LineSpace = 0;  // extra pixels between lines, 0 to 5
    bool FontBold = false;
    bool FontItalic = false;

    friend bool operator==(const ThemeRecord &, const ThemeRecord &) = default;
};

} // namespace quillmoth
