#pragma once

#include <array>
#include <filesystem>
#include <string_view>

namespace quillmoth {

// The rules of the preferences dialog that need no window.

// The values of the three option groups, by option index.
inline constexpr std::array<std::u16string_view, 4> kCoverStyles = {u"Shelf", u"Curtain",
                                                                    u"Slide", u"FadeIn"};
inline constexpr std::array<std::u16string_view, 5> kPadSizes = {u"60", u"70", u"80", u"90",
                                                                 u"100"};
inline constexpr std::array<std::u16string_view, 4> kLanguages = {u"English", u"ChineseS",
                                                                  u"ChineseT", u"User"};
inline constexpr int kFirstPadSizeOption = 4;
inline constexpr int kFirstLanguageOption = 9;
inline constexpr int kGlassColorOption = 13;
inline constexpr int kTextColorOption = 14;

// The option a setting selects in its group; a value that matches none
// selects "Shelf", "100%" and "English" respectively.
int coverStyleOption(std::u16string_view style);
int padSizeOption(std::u16string_view padSize);
int languageOption(std::u16string_view language);

// Whether two spellings name the same file: relative paths are taken from
// `base`, "\" counts as "/", and "." and ".." parts and links are resolved.
bool isSamePath(const std::filesystem::path &a, const std::filesystem::path &b,
                const std::filesystem::path &base);

// A path typed or chosen as text, with "\" read as "/".
std::filesystem::path pathFromTypedText(std::u16string_view text);

// Whether a folder holds at least one folder (links to folders count).
bool hasSubfolder(const std::filesystem::path &folder);

// Whether the thumbnails folder holds any thumbnail file.
bool hasThumbnailFiles(const std::filesystem::path &thumbsFolder);

// Deletes the thumbnail files: the regular files directly in the folder,
// never a folder, a link or anything outside it. The number deleted.
int deleteThumbnailFiles(const std::filesystem::path &thumbsFolder);

} // namespace quillmoth
