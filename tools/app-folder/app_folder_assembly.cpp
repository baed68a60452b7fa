#include "app_folder_assembly.h"

#include "text/app_folder.h"
#include "text/atomic_file.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

namespace quillmoth {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> readBytes(const fs::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    if (!stream)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << stream.rdbuf();
    if (stream.bad())
        return std::nullopt;
    return std::move(bytes).str();
}

// FNV-1a: enough to tell whether a file still holds what was shipped (the
// record is ours, nobody forges it).
std::string fingerprint(std::string_view bytes)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (const char byte : bytes) {
        hash ^= std::uint8_t(byte);
        hash *= 1099511628211ull;
    }
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string text(16, '0');
    for (int i = 15; i >= 0; --i, hash >>= 4)
        text[std::size_t(i)] = kDigits[hash & 0xF];
    return text + ":" + std::to_string(bytes.size());
}

std::string utf8(const fs::path &path)
{
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

fs::path fromUtf8(std::string_view text)
{
    return fs::path(std::u8string(text.begin(), text.end()));
}

using Record = std::map<std::string, std::string>; // target (UTF-8) -> fingerprint

Record readRecord(const fs::path &path)
{
    Record record;
    const std::optional<std::string> bytes = readBytes(path);
    if (!bytes)
        return record;
    std::istringstream lines(*bytes);
    std::string line;
    while (std::getline(lines, line)) {
        const std::size_t space = line.find(' ');
        if (space == std::string::npos || space == 0 || space + 1 >= line.size())
            continue;
        record[line.substr(space + 1)] = line.substr(0, space);
    }
    return record;
}

std::string recordText(const Record &record)
{
    std::string text;
    for (const auto &[target, print] : record)
        text += print + " " + target + "\n";
    return text;
}

void addFolder(std::vector<ShippedFile> &files, const fs::path &folder, const fs::path &target,
               std::string_view extension)
{
    std::error_code error;
    if (!fs::is_directory(folder, error))
        return;
    std::vector<fs::path> found;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder, error)) {
        if (!entry.is_regular_file(error))
            continue;
        // Compared on the name, not the extension: the default theme is
        // named just ".thm", which has no extension as far as paths go.
        const std::string name = entry.path().filename().string();
        if (!extension.empty() &&
            (name.size() < extension.size() || !name.ends_with(extension)))
            continue;
        found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    for (const fs::path &path : found)
        files.push_back({path, target / path.filename()});
}

void addFile(std::vector<ShippedFile> &files, const fs::path &source, const fs::path &target)
{
    std::error_code error;
    if (fs::is_regular_file(source, error))
        files.push_back({source, target});
}

} // namespace

std::vector<ShippedFile> shippedFiles(const fs::path &resources)
{
    std::vector<ShippedFile> files;
    addFile(files, resources / "settings" / "UIsettings.xml", fs::path("Settings") / "UIsettings.xml");
    addFolder(files, resources / "themes", fs::path("Settings") / "Themes", ".thm");
    addFolder(files, resources / "lan", "Lan", ".lan");
    for (const char *folder : {"BackGround", "Corner", "BookMark", "Illurstration"})
        addFolder(files, resources / "pics" / folder, fs::path("Pics") / folder, "");
    addFolder(files, resources / "books", fromUtf8("我的藏书"), ".txt");
    addFile(files, resources / "help" / "help-en.html", "Help.html");
    addFile(files, resources / "help" / "help-zh.html", fromUtf8("帮助.html"));
    return files;
}

AssemblyReport assembleAppFolder(const fs::path &resources, const fs::path &appFolder)
{
    AssemblyReport report;
    std::error_code error;
    fs::create_directories(appFolder, error);
    const FolderLayoutResult layout = AppFolder(appFolder).createMissingFolders();
    for (const auto &[folder, reason] : layout.failed)
        report.errors.push_back(utf8(folder) + ": " + reason);

    const fs::path recordPath = appFolder / fs::path(kShippedRecordName);
    const Record previous = readRecord(recordPath);
    Record next;

    for (const ShippedFile &file : shippedFiles(resources)) {
        const std::string key = utf8(file.target);
        const std::optional<std::string> shipped = readBytes(file.source);
        if (!shipped) {
            report.errors.push_back("cannot read " + utf8(file.source));
            continue;
        }
        const std::string shippedPrint = fingerprint(*shipped);
        const fs::path target = appFolder / file.target;
        const auto recorded = previous.find(key);

        std::optional<std::string> current;
        if (fs::exists(fs::symlink_status(target, error)))
            current = readBytes(target);
        if (current && fingerprint(*current) == shippedPrint) {
            next[key] = shippedPrint;
            continue;
        }
        const bool untouched = current && recorded != previous.end() &&
                               fingerprint(*current) == recorded->second;
        if (current && !untouched) {
            // The user's file. The record keeps what we shipped before, so
            // that a file restored to it is updated again; it is only worth
            // a word when a newer shipped version is being held back.
            next[key] = recorded != previous.end() ? recorded->second : shippedPrint;
            if (recorded == previous.end() || recorded->second != shippedPrint)
                report.kept.push_back(file.target);
            continue;
        }
        if (fs::exists(fs::symlink_status(target, error)) && !fs::is_regular_file(target, error)) {
            report.errors.push_back(utf8(target) + ": something else is in the way");
            continue;
        }
        fs::create_directories(target.parent_path(), error);
        std::string message;
        if (!writeFileAtomically(target, *shipped, &message)) {
            report.errors.push_back(message);
            if (recorded != previous.end())
                next[key] = recorded->second;
            continue;
        }
        next[key] = shippedPrint;
        (current ? report.updated : report.added).push_back(file.target);
    }

    if (next != previous) {
        std::string message;
        if (!writeFileAtomically(recordPath, recordText(next), &message))
            report.errors.push_back(message);
    }
    return report;
}

} // namespace quillmoth
