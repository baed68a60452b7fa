#pragma once

#include "reader/reader.h"
#include "settings/language_table.h"
#include "settings/theme_file.h"
#include "settings/theme_record.h"
#include "settings/ui_settings.h"
#include "text/app_folder.h"
#include "text/code_page.h"

namespace quillmoth {

// The flags the bookshelf shares with the windows it opens.
struct AppFlags {
    // The shelf is being rebuilt or a page animation runs: input, the wheel
    // and closing wait.
    bool IsRefreshing = false;
};

// What the bookshelf window works with: the program's state for the whole
// run, owned by main() and handed in by reference.
struct ShelfContext {
    const AppFolder &folder;
    ThemeRecord &theme;
    UISettings &settings;
    SettingsDocument &document;
    LanguageTable &language;
    const AnsiCodePage &codePage;
    AppFlags &flags;

    ReaderContext readerContext() const { return {folder, theme, settings, language, codePage}; }
    ThemeContext themeContext() const
    {
        return {theme, settings, document, folder.ThemesFolder(), folder.root(), codePage};
    }
};

} // namespace quillmoth
