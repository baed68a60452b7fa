#include "app_state.h"

#include "settings/theme_file.h"

namespace quillmoth {

void loadAppState(AppState &state, const SettingsErrorHandler &reportError)
{
    state.folder.createMissingFolders();
    const std::filesystem::path &root = state.folder.root();
    state.document.SettingsFilePath = state.folder.SettingsFilePath();
    LoadUISettings(state.document, state.settings, root, state.language, reportError);

    ThemeContext themes{state.theme,           state.settings, state.document,
                        state.folder.ThemesFolder(), root,      state.codePage};
    loadCurrentTheme(themes);

    const std::filesystem::path languageFile = chooseLanguageFile(root, state.settings.UserLanguage);
    LoadLanguage(languageFile, state.language);
}

} // namespace quillmoth
