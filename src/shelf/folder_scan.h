#pragma once

#include "shelf/book_list.h"

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

namespace quillmoth {

// A subfolder or book file as the folder tree shows it. `path` is the real
// path; `name` is its text, with bytes that are not UTF-8 shown as U+FFFD.
struct FolderChild {
    std::filesystem::path path;
    std::u16string name;
};

// Everything the bookshelf needs from one listing of a folder. Hidden names
// (starting with ".") are left out of every list.
struct FolderScan {
    std::filesystem::path folder;
    // Subfolders (links followed) that can be listed and do not loop back.
    std::vector<FolderChild> subfolders;
    // Files whose names end in ".txt" exactly, for the tree.
    std::vector<FolderChild> bookFiles;
    // Regular files (links followed) matching "*.txt" in any letter case,
    // for the shelf.
    BookList books;
    // False when the folder could not be listed, or not to its end (gone,
    // not allowed); the lists then hold what was read before.
    bool readable = true;
    // The scan was stopped early; its lists are partial.
    bool cancelled = false;
};

// A drive of the drive tree, with its first level of folders.
struct DriveScan {
    std::filesystem::path drive;
    FolderScan scan;
};

// Lists a folder once. Each list is sorted by name, case folded first and
// then exactly, so the order is the same on every file system and locale.
// Never throws; `cancel` stops it early.
FolderScan scanFolder(const std::filesystem::path &folder,
                      const std::atomic<bool> *cancel = nullptr);

// The volumes a user keeps files on, each once and listable: "/" first, then
// the home folder, then the other mounted volumes by path.
std::vector<std::filesystem::path> readyDrives();

// The volumes in a mount table's text (the format of /proc/self/mounts),
// without pseudo and system file systems, in the table's order.
std::vector<std::filesystem::path> volumesInMountTable(const std::string &table);

} // namespace quillmoth
