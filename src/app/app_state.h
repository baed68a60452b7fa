#pragma once

#include "shelf/shelf_context.h"
#include "text/app_folder.h"
#include "text/code_page.h"

namespace quillmoth {

// The program's state for the whole run: where its folder is, the ANSI code
// page, the settings, the current theme, the interface texts and the flags
// the windows share. main() makes one and hands it to the windows by
// reference.
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
    AppFlags flags;

    ShelfContext shelfContext()
    {
        return {folder, theme, settings, document, language, codePage, flags};
    }
    // What the reading pad reads of it.
    ReaderContext readerContext() const { return {folder, theme, settings, language, codePage}; }
};

} // namespace quillmoth
