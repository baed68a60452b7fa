#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quillmoth {

// One file the program ships, as it goes from the resources folder into the
// application folder.
struct ShippedFile {
    std::filesystem::path source;
    std::filesystem::path target; // relative to the application folder
};

// What one run of the assembly did, by target path (relative).
struct AssemblyReport {
    std::vector<std::filesystem::path> added;
    std::vector<std::filesystem::path> updated;
    // Files the user changed that were kept although the shipped version
    // differs from what the build last put there.
    std::vector<std::filesystem::path> kept;
    std::vector<std::string> errors;
};

// The name of the record of what the build last shipped, in the application folder.
inline constexpr std::string_view kShippedRecordName = ".quillmoth-shipped";

// Every file under `resources` that belongs in the application folder.
// Sources that do not exist yet are simply not listed.
std::vector<ShippedFile> shippedFiles(const std::filesystem::path &resources);

// Brings the application folder up to date without ever overwriting a file
// the user changed: a file is copied when it is missing, replaced when it
// still holds exactly what the build last put there, and otherwise kept.
// Also creates every folder of the layout.
AssemblyReport assembleAppFolder(const std::filesystem::path &resources,
                                 const std::filesystem::path &appFolder);

} // namespace quillmoth
