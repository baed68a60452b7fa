#include "book_json.h"

#include "engine/book.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace quillmoth;

TEST(BookJson, EscapesTextAsUtf8)
{
    EXPECT_EQ(jsonString(u"a\"b\\c\r\n\t\x01"), "\"a\\\"b\\\\c\\r\\n\\t\\u0001\"");
    EXPECT_EQ(jsonString(u"的\U0001F600"), "\"\xE7\x9A\x84\xF0\x9F\x98\x80\"");
    std::u16string lone(1, char16_t(0xD800));
    EXPECT_EQ(jsonString(lone + u"x"), "\"\\ud800x\"");
    EXPECT_EQ(jsonString(std::u16string(1, char16_t(0xDC00))), "\"\\udc00\"");
}

TEST(BookJson, PrintsTheRecordFields)
{
    Book book;
    book.BookFileName = u"Novel.txt";
    book.DetectedEncoding = 0;
    book.IsCJK = true;
    book.CharsPerLine = 33;
    book.LinesPerPage = 44;
    book.IllustrationTop = 720;
    book.PageCount = 2;
    book.Pages = PageTexts(u"line\r\n", {{0, 6}, {6, 0}, {0, 6}});
    book.ChapterTitles = {u"第一章"};
    book.ChapterPages = {1};
    book.Bookmarks = {BookmarkRec{}, BookmarkRec{12.5, u"-19004"}};
    book.BookmarkPages = {2};
    book.BookmarkCount = 1;
    book.BookText = u"text";
    const std::string json = bookToJson(book, IncludeText::Yes);
    EXPECT_EQ(json,
              "{\n"
              "  \"bookFileName\": \"Novel.txt\",\n"
              "  \"encoding\": 0,\n"
              "  \"isCJK\": true,\n"
              "  \"charsPerLine\": 33,\n"
              "  \"linesPerPage\": 44,\n"
              "  \"avgCharWidth\": null,\n"
              "  \"illustrationTop\": 720,\n"
              "  \"pageCount\": 2,\n"
              "  \"pages\": [\n"
              "    \"line\\r\\n\",\n"
              "    \"\"\n"
              "  ],\n"
              "  \"chapters\": [{\"title\": \"\xE7\xAC\xAC\xE4\xB8\x80\xE7\xAB\xA0\", \"page\": 1}],\n"
              "  \"bookmarks\": [{\"position\": 0, \"charCode\": \"\"}, {\"position\": 12.5, "
              "\"charCode\": \"-19004\"}],\n"
              "  \"bookmarkPages\": [2],\n"
              "  \"bookmarkCount\": 1,\n"
              "  \"error\": 0,\n"
              "  \"text\": \"text\"\n"
              "}\n");

    book.IsCJK = false;
    book.AvgCharWidth = 536.0f / 66.0f;
    book.DetectedEncoding.reset();
    const std::string western = bookToJson(book, IncludeText::No);
    EXPECT_NE(western.find("\"avgCharWidth\": 8.121212,"), std::string::npos);
    EXPECT_NE(western.find("\"encoding\": null,"), std::string::npos);
    EXPECT_EQ(western.find("\"text\""), std::string::npos);
    EXPECT_NE(western.find("\"error\": 0\n}"), std::string::npos);
}

namespace {

struct CommandRun {
    int status;
    std::string output;
};

CommandRun runCommand(const std::string &arguments, const std::string &input = {})
{
    std::string command = std::string(QUILLMOTH_BOOK_EXECUTABLE) + " " + arguments + " 2>/dev/null";
    if (!input.empty())
        command = "printf '%s' '" + input + "' | " + command;
    FILE *pipe = ::popen(command.c_str(), "r");
    std::string output;
    std::array<char, 4096> buffer{};
    for (std::size_t read; (read = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
        output.append(buffer.data(), read);
    const int status = ::pclose(pipe);
    return {WEXITSTATUS(status), output};
}

} // namespace

TEST(BookCommandLine, ExitsWithTwoOnBadOptionsAndZeroWithARecord)
{
    if (std::string(QUILLMOTH_BOOK_EXECUTABLE).empty())
        GTEST_SKIP() << "quillmoth-book is not built without Qt";
    EXPECT_EQ(runCommand("--page 12 x.txt").status, 2);
    EXPECT_EQ(runCommand("--codepage NOPE --metrics fixed:8,16,18 x.txt").status, 2);
    const CommandRun missing = runCommand("--metrics fixed:8,16,18 /no/such/book.txt");
    EXPECT_EQ(missing.status, 0);
    EXPECT_NE(missing.output.find("\"pageCount\": 2,"), std::string::npos);
    EXPECT_NE(missing.output.find("\"encoding\": -1,"), std::string::npos);
    const CommandRun clipboard = runCommand("--metrics fixed:8,16,18 --text --clipboard -", "Hello there");
    EXPECT_EQ(clipboard.status, 0);
    EXPECT_NE(clipboard.output.find("\"bookFileName\": \"Clipboard text\""), std::string::npos);
    EXPECT_NE(clipboard.output.find("\"encoding\": null"), std::string::npos);
    EXPECT_NE(clipboard.output.find("\"text\": \"Hello there\""), std::string::npos);
    const CommandRun help = runCommand("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.output.find("usage:"), std::string::npos);
}

namespace {

// The width and height a PNG file's header gives; zeros when it is no PNG.
std::pair<int, int> pngSize(const std::filesystem::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    unsigned char header[24] = {};
    stream.read(reinterpret_cast<char *>(header), sizeof header);
    if (!stream || header[1] != 'P' || header[2] != 'N' || header[3] != 'G')
        return {0, 0};
    const auto number = [&](int at) {
        return int(header[at]) << 24 | int(header[at + 1]) << 16 | int(header[at + 2]) << 8 |
               int(header[at + 3]);
    };
    return {number(16), number(20)};
}

} // namespace

TEST(BookCommandLine, RendersThePadAndTurnFrames)
{
    if (std::string(QUILLMOTH_BOOK_EXECUTABLE).empty())
        GTEST_SKIP() << "quillmoth-book is not built without Qt";
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "quillmoth-render.png";
    const std::string book = "\"" QUILLMOTH_SOURCE_DIR "/resources/books/The Lighthouse Keeper.txt\"";
    std::filesystem::remove(out);
    const CommandRun spread = runCommand("--render 4 --pad 900x640 --out " + out.string() + " " + book);
    EXPECT_EQ(spread.status, 0);
    EXPECT_EQ(pngSize(out), std::make_pair(900, 640));
    EXPECT_NE(spread.output.find("\"pageCount\": "), std::string::npos);

    std::filesystem::remove(out);
    EXPECT_EQ(runCommand("--render 4 --turn back --offset 200 --out " + out.string() + " " + book).status, 0);
    EXPECT_EQ(pngSize(out), std::make_pair(1263, 912));

    // No spread of that page, and no way forward from the last spread.
    EXPECT_EQ(runCommand("--render 9999 --out " + out.string() + " " + book).status, 2);
    EXPECT_EQ(runCommand("--render 2 --turn back --offset 10 --out " + out.string() + " " + book).status, 2);
    std::filesystem::remove(out);
}
