#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace quillmoth::testing {

// The folder every scratch folder of this test program lives in; it goes
// when the program ends, whatever the tests did.
inline const std::filesystem::path &programScratchFolder()
{
    struct Owned {
        std::filesystem::path path = std::filesystem::temp_directory_path() /
                                     ("quillmoth-test-" + std::to_string(::getpid()));
        Owned() { std::filesystem::create_directories(path); }
        ~Owned()
        {
            std::error_code error;
            std::filesystem::remove_all(path, error);
        }
    };
    static const Owned owned;
    return owned.path;
}

// A file's bytes; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(stream)), {});
}

// A fresh, empty folder for the running test, removed when it ends.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::string &suffix = {})
    {
        const auto *test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::string name = test != nullptr ? std::string(test->test_suite_name()) + "." +
                                                       test->name()
                                                 : std::string("outside-a-test");
        m_path = programScratchFolder() / (name + suffix);
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~ScratchFolder()
    {
        std::error_code error;
        std::filesystem::remove_all(m_path, error);
    }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    std::filesystem::path operator/(const std::filesystem::path &name) const { return m_path / name; }

    // Writes bytes to a file in the folder and returns its path.
    std::filesystem::path write(const std::string &name, std::string_view bytes) const
    {
        const auto file = m_path / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return file;
    }

private:
    std::filesystem::path m_path;
};

} // namespace quillmoth::testing
