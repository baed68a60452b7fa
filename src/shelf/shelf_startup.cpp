#include "shelf/shelf_startup.h"

#include "settings/theme_file.h"

namespace quillmoth {

bool loadShelfStartup(const ShelfContext &context, const SettingsErrorHandler &reportError)
{
    context.folder.createMissingFolders();
    const std::filesystem::path &root = context.folder.root();
    context.document.SettingsFilePath = context.folder.SettingsFilePath();
    const bool loaded =
        LoadUISettings(context.document, context.settings, root, context.language, reportError);

    ThemeContext themes = context.themeContext();
    loadCurrentTheme(themes);

    const std::filesystem::path languageFile =
        chooseLanguageFile(root, context.settings.UserLanguage);
    LoadLanguage(languageFile, context.language);
    return loaded;
}

} // namespace quillmoth
