#include "settings/theme_list.h"

#include "settings/language_table.h"
#include "settings/theme_file.h"
#include "settings/ui_settings.h"

#include "text/text_ops.h"
#include "text/text_paths.h"

#include <algorithm>
#include <system_error>

namespace quillmoth {
namespace {

namespace fs = std::filesystem;

// The theme names in a folder, or nothing when it cannot be read.
std::optional<std::vector<std::u16string>> themeNames(const fs::path &folder)
{
    std::vector<std::u16string> names;
    std::error_code error;
    if (!fs::exists(folder, error))
        return names;
    fs::directory_iterator entry(folder, error);
    if (error)
        return std::nullopt;
    for (; entry != fs::directory_iterator(); entry.increment(error)) {
        if (error)
            return std::nullopt;
        const fs::path &path = entry->path();
        std::error_code statusError;
        // The name is rebuilt into "<name>.thm" to load it, so only that exact
        // extension is listed.
        std::u16string name = text::textFromPath(path.filename());
        // ".thm" itself is the theme with the empty name.
        if (!name.ends_with(u".thm") || !fs::is_regular_file(entry->status(statusError)))
            continue;
        name.resize(name.size() - 4);
        // A file such as "a\b.thm" is inside the folder here, but its name
        // would not be on every platform; such a theme is never offered.
        if (isSafeThemeName(name))
            names.push_back(std::move(name));
    }
    std::sort(names.begin(), names.end(), [](const std::u16string &a, const std::u16string &b) {
        return text::lessFoldingCase(a, b);
    });
    return names;
}

} // namespace

std::optional<std::u16string> ThemeList::selectedName() const
{
    if (selected < 0 || std::size_t(selected) >= names.size())
        return std::nullopt;
    return names[std::size_t(selected)];
}

std::u16string currentThemeCaption(const LanguageTable &language, std::u16string_view themeName)
{
    // An incomplete language file must not empty the theme panel: without the
    // "Current" text the caption is the name alone.
    return language.text(u"Current").value_or(std::u16string()) + std::u16string(themeName);
}

bool FlushThemeList(std::u16string_view name, ThemeList &list, ThemeContext &context,
                    const LanguageTable &language)
{
    list.names.clear();
    list.selected = -1;
    std::optional<std::vector<std::u16string>> names = themeNames(context.ThemesFolder);
    if (!names)
        return false;
    list.names = std::move(*names);
    const auto found = std::find(list.names.begin(), list.names.end(), name);
    if (found != list.names.end()) {
        list.selected = int(found - list.names.begin());
    } else if (!list.names.empty()) {
        list.selected = 0;
        context.settings.CurrentTheme = list.names.front();
    }
    list.currentCaption = currentThemeCaption(language, context.settings.CurrentTheme);
    return true;
}

ThemeButtons themeButtonsFor(std::u16string_view clickedName, std::u16string_view currentTheme)
{
    const bool current = clickedName == currentTheme;
    return {current, !current};
}

std::optional<ThemeButtons> applySelectedTheme(ThemeList &list, ThemeContext &context,
                                               const LanguageTable &language)
{
    const std::optional<std::u16string> name = list.selectedName();
    if (!name)
        return std::nullopt;
    context.settings.CurrentTheme = *name;
    list.currentCaption = currentThemeCaption(language, *name);
    if (!GetThmSettings(themeFilePath(context.ThemesFolder, *name), context))
        return std::nullopt;
    // Loading a vanished theme falls back to the default theme and its name.
    WriteSetting(context.document, u"Scheme", context.settings.CurrentTheme);
    list.currentCaption = currentThemeCaption(language, context.settings.CurrentTheme);
    return ThemeButtons{true, false};
}

ThemeEditorRequest modifyThemeRequest(const UISettings &settings)
{
    return {settings.CurrentTheme, 16777215};
}

std::optional<ThemeEditorRequest> newThemeRequest(const ThemeList &list, UISettings &settings)
{
    const std::optional<std::u16string> name = list.selectedName();
    if (!name || !isSafeThemeName(*name))
        return std::nullopt;
    settings.CurrentTheme = *name;
    return ThemeEditorRequest{*name, 255};
}

std::optional<ThemeDeletePrompt> themeDeletePrompt(const ThemeList &list,
                                                   const UISettings &settings,
                                                   const LanguageTable &language)
{
    const std::optional<std::u16string> name = list.selectedName();
    if (!name)
        return std::nullopt;
    if (*name == settings.CurrentTheme)
        return ThemeDeletePrompt{true, language.textOrKey(u"ThemeIsInUse")};
    return ThemeDeletePrompt{false, language.textOrKey(u"ConfirmDelete") + u"     " + *name};
}

bool deleteSelectedTheme(ThemeList &list, const ThemeContext &context)
{
    const std::optional<std::u16string> name = list.selectedName();
    if (!name || *name == context.settings.CurrentTheme)
        return false;
    const fs::path path = themeFilePath(context.ThemesFolder, *name);
    std::error_code error;
    if (!fs::is_regular_file(path, error) || !fs::remove(path, error) || error)
        return false;
    list.names.erase(list.names.begin() + list.selected);
    list.selected = -1;
    return true;
}

} // namespace quillmoth
