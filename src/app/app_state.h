#pragma once

#include "text/code_page.h"
#include "text/app_folder.h"
#include "reader/reader.h"
#include "settings/language_table.h"
#include "settings/theme_record.h"
#include "settings/ui_settings.h"

namespace quillmoth {

// The program's state for the whole run: where its folder is, the ANSI code
// page, the settings, the current theme and the interface texts. main()
// makes one and hands it to the windows by reference.
struct AppState {
    explicit AppState(AppFolder appFolder, AnsiCodePage ansiCodePage)
        : folder(std::move(appFolder)), codePage(std::move(ansiCodePage))
    {
    }

    AppFolder folder;
    AnsiCodePage codePage;
    SettingsDocument document;
    UISettings settings;
    ThemeRecord theme;
    LanguageTable language;

    // What the reading pad reads of it.
    ReaderContext readerContext() const { return {folder, theme, settings, language, codePage}; }
};

// Loads, in start-up order, the settings, the current theme (the default
// theme when the one named is missing or its name would leave the themes
// folder) and the language file. Problems with the settings file go to
// `reportError`.
void loadAppState(AppState &state, const SettingsErrorHandler &reportError);

} // namespace quillmoth
