#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace quillmoth::testing {

// A fresh folder for one test, removed afterwards.
class ScratchFolder {
public:
    ScratchFolder()
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::temp_directory_path() /
                 ("quillmoth-app-" + std::to_string(::getpid()) + "-" + info->test_suite_name() + "-" +
                  info->name());
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder() { std::filesystem::remove_all(m_path); }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

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

inline std::filesystem::path utf8Path(const char8_t *text)
{
    return std::filesystem::path(text);
}

} // namespace quillmoth::testing
