#include "book_json.h"

#include "engine/book.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

using namespace quillmoth;

// The record's fields and layout are held by the golden books' records.
TEST(BookJson, EscapesTextAsUtf8)
{
    EXPECT_EQ(jsonString(u"a\"b\\c\r\n\t\x01"), "\"a\\\"b\\\\c\\r\\n\\t\\u0001\"");
    EXPECT_EQ(jsonString(u"的\U0001F600"), "\"\xE7\x9A\x84\xF0\x9F\x98\x80\"");
    std::u16string lone(1, char16_t(0xD800));
    EXPECT_EQ(jsonString(lone + u"x"), "\"\\ud800x\"");
    EXPECT_EQ(jsonString(std::u16string(1, char16_t(0xDC00))), "\"\\udc00\"");
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
