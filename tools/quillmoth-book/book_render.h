#pragma once

#include "book_command.h"

#include "settings/theme_record.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quillmoth {

class AnsiCodePage;

// A theme file for the command line. Relative picture paths are taken from
// the application folder the file lies in (…/Settings/Themes/x.thm), else
// from `programFolder`. Nothing when the file cannot be read.
std::optional<ThemeRecord> loadCommandTheme(const std::filesystem::path &file,
                                            const std::filesystem::path &programFolder,
                                            const AnsiCodePage &codePage);

// The theme's font and switches become the layout values wherever the
// command line did not give its own. Needs a QGuiApplication.
void applyCommandTheme(BookCommand &command, const ThemeRecord &theme);

// Draws what the reading pad shows for `command.render` into its PNG file,
// offscreen, and puts the record of the book the pad laid out into `json`.
// Returns the exit status; `problem` says what went wrong. Needs a QApplication.
int renderPad(const BookCommand &command, ThemeRecord theme, const AnsiCodePage &codePage,
              std::string &json, std::string &problem);

} // namespace quillmoth
