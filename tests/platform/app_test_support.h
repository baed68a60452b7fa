#pragma once

#include "../support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace quillmoth::testing {

inline std::string readFile(const std::filesystem::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(stream)), {});
}

inline void writeFile(const std::filesystem::path &path, const std::string &bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// Number of entries in a folder, hidden ones included.
inline long entryCount(const std::filesystem::path &folder)
{
    return long(std::distance(std::filesystem::directory_iterator(folder), {}));
}

} // namespace quillmoth::testing
