#include "text/app_folder_choice.h"

#include <system_error>
#include <unistd.h>

namespace quillmoth {

namespace fs = std::filesystem;

fs::path userDataFolder(const char *xdgDataHome, const char *home)
{
    // XDG ignores a relative XDG_DATA_HOME.
    if (xdgDataHome != nullptr && *xdgDataHome == '/')
        return fs::path(xdgDataHome) / "quillmoth";
    if (home != nullptr && *home != '\0')
        return fs::path(home) / ".local" / "share" / "quillmoth";
    return {};
}

bool canKeepSettingsIn(const fs::path &programFolder)
{
    const fs::path settings = AppFolder(programFolder).settingsFolder();
    std::error_code error;
    const fs::path &probe = fs::is_directory(settings, error) ? settings : programFolder;
    return ::access(probe.c_str(), W_OK) == 0;
}

bool seedUserSettings(const AppFolder &installed, const AppFolder &user, std::string *error)
{
    const fs::path from = installed.settingsFolder();
    const fs::path to = user.settingsFolder();
    std::error_code failure;
    fs::create_directories(to, failure);
    if (failure) {
        if (error != nullptr)
            *error = "cannot create " + to.string() + ": " + failure.message();
        return false;
    }
    if (!fs::is_directory(from, failure))
        return true; // nothing shipped: the program makes its defaults itself
    for (fs::recursive_directory_iterator entry(from, failure), end; !failure && entry != end;
         entry.increment(failure)) {
        const fs::path target = to / fs::relative(entry->path(), from);
        std::error_code step;
        // The lock of a running program belongs to that program.
        if (entry->path().filename() == installed.instanceLockPath().filename())
            continue;
        if (entry->is_directory(step)) {
            fs::create_directories(target, step);
        } else if (entry->is_regular_file(step) && !fs::exists(fs::symlink_status(target, step))) {
            fs::copy_file(entry->path(), target, fs::copy_options::skip_existing, step);
        }
        if (step) {
            if (error != nullptr)
                *error = "cannot copy " + entry->path().string() + ": " + step.message();
            return false;
        }
    }
    if (failure && error != nullptr)
        *error = "cannot read " + from.string() + ": " + failure.message();
    return !failure;
}

AppFolder chooseAppFolder(const fs::path &programFolder, bool programFolderWritable,
                          const fs::path &userData)
{
    if (programFolderWritable || userData.empty())
        return AppFolder(programFolder);
    const AppFolder installed(programFolder);
    AppFolder user(programFolder, userData);
    // Seeded once: a theme the user deleted later must stay deleted. A copy
    // that fails part way still leaves the program usable: whatever is
    // missing it makes again from its defaults.
    std::error_code error;
    if (!fs::exists(user.settingsFolder(), error))
        seedUserSettings(installed, user);
    return user;
}

} // namespace quillmoth
