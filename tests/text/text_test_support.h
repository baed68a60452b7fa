#pragma once

#include "text/code_page.h"
#include "text/work_meter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace quillmoth::testing {

// The GBK code page, built once for all tests.
inline const AnsiCodePage &gbk()
{
    static const AnsiCodePage codePage = *AnsiCodePage::named("CP936");
    return codePage;
}

inline const AnsiCodePage &big5()
{
    static const AnsiCodePage codePage = *AnsiCodePage::named("CP950");
    return codePage;
}

// Counts the reports of the passes it watches; a small stride makes every pass
// work in many small parts, so that parts meet every match and run at an edge.
class CountingMeter final : public text::WorkMeter {
public:
    explicit CountingMeter(std::size_t stride) : WorkMeter(stride) {}
    int reports = 0;

protected:
    void reachedFraction(double) override { ++reports; }
};

// A scratch folder removed with the test.
class TemporaryFolder {
public:
    TemporaryFolder()
    {
        const auto *info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_path = std::filesystem::temp_directory_path() /
                 ("quillmoth-test-" + std::string(info->test_suite_name()) + "-" + info->name() +
                  "-" + std::to_string(::getpid()));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TemporaryFolder() { std::filesystem::remove_all(m_path); }
    TemporaryFolder(const TemporaryFolder &) = delete;
    TemporaryFolder &operator=(const TemporaryFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }

    // Writes bytes to a file in the folder and returns its path.
    std::filesystem::path write(const std::string &name, std::string_view bytes) const
    {
        const auto file = m_path / name;
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return file;
    }

private:
    std::filesystem::path m_path;
};

} // namespace quillmoth::testing
