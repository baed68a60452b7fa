#include "settings/theme_file.h"

#include "text/app_folder.h"
#include "text/atomic_file.h"
#include "settings/ui_settings.h"

#include "text/code_page.h"
#include "text/number_text.h"
#include "text/text_decoding.h"
#include "text/text_ops.h"
#include "text/text_paths.h"

#include <algorithm>
#include <vector>
#include <cfloat>
#include <cmath>
#include <system_error>

namespace quillmoth {
namespace {

namespace fs = std::filesystem;

constexpr int kFieldCount = 19;

void readFloat(std::u16string_view text, float &field)
{
    const double value = text::leadingNumber(text);
    // Out of range for a float: the field keeps its value.
    if (std::isfinite(value) && std::fabs(value) <= double(FLT_MAX))
        field = float(value);
}

void readInteger(std::u16string_view text, std::int32_t &field)
{
    if (const std::optional<std::int32_t> value = text::roundToInt32(text::leadingNumber(text)))
        field = *value;
}

void readBoolean(std::u16string_view text, bool &field)
{
    text = text::trimSpaces(text);
    if (text::equalFoldingCase(text, u"True"))
        field = true;
    else if (text::equalFoldingCase(text, u"False"))
        field = false;
    else if (const std::optional<double> number = text::wholeNumber(text))
        field = *number != 0;
}

void readPath(std::u16string_view text, ThemePathKind kind, const ThemePathCheck &check,
              fs::path &field)
{
    field.clear();
    if (!text.empty() && check)
        field = check(text, kind);
}

// The field's text as stored: up to its first NUL.
std::u16string_view fieldText(std::u16string_view field)
{
    return field.substr(0, field.find(u'\0'));
}

void readField(int index, std::u16string_view text, ThemeRecord &theme,
               const ThemePathCheck &check)
{
    switch (index) {
    case 0: readFloat(text, theme.BgOpacity); break;
    case 1: readFloat(text, theme.CornerOpacity); break;
    case 2: readPath(text, ThemePathKind::File, check, theme.BgImagePath); break;
    case 3: readPath(text, ThemePathKind::File, check, theme.CornerImagePath); break;
    case 4: readPath(text, ThemePathKind::File, check, theme.BookMarkImagePath); break;
    case 5: readPath(text, ThemePathKind::File, check, theme.OneForAllImagePath); break;
    case 6: readPath(text, ThemePathKind::FileOrFolder, check, theme.AlbumPath); break;
    case 7: readInteger(text, theme.OutlineColor); break;
    case 8: readInteger(text, theme.PaperColor); break;
    case 9: readInteger(text, theme.FontColor); break;
    case 10: readInteger(text, theme.FontSize); break;
    case 11: theme.FontName = text; break;
    case 12: readInteger(text, theme.ChapterTitleColor); break;
    case 13: readBoolean(text, theme.ColorizeChapterTitle); break;
    case 14: readBoolean(text, theme.ListUpChapters); break;
    case 15: readBoolean(text, theme.ReformatParagraphs); break;
    case 16:
        readInteger(text, theme.LineSpace);
        // The layout allows 0 to 5 extra pixels; more would leave no lines on a page.
        theme.LineSpace = std::clamp(theme.LineSpace, 0, 5);
        break;
    case 17: readBoolean(text, theme.FontBold); break;
    case 18: readBoolean(text, theme.FontItalic); break;
    default: break;
    }
}

std::u16string booleanText(bool value) { return value ? u"True" : u"False"; }

// A path's text as stored, bytes that are not UTF-8 escaped so that they are
// written back as they are.
std::u16string pathText(const fs::path &path)
{
    return utf16FromBytesEscaped(path.native());
}

// A path as stored: relative to the program folder when inside it.
std::u16string storedPathText(const fs::path &path, const fs::path &programFolder)
{
    if (path.empty() || programFolder.empty() || path.is_relative())
        return pathText(path);
    const fs::path folder = programFolder.lexically_normal();
    const fs::path normal = path.lexically_normal();
    const fs::path relative = normal.lexically_relative(folder);
    if (relative.empty() || *relative.begin() == "..")
        return pathText(path);
    return pathText(relative.generic_string());
}

// A theme file's text, each field read as it is written: a file in UTF-8 as
// UTF-8, one in the ANSI code page in that, and in a file of both, a field
// that is neither keeps its bytes (escaped), so that a stray byte another
// program left changes nothing else and goes back as it came.
std::u16string themeFileText(const fs::path &file, const AnsiCodePage &codePage)
{
    const std::string bytes = readWholeFile(file).value_or(std::string());
    std::size_t markLength = 0;
    const std::int32_t encoding = detectTextEncoding(bytes, markLength);
    if (encoding != kAnsi) // UTF-8 throughout, or UTF-16 with its mark
        return decodeBookBytes(std::string_view(bytes).substr(markLength), encoding, codePage);
    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
        const std::size_t comma = bytes.find(',', start);
        fields.push_back(std::string_view(bytes).substr(start, comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    const std::vector<MixedPiece> read = readMixedPieces(fields, codePage);
    std::u16string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            text += u',';
        text += read[i].stray ? utf16FromBytesEscaped(fields[i]) : read[i].text;
    }
    return text;
}

bool canStore(std::u16string_view text)
{
    return text.find_first_of(std::u16string_view(u",\r\n\0", 4)) == std::u16string_view::npos;
}

} // namespace

fs::path themesFolder(const fs::path &programFolder) { return AppFolder(programFolder).ThemesFolder(); }

bool isSafeThemeName(std::u16string_view name)
{
    if (name.find_first_of(std::u16string_view(u"/\\\0", 3)) != std::u16string_view::npos)
        return false;
    // On Windows "C:x" would still name a file on another drive.
    const fs::path file = text::pathFromText(std::u16string(name) + u".thm");
    return !file.has_root_path() && std::next(file.begin()) == file.end();
}

fs::path themeFilePath(const fs::path &folder, std::u16string_view name)
{
    if (!isSafeThemeName(name))
        return {};
    return folder / text::pathFromText(std::u16string(name) + u".thm");
}

ThemePathCheck existingPathCheck(const fs::path &programFolder)
{
    return [programFolder](std::u16string_view text, ThemePathKind kind) -> fs::path {
        std::u16string candidates[2] = {std::u16string(text), std::u16string(text)};
        std::replace(candidates[1].begin(), candidates[1].end(), u'\\', u'/');
        for (const std::u16string &candidate : candidates) {
            fs::path path = text::pathFromText(candidate);
            if (path.is_relative())
                path = programFolder / path;
            std::error_code error;
            const fs::file_status status = fs::status(path, error);
            if (fs::is_regular_file(status) ||
                (kind == ThemePathKind::FileOrFolder && fs::is_directory(status)))
                return path;
        }
        return {};
    };
}

void readThemeFields(std::u16string_view text, ThemeRecord &theme, const ThemePathCheck &check)
{
    // A theme is one line; whatever follows its line end is not part of it,
    // and a last field without its NUL still reads.
    text = text.substr(0, text.find_first_of(u"\r\n"));
    // An empty file has no fields at all.
    std::size_t start = 0;
    int index = 0;
    while (!text.empty() && index < kFieldCount) {
        const std::size_t comma = text.find(u',', start);
        const std::size_t end = comma == std::u16string_view::npos ? text.size() : comma;
        readField(index, fieldText(text.substr(start, end - start)), theme, check);
        ++index;
        if (comma == std::u16string_view::npos)
            break;
        start = comma + 1;
    }
    // Path fields the file does not reach are cleared, never left from the last theme.
    for (; index <= 6; ++index) {
        if (index >= 2)
            readField(index, {}, theme, check);
    }
}

std::optional<std::u16string> themeFileLine(const ThemeRecord &theme, const fs::path &programFolder,
                                            int *badField)
{
    using text::formatFloat;
    using text::formatInteger;
    const std::u16string fields[kFieldCount] = {
        formatFloat(theme.BgOpacity),
        formatFloat(theme.CornerOpacity),
        storedPathText(theme.BgImagePath, programFolder),
        storedPathText(theme.CornerImagePath, programFolder),
        storedPathText(theme.BookMarkImagePath, programFolder),
        storedPathText(theme.OneForAllImagePath, programFolder),
        storedPathText(theme.AlbumPath, programFolder),
        formatInteger(theme.OutlineColor),
        formatInteger(theme.PaperColor),
        formatInteger(theme.FontColor),
        formatInteger(theme.FontSize),
        theme.FontName,
        formatInteger(theme.ChapterTitleColor),
        booleanText(theme.ColorizeChapterTitle),
        booleanText(theme.ListUpChapters),
        booleanText(theme.ReformatParagraphs),
        formatInteger(theme.LineSpace),
        booleanText(theme.FontBold),
        booleanText(theme.FontItalic),
    };
    std::u16string line;
    for (int i = 0; i < kFieldCount; ++i) {
        // A comma would shift every later field; such a theme is not written at all.
        if (!canStore(fields[i])) {
            if (badField != nullptr)
                *badField = i;
            return std::nullopt;
        }
        if (i > 0)
            line += u',';
        line += fields[i];
    }
    line += std::u16string_view(u"\0\r\n", 3);
    return line;
}

bool writeThemeFile(const fs::path &path, const ThemeRecord &theme, const fs::path &programFolder,
                    std::u16string *error)
{
    if (path.empty()) {
        if (error != nullptr)
            *error = u"the theme has no file name";
        return false;
    }
    int badField = -1;
    const std::optional<std::u16string> line = themeFileLine(theme, programFolder, &badField);
    if (!line) {
        if (error != nullptr)
            *error = u"field " + text::formatInteger(badField) +
                     u" of the theme holds a comma or a line break, which a theme file cannot store";
        return false;
    }
    std::string failure;
    if (!writeFileAtomically(path, bytesFromUtf16Escaped(*line), &failure)) {
        if (error != nullptr)
            *error = utf16FromUtf8(failure);
        return false;
    }
    return true;
}

bool GetThmSettings(const fs::path &path, ThemeContext &context)
{
    fs::path file = path;
    std::error_code error;
    if (!fs::is_regular_file(file, error))
        file = CreateDefaultTheme(context);
    readThemeFields(themeFileText(file, context.codePage), context.theme,
                    existingPathCheck(context.programFolder));
    return true;
}

bool loadCurrentTheme(ThemeContext &context)
{
    // An unsafe name has no file (themeFilePath), so it loads as a missing theme.
    return GetThmSettings(themeFilePath(context.ThemesFolder, context.settings.CurrentTheme),
                          context);
}

fs::path CreateDefaultTheme(ThemeContext &context)
{
    context.theme = ThemeRecord{};
    std::error_code error;
    fs::create_directories(context.ThemesFolder, error);
    const fs::path path = themeFilePath(context.ThemesFolder, u"");
    // The user may have edited the default theme: it is written only when
    // it is missing.
    if (!fs::is_regular_file(path, error))
        writeThemeFile(path, context.theme, context.programFolder);
    context.settings.CurrentTheme.clear();
    WriteSetting(context.document, u"Scheme", u"");
    return path;
}

} // namespace quillmoth
