#pragma once

#include "engine/book.h"
#include "engine/code_page.h"
#include "engine/text_metrics.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

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

// Narrow characters 8 pixels, wide ones 16, lines 18 high.
inline const FixedTextMetrics &fixedMetrics()
{
    static const FixedTextMetrics metrics(8, 16, 18);
    return metrics;
}

// Settings for a page of this size, everything else as the defaults.
inline BookSettings page(int width, int height)
{
    BookSettings settings;
    settings.PageWidth = width;
    settings.PageHeight = height;
    return settings;
}

// Lays out a text as a clipboard book.
inline Book layOut(std::u16string_view text, const BookSettings &settings = {},
                   const TextMetrics &metrics = fixedMetrics())
{
    return Book_CreatBOOK(text, true, settings, metrics, gbk(), nullptr);
}

// The pages of a book, 1 to PageCount.
inline std::vector<std::u16string> pagesOf(const Book &book)
{
    std::vector<std::u16string> pages;
    for (int page = 1; page <= book.PageCount; ++page)
        pages.emplace_back(book.Pages.page(page));
    return pages;
}

// `piece` written `times` times.
inline std::u16string repeat(std::u16string_view piece, int times)
{
    std::u16string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

// A text of `count` Chinese characters.
inline std::u16string chinese(std::size_t count, char16_t first = u'一')
{
    std::u16string text;
    for (std::size_t i = 0; i < count; ++i)
        text += char16_t(first + (i % 200));
    return text;
}

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

// UTF-16 text of a file path, as book creation takes it.
inline std::u16string pathText(const std::filesystem::path &path)
{
    const std::u8string utf8 = path.u8string();
    std::u16string text;
    // Test paths are ASCII.
    for (char8_t c : utf8)
        text += char16_t(c);
    return text;
}

} // namespace quillmoth::testing

#include <unistd.h>
