// Whole books laid out and compared with their recorded JSON, so that any
// change of layout shows up as a reviewed diff of tests/data/golden/.

#include "book_command.h"
#include "book_json.h"

#include "engine/text_metrics.h"
#include "platform/bookmark_file.h"
#include "platform/bookmark_source_adapter.h"
#include "text/code_page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace quillmoth;

namespace {

const std::filesystem::path kSourceDir = QUILLMOTH_SOURCE_DIR;

struct GoldenCase {
    std::string name;
    std::vector<std::string> arguments;
};

std::string trim(const std::string &text)
{
    const auto first = text.find_first_not_of(' ');
    const auto last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::vector<GoldenCase> readCases()
{
    std::vector<GoldenCase> cases;
    std::ifstream file(kSourceDir / "tests/data/golden/cases.txt");
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto first = line.find('|');
        const auto second = line.find('|', first + 1);
        GoldenCase golden{trim(line.substr(0, first)), {"--codepage", "CP936"}};
        std::istringstream options(line.substr(first + 1, second - first - 1));
        for (std::string option; options >> option;)
            golden.arguments.push_back(option);
        golden.arguments.push_back(trim(line.substr(second + 1)));
        cases.push_back(golden);
    }
    return cases;
}

std::string readFile(const std::filesystem::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(stream)), {});
}

} // namespace

TEST(GoldenBooks, EveryCaseMatchesItsRecord)
{
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(kSourceDir);
    const std::vector<GoldenCase> cases = readCases();
    ASSERT_GE(cases.size(), 5u);
    for (const GoldenCase &golden : cases) {
        SCOPED_TRACE(golden.name);
        auto parsed = parseBookCommand(golden.arguments);
        ASSERT_TRUE(std::holds_alternative<BookCommand>(parsed));
        const BookCommand &command = std::get<BookCommand>(parsed);
        ASSERT_TRUE(command.fixedMetrics.has_value());
        const AnsiCodePage codePage = *AnsiCodePage::named(*command.codePage);
        const FixedTextMetrics metrics(command.fixedMetrics->narrowWidth,
                                       command.fixedMetrics->wideWidth,
                                       command.fixedMetrics->height);
        std::optional<BookmarkFile> bookmarkFile;
        std::optional<BookmarkFileSource> bookmarks;
        if (command.bookmarksFile) {
            bookmarkFile.emplace(*command.bookmarksFile, codePage);
            bookmarks.emplace(*bookmarkFile);
        }
        const Book book = Book_CreatBOOK(utf16FromUtf8(command.bookPath), false, command.settings, metrics,
                                         codePage, bookmarks ? &*bookmarks : nullptr);
        const std::string expected =
            readFile(kSourceDir / "tests/data/golden" / (golden.name + ".json"));
        ASSERT_FALSE(expected.empty()) << "no golden record; run scripts/regenerate-golden.sh";
        EXPECT_EQ(bookToJson(book, IncludeText::No), expected);
    }
    std::filesystem::current_path(previous);
}
