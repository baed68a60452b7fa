#pragma once

// Scratch files for the fuzz targets that read from disk: one folder per
// process in memory-backed storage, so that runs never touch the work tree.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace fuzzing {

inline const std::filesystem::path &scratchFolder()
{
    static const std::filesystem::path folder = [] {
        const std::filesystem::path base =
            std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
        const std::filesystem::path path = base / ("quillmoth-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(path);
        return path;
    }();
    return folder;
}

inline std::filesystem::path writeScratch(const std::string &name, std::string_view bytes)
{
    const std::filesystem::path path = scratchFolder() / name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), std::streamsize(bytes.size()));
    return path;
}

inline void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        __builtin_trap();
    }
}

} // namespace fuzzing
