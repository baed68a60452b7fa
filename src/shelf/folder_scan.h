#pragma once

#include "shelf/book_list.h"

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

namespace quillmoth {

// A subfolder or book file as the folder tree shows it.
struct FolderChild {
    std::filesystem::path path;
    std::u16string name;
};

// Everything the bookshelf needs from one listing of a folder.
struct FolderScan {
    std::filesystem::path folder;
    // Subfolders that are not hidden, can be listed and do not loop back.
    std::vector<FolderChild> subfolders;
    // Files whose names end in ".txt" exactly, for the tree.
    std::vector<FolderChild> bookFiles;
    // Regular files (links followed) matching "*.txt" in any letter case,
    // for the shelf.
    BookList books;
    // False when the folder could not be listed (gone, or not allowed).
    bool readable = true;
    bool cancelled = false;
};

// Lists a folder. Names are sorted the way a case-insensitive file system
// lists them (case folded, then exactly), so the order does not depend on
// the directory's own. Never throws; `cancel` stops it early, marking the
// result cancelled.
FolderScan scanFolder(const std::filesystem::path &folder,
                      const std::atomic<bool> *cancel = nullptr);

// The real mounted volumes (no pseudo file systems) and the home folder,
// each once, "/" first.
std::vector<std::filesystem::path> readyDrives();

// The volumes in a mount table's text (the format of /proc/self/mounts).
std::vector<std::filesystem::path> volumesInMountTable(const std::string &table);

} // namespace quillmoth
