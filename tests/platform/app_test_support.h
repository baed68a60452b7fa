#pragma once

#include "../support/scratch_folder.h"

#include "text/code_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace quillmoth::testing {

inline void writeFile(const std::filesystem::path &path, std::string_view bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

// The code page the tests read ANSI files in.
inline const AnsiCodePage &gbk()
{
    static const AnsiCodePage codePage = *AnsiCodePage::named("CP936");
    return codePage;
}

// The files of a folder, by name.
inline std::vector<std::string> fileNames(const std::filesystem::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Number of entries in a folder, hidden ones included.
inline long entryCount(const std::filesystem::path &folder)
{
    return long(std::distance(std::filesystem::directory_iterator(folder), {}));
}

} // namespace quillmoth::testing
