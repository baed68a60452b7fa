#include "settings/ui_settings.h"

#include "text/app_folder.h"
#include "text/atomic_file.h"
#include "settings/language_table.h"

#include "text/code_page.h"
#include "text/number_text.h"
#include "text/text_ops.h"
#include "text/text_paths.h"

#include <cmath>
#include <system_error>

namespace quillmoth {
namespace {

namespace fs = std::filesystem;

// A stored path; a relative one is taken from the program folder, so that
// the application folder can move with its settings.
fs::path resolvedPath(std::u16string_view text, const fs::path &programFolder)
{
    if (text.empty())
        return {};
    const fs::path path = text::pathFromText(text);
    return path.is_relative() ? programFolder / path : path;
}

// A pad size the reading window can use: a whole percentage from 60 to 100.
std::u16string usablePadSize(std::u16string_view text)
{
    const std::optional<double> value = text::wholeNumber(text);
    if (!value || *value < 60 || *value > 100 || *value != std::floor(*value))
        return u"90";
    return text::formatInteger(std::int64_t(*value));
}

bool isRegularFile(const fs::path &path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// Loads the default into the document: through the settings file when it
// can be written there, else from memory only.
// Writes the default settings file and loads it; false when it cannot be
// written (or read back), and then the default is loaded in memory only.
bool writeDefault(SettingsDocument &document, bool replaceable)
{
    std::error_code error;
    if (replaceable) {
        fs::create_directories(document.SettingsFilePath.parent_path(), error);
        if (writeFileAtomically(document.SettingsFilePath, defaultSettingsXml()) &&
            document.xml.loadFile(document.SettingsFilePath))
            return true;
    }
    document.xml.OpenXML(utf16FromUtf8(defaultSettingsXml()), 1);
    return false;
}

void readValues(const vbXML &xml, UISettings &values, const fs::path &programFolder)
{
    values.CurrentTheme = xml.ReadNodeText(u"Scheme");
    values.DefaultFolder = resolvedPath(xml.ReadNodeText(u"DefaultFolder"), programFolder);
    values.CoverShowStyle = xml.ReadNodeText(u"CoverShowStyle");
    values.UserLanguage = xml.ReadNodeText(u"UserLanguage");
    values.backgroundImagePath = resolvedPath(xml.ReadNodeText(u"UIbgImgPath"), programFolder);
    if (!isRegularFile(values.backgroundImagePath))
        values.backgroundImagePath = defaultBackgroundImagePath(programFolder);
    values.padSize = usablePadSize(xml.ReadNodeText(u"PadSize"));
    values.ForceBIG5 = parseSettingsBoolean(xml.ReadNodeText(u"Big5"));
    values.glassColor = parseSettingsColor(xml.ReadNodeText(u"GlassColor")).value_or(0);
    values.foreColor = parseSettingsColor(xml.ReadNodeText(u"ForeColor"));
}

} // namespace

fs::path settingsFilePath(const fs::path &programFolder)
{
    return AppFolder(programFolder).SettingsFilePath();
}

fs::path defaultBackgroundImagePath(const fs::path &programFolder)
{
    return AppFolder(programFolder).defaultBackgroundPath();
}

void ReportSettingsError(const fs::path &path, const LanguageTable &language,
                         const SettingsErrorHandler &handler, const fs::path &keptCopy)
{
    if (!handler)
        return;
    handler({path,
             language.text(u"LoadSettingsError").value_or(std::u16string(kLoadSettingsErrorFallback)),
             keptCopy});
}

bool LoadUISettings(SettingsDocument &document, UISettings &settings,
                    const fs::path &programFolder, const LanguageTable &language,
                    const SettingsErrorHandler &reportError)
{
    const fs::path &file = document.SettingsFilePath;
    if (!document.xml.loadFile(file)) {
        std::error_code error;
        const bool exists = fs::exists(fs::symlink_status(file, error));
        fs::path kept;
        if (exists && fs::is_regular_file(fs::symlink_status(file, error))) {
            // The damaged file is kept for the user; an older copy gives way.
            kept = file;
            kept += ".bad";
            fs::rename(file, kept, error);
            if (error)
                kept.clear();
        }
        const bool replaceable = !exists || !kept.empty();
        const bool written = writeDefault(document, replaceable);
        // A missing file is simply re-created; anything else is worth telling.
        if (exists || !written)
            ReportSettingsError(file, language, reportError, kept);
        if (!written) {
            readValues(document.xml, settings, programFolder);
            return false;
        }
    }
    readValues(document.xml, settings, programFolder);
    return true;
}

bool WriteSetting(SettingsDocument &document, std::u16string_view key, std::u16string_view value)
{
    vbXML &xml = document.xml;
    if (!xml.loadFile(document.SettingsFilePath)) {
        std::error_code error;
        // A damaged file is left alone: the next start keeps it as a copy.
        if (fs::exists(fs::symlink_status(document.SettingsFilePath, error)) ||
            !xml.OpenXML(utf16FromUtf8(defaultSettingsXml()), 1))
            return false;
    }
    std::error_code error;
    fs::create_directories(document.SettingsFilePath.parent_path(), error);
    if (!xml.WriteNode(key, value)) {
        constexpr std::u16string_view kRootPrefix = u"/SETTINGS/";
        const std::u16string_view name =
            key.starts_with(kRootPrefix) ? key.substr(kRootPrefix.size()) : key;
        if (!xml.appendRootElement(name, value))
            return false;
    }
    return xml.saveFile(document.SettingsFilePath).ok();
}

std::optional<std::int32_t> parseSettingsColor(std::u16string_view text)
{
    const std::optional<double> value = text::wholeNumber(text);
    if (!value || *value < 0 || *value > 0xFFFFFF || *value != std::floor(*value))
        return std::nullopt;
    return std::int32_t(*value);
}

bool parseSettingsBoolean(std::u16string_view text)
{
    const std::u16string_view trimmed = text::trimSpaces(text);
    if (text::equalFoldingCase(trimmed, u"True"))
        return true;
    if (text::equalFoldingCase(trimmed, u"False"))
        return false;
    const std::optional<double> number = text::wholeNumber(trimmed);
    return number && *number != 0;
}

} // namespace quillmoth
