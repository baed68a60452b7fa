#pragma once

#include "text/app_folder.h"

#include <filesystem>
#include <string>

namespace quillmoth {

// Where an installed program keeps what it writes for one user: the user's
// data folder ($XDG_DATA_HOME, or ~/.local/share) and "quillmoth". Empty when
// neither variable gives a place.
std::filesystem::path userDataFolder(const char *xdgDataHome, const char *home);

// Whether the program may keep its settings in its own folder: Settings/ is
// writable there, or, when it is missing, the folder itself is.
bool canKeepSettingsIn(const std::filesystem::path &programFolder);

// Copies the program's shipped Settings/ into the user's, file by file,
// leaving every file the user already has as it is. False, with the reason,
// when the user's folder cannot be made or a file cannot be copied.
bool seedUserSettings(const AppFolder &installed, const AppFolder &user,
                      std::string *error = nullptr);

// The folder the program runs with: its own when it may write there;
// otherwise the same program folder with the user's own Settings, seeded
// from the shipped ones on the first start.
AppFolder chooseAppFolder(const std::filesystem::path &programFolder, bool programFolderWritable,
                          const std::filesystem::path &userData);

} // namespace quillmoth
