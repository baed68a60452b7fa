#include "shelf/folder_scan.h"

#include "text/code_page.h"
#include "text/text_ops.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

namespace quillmoth {

namespace fs = std::filesystem;

namespace {

// Often enough that a stop is noticed at once, rarely enough to cost nothing.
constexpr int kCancelCheckEvery = 256;

bool isCancelled(const std::atomic<bool> *cancel)
{
    return cancel != nullptr && cancel->load(std::memory_order_relaxed);
}

// Sorts items by name: case folded first, then exactly, then by the raw
// bytes (names that are not UTF-8 can read alike). Folding is simple case
// folding unit by unit, with no locale, so "a.txt" and "B.txt" come in that
// order everywhere. Each name is folded once into one buffer, high byte of
// each unit first, so that keys compare as bytes (memcmp) in unit order.
template <typename Item, typename NameOf, typename BytesOf>
void sortByName(std::vector<Item> &items, NameOf nameOf, BytesOf bytesOf)
{
    std::string keys;
    std::vector<std::size_t> starts;
    starts.reserve(items.size() + 1);
    for (const Item &item : items) {
        starts.push_back(keys.size());
        // A unit folds to one unit: simple folding stays within its plane.
        for (const char32_t unit : text::foldedCase(nameOf(item))) {
            keys += char((unit >> 8) & 0xFF);
            keys += char(unit & 0xFF);
        }
    }
    starts.push_back(keys.size());
    const auto keyOf = [&](std::size_t i) {
        return std::string_view(keys).substr(starts[i], starts[i + 1] - starts[i]);
    };
    std::vector<std::size_t> order(items.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        if (const int byKey = keyOf(a).compare(keyOf(b)); byKey != 0)
            return byKey < 0;
        const Item &x = items[a];
        const Item &y = items[b];
        if (nameOf(x) != nameOf(y))
            return nameOf(x) < nameOf(y);
        return bytesOf(x) < bytesOf(y);
    });
    std::vector<Item> sorted;
    sorted.reserve(items.size());
    for (const std::size_t index : order)
        sorted.push_back(std::move(items[index]));
    items = std::move(sorted);
}

// The last part of a path as the file system spells it.
std::string_view fileNameOf(const fs::path &path)
{
    const std::string_view native(path.native());
    const std::size_t slash = native.find_last_of('/');
    return slash == std::string_view::npos ? native : native.substr(slash + 1);
}

// Whether a name ends in ".txt" in any letter case, as "*.txt" matches.
bool endsWithTxt(std::string_view name)
{
    if (name.size() < 4)
        return false;
    const std::string_view tail = name.substr(name.size() - 4);
    return tail[0] == '.' && (tail[1] | 0x20) == 't' && (tail[2] | 0x20) == 'x' &&
           (tail[3] | 0x20) == 't';
}

bool canList(const fs::path &folder)
{
    std::error_code error;
    const fs::directory_iterator probe(folder, error);
    return !error;
}

// A link that leads back to the folder or one of its ancestors would make the
// tree endless. A link whose target cannot be resolved counts as a loop.
bool loopsBack(const fs::directory_entry &entry, const fs::path &canonicalFolder)
{
    std::error_code error;
    if (!entry.is_symlink(error))
        return false;
    const fs::path target = fs::canonical(entry.path(), error);
    if (error)
        return true;
    for (fs::path ancestor = canonicalFolder; !ancestor.empty(); ancestor = ancestor.parent_path()) {
        if (ancestor == target)
            return true;
        if (ancestor == ancestor.parent_path())
            break;
    }
    return false;
}

std::string unescapeMountField(const std::string &field)
{
    // Spaces and the like are written as three octal digits after "\".
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(),
                            [](char c) { return c >= '0' && c <= '7'; })) {
                out += char(std::strtol(digits.c_str(), nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

bool isPseudoFileSystem(const std::string &type)
{
    static const std::set<std::string> kPseudo = {
        "proc",      "sysfs",           "tmpfs",       "devtmpfs", "devpts",   "cgroup",
        "cgroup2",   "securityfs",      "pstore",      "bpf",      "debugfs",  "tracefs",
        "configfs",  "fusectl",         "hugetlbfs",   "mqueue",   "autofs",   "binfmt_misc",
        "nsfs",      "rpc_pipefs",      "efivarfs",    "ramfs",    "squashfs", "overlay",
        "selinuxfs", "fuse.gvfsd-fuse", "fuse.portal", "nfsd",     "rootfs",   "none"};
    return kPseudo.count(type) != 0;
}

// Real file systems the system mounts for itself (boot partitions, btrfs
// subvolumes under /var, container files under /etc) are no place for books.
// Removable media under /run/media are.
bool isSystemMountPoint(const std::string &point)
{
    if (point.rfind("/run/media/", 0) == 0)
        return false;
    for (const std::string prefix :
         {"/proc", "/sys", "/dev", "/run", "/snap", "/boot", "/efi", "/etc", "/usr", "/var", "/tmp"}) {
        if (point == prefix || point.rfind(prefix + "/", 0) == 0)
            return true;
    }
    return false;
}

} // namespace

FolderScan scanFolder(const fs::path &folder, const std::atomic<bool> *cancel)
{
    FolderScan scan;
    scan.folder = folder;
    std::error_code error;
    fs::directory_iterator entries(folder, fs::directory_options::none, error);
    if (error) {
        scan.readable = false;
        return scan;
    }
    std::error_code canonicalError;
    const fs::path canonicalFolder = fs::weakly_canonical(folder, canonicalError);
    // Every book file once: sorted once, then split into the tree's files
    // and the shelf's books.
    std::vector<FolderChild> bookFiles;
    int seen = 0;
    for (const fs::directory_iterator end; entries != end; entries.increment(error)) {
        if (++seen % kCancelCheckEvery == 0 && isCancelled(cancel)) {
            scan.cancelled = true;
            return scan;
        }
        const fs::directory_entry &entry = *entries;
        const std::string_view name = fileNameOf(entry.path());
        if (name.empty() || name.front() == '.')
            continue;
        std::error_code kindError;
        if (entry.is_directory(kindError)) {
            // Opening each subfolder is the slow part on a network drive.
            if (isCancelled(cancel)) {
                scan.cancelled = true;
                return scan;
            }
            if (loopsBack(entry, canonicalFolder) || !canList(entry.path()))
                continue;
            scan.subfolders.push_back({entry.path(), utf16FromUtf8(name)});
            continue;
        }
        // The test on the bytes spares converting every other file's name:
        // ".txt" is ASCII, so the bytes end in it exactly when the text does.
        if (!endsWithTxt(name) || !entry.is_regular_file(kindError))
            continue; // other files, broken links, devices, sockets
        bookFiles.push_back({entry.path(), utf16FromUtf8(name)});
    }
    // The iterator reports a failure part way through (a folder removed while
    // it is read) by ending early.
    if (error)
        scan.readable = false;
    const auto childName = [](const FolderChild &child) -> const std::u16string & {
        return child.name;
    };
    const auto childBytes = [](const FolderChild &child) -> const std::string & {
        return child.path.native();
    };
    sortByName(scan.subfolders, childName, childBytes);
    sortByName(bookFiles, childName, childBytes);
    scan.books.reserve(bookFiles.size());
    for (const FolderChild &book : bookFiles)
        scan.books.emplace_back(folder, fs::path(fileNameOf(book.path)));
    // The tree's book nodes end in ".txt" exactly; the shelf takes any case.
    std::erase_if(bookFiles, [](const FolderChild &book) {
        return !std::u16string_view(book.name).ends_with(u".txt");
    });
    scan.bookFiles = std::move(bookFiles);
    return scan;
}

std::vector<fs::path> volumesInMountTable(const std::string &table)
{
    std::vector<fs::path> volumes;
    std::istringstream lines(table);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, point, type;
        if (!(fields >> device >> point >> type))
            continue;
        point = unescapeMountField(point);
        // Whatever holds "/" is a drive, even the overlay of a container.
        if (point != "/" && (isPseudoFileSystem(type) || isSystemMountPoint(point)))
            continue;
        if (std::find(volumes.begin(), volumes.end(), fs::path(point)) == volumes.end())
            volumes.emplace_back(point);
    }
    return volumes;
}

std::vector<fs::path> readyDrives()
{
    std::ifstream mounts("/proc/self/mounts");
    std::stringstream table;
    table << mounts.rdbuf();
    std::vector<fs::path> volumes = volumesInMountTable(table.str());
    std::sort(volumes.begin(), volumes.end());

    std::vector<fs::path> candidates{fs::path("/")};
    if (const char *home = std::getenv("HOME"); home != nullptr && *home != '\0')
        candidates.emplace_back(home);
    candidates.insert(candidates.end(), volumes.begin(), volumes.end());

    // The same volume may be mounted twice, or be the home folder itself.
    std::vector<fs::path> drives;
    std::set<fs::path> seen;
    for (const fs::path &candidate : candidates) {
        std::error_code error;
        const fs::path canonical = fs::canonical(candidate, error);
        if (error || !fs::is_directory(canonical, error) || !canList(canonical))
            continue;
        if (seen.insert(canonical).second)
            drives.push_back(canonical);
    }
    return drives;
}

} // namespace quillmoth
