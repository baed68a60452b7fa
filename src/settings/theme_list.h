#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillmoth {

class LanguageTable;
struct ThemeContext;
struct UISettings;

// The theme panel of the bookshelf window as plain values: the list of theme
// names, the selected entry and the caption naming the current theme.
struct ThemeList {
    std::vector<std::u16string> names;
    int selected = -1;  // index into names, -1 when nothing is selected
    std::u16string currentCaption;

    // The selected name, or nothing when no entry is selected.
    std::optional<std::u16string> selectedName() const;
};

// Which of the two theme buttons that depend on the selection are enabled.
struct ThemeButtons {
    bool modifyEnabled = false;
    bool deleteEnabled = false;
    friend bool operator==(const ThemeButtons &, const ThemeButtons &) = default;
};

// The "Current" text immediately followed by the theme's name.
std::u16string currentThemeCaption(const LanguageTable &language, std::u16string_view themeName);

// Refills the list with the themes in the themes folder (by name, ignoring
// case, as the file system of the program's origin lists them; only names that
// are safe, see isSafeThemeName) and selects
// `name`; when no entry has that name the first one is selected and becomes
// the current theme in memory (the settings file is not changed). A missing
// themes folder gives an empty list. False when the folder cannot be read.
bool FlushThemeList(std::u16string_view name, ThemeList &list, ThemeContext &context,
                    const LanguageTable &language);

// A click on an entry: the current theme can be modified, any other deleted.
ThemeButtons themeButtonsFor(std::u16string_view clickedName, std::u16string_view currentTheme);

// Apply: makes the selected theme current, loads it and stores "Scheme". A
// name that is not safe loads as a vanished theme: the default one. Nothing
// happens (and nothing is returned) when no entry is selected.
std::optional<ThemeButtons> applySelectedTheme(ThemeList &list, ThemeContext &context,
                                               const LanguageTable &language);

// What the theme editor is opened with: the name for its name box, and the
// colour that box is given (16777215 by Modify, 255 by New).
struct ThemeEditorRequest {
    std::u16string name;
    std::int32_t nameBoxColor = 0;
};

// Modify: edit the current theme.
ThemeEditorRequest modifyThemeRequest(const UISettings &settings);

// New: the selected theme becomes the current one and is edited, to be saved
// under a new name. Nothing when no entry is selected or its name is not safe.
std::optional<ThemeEditorRequest> newThemeRequest(const ThemeList &list, UISettings &settings);

// Delete, first step: the message to show. Deleting the current theme is
// refused with "ThemeIsInUse" (OK only); any other asks "ConfirmDelete",
// five spaces and the name (OK and Cancel). Nothing when no entry is selected.
struct ThemeDeletePrompt {
    bool refused = false;
    std::u16string message;
};
std::optional<ThemeDeletePrompt> themeDeletePrompt(const ThemeList &list,
                                                   const UISettings &settings,
                                                   const LanguageTable &language);

// Delete, after OK: removes the selected theme's file and its entry. Nothing
// changes when the file has already gone, when it is the current theme, when
// its name is not safe, or when nothing is selected. True when a theme was
// deleted.
bool deleteSelectedTheme(ThemeList &list, const ThemeContext &context);

} // namespace quillmoth
