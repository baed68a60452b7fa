#pragma once

#include <QString>

#include <string_view>

namespace quillmoth {

// Texts of the dialogs that the language files have no line for, in the
// interface language (English for any language but the two Chinese ones).
enum class DialogText {
    PreferencesTitle,
    ThemeEditorTitle,
    ForceBig5,            // the check box that reads every book as Big5
    ThemeNameEmpty,       // "Save as" without a name
    ThemeNameSeparator,   // a name with "/", "\" or NUL
    ThemeNameDots,        // "." or ".."
    ThemeNameTooLong,     // longer than a file name can be
    FontNameComma,        // a font whose name the theme file cannot hold
    PathNotStorable,      // a picture or album path with a comma or line break
    ThemeNotSaved,        // followed by the reason
    DeleteOldThumbnails,  // asked before a new default folder drops the covers
    SettingNotSaved,      // the settings file could not take a change
    PreviewSample,        // the preview's short book
};

QString dialogText(DialogText text, std::u16string_view language);

} // namespace quillmoth
