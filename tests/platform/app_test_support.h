#pragma once

#include "../support/scratch_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace quillmoth::testing {

inline std::string readFile(const std::filesystem::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(stream)), {});
}

inline void writeFile(const std::filesystem::path &path, std::string_view bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(), std::streamsize(bytes.size()));
}

// Number of entries in a folder, hidden ones included.
inline long entryCount(const std::filesystem::path &folder)
{
    return long(std::distance(std::filesystem::directory_iterator(folder), {}));
}

} // namespace quillmoth::testing
