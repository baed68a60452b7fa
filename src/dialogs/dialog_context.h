#pragma once

#include "settings/language_table.h"
#include "settings/theme_file.h"
#include "settings/theme_record.h"
#include "settings/ui_settings.h"
#include "text/app_folder.h"
#include "text/code_page.h"

#include <QString>

class QWidget;

#include <filesystem>
#include <functional>
#include <string_view>

namespace quillmoth {

// What the dialogs ask of the bookshelf window that owns them. The dialogs
// sit below the bookshelf, so it hands these in rather than being called.
struct ShelfHooks {
    // Paints the window background again from the settings: the picture,
    // the glass pane's colour and the folder tree's colours.
    std::function<void()> InitBackground;
    // Lays out the covers again in the settings' cover-show style.
    std::function<void()> RefreshCoverRect;
    // Roots the folder tree at a folder and shows its books.
    std::function<void(const std::filesystem::path &folder)> TreeBeDefaultPath;
    // Captions the window again from the language table.
    std::function<void()> ApplyLanguage;
    // Refills the theme list, selecting `name`.
    std::function<void(std::u16string_view name)> FlushThemeList;
    // Stops and resumes the window's redrawing while a dialog works on it.
    std::function<void(bool on)> setRedrawing;
};

// How a dialog chooses files and folders; each gives "" when cancelled.
struct FileChoosers {
    // A picture, starting in `folder`.
    std::function<QString(const QString &folder)> chooseImage;
    // A folder, with this title, starting in `folder`.
    std::function<QString(const QString &title, const QString &folder)> chooseFolder;
};

// The program's state the dialogs read and change, and the bookshelf's hooks.
struct DialogContext {
    const AppFolder &folder;
    ThemeRecord &theme;
    UISettings &settings;
    SettingsDocument &document;
    LanguageTable &language;
    const AnsiCodePage &codePage;
    ShelfHooks shelf;

    ThemeContext themeContext() const
    {
        return {theme, settings, document, folder.ThemesFolder(), folder.root(), codePage};
    }
};

// The file dialogs of the platform: OpenFileDialog for "Image" (the filter
// list "File type: " *.jpg;*.png and "All Types:" *.*, titled "Open") and
// BrowseFolder (folders only).
FileChoosers platformFileChoosers(QWidget *owner);

// The text of a language key for a caption or message; the key itself when
// the table lacks it.
QString languageText(const LanguageTable &language, std::u16string_view key);

} // namespace quillmoth
