#include "book_command.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillmoth;

namespace {

std::variant<BookCommand, std::string> parse(std::vector<std::string> arguments)
{
    return parseBookCommand(arguments);
}

BookCommand parsed(std::vector<std::string> arguments)
{
    auto result = parse(std::move(arguments));
    EXPECT_TRUE(std::holds_alternative<BookCommand>(result))
        << (std::holds_alternative<std::string>(result) ? std::get<std::string>(result) : "");
    return std::holds_alternative<BookCommand>(result) ? std::get<BookCommand>(result) : BookCommand{};
}

bool rejected(std::vector<std::string> arguments)
{
    return std::holds_alternative<std::string>(parse(std::move(arguments)));
}

} // namespace

TEST(BookCommand, DefaultsFollowTheReader)
{
    const BookCommand command = parsed({"book.txt"});
    EXPECT_EQ(command.bookPath, "book.txt");
    EXPECT_EQ(command.settings.PageWidth, 600);
    EXPECT_EQ(command.settings.PageHeight, 900);
    EXPECT_EQ(command.settings.PadSize, 90);
    EXPECT_EQ(command.settings.LineSpace, 0);
    EXPECT_FALSE(command.settings.ReformatParagraphs);
    EXPECT_FALSE(command.fixedMetrics.has_value());
    EXPECT_EQ(command.fontFamily, "Tahoma");
    EXPECT_EQ(command.fontPoints, 9);
}

TEST(BookCommand, ReadsEveryOption)
{
    const BookCommand command =
        parsed({"--page", "480x700", "--metrics", "fixed:8,16.5,18", "--line-space=3", "--pad-size",
                "60", "--reformat", "--chapters", "--illustrations", "--big5", "--bookmarks",
                "BMK.ini", "--codepage", "CP950", "--text", "My Book.txt"});
    EXPECT_EQ(command.settings.PageWidth, 480);
    EXPECT_EQ(command.settings.PageHeight, 700);
    ASSERT_TRUE(command.fixedMetrics.has_value());
    EXPECT_EQ(command.fixedMetrics->wideWidth, 16.5);
    EXPECT_EQ(command.settings.LineSpace, 3);
    EXPECT_EQ(command.settings.PadSize, 60);
    EXPECT_TRUE(command.settings.ReformatParagraphs && command.settings.ListUpChapters &&
                command.settings.IllustrationsOn && command.settings.ForceBIG5 && command.printText);
    EXPECT_EQ(command.bookmarksFile, "BMK.ini");
    EXPECT_EQ(command.codePage, "CP950");
    EXPECT_EQ(command.bookPath, "My Book.txt");

    const BookCommand font = parsed({"--font", "Noto Serif CJK SC:10.5", "x.txt"});
    EXPECT_EQ(font.fontFamily, "Noto Serif CJK SC");
    EXPECT_EQ(font.fontPoints, 10.5);

    const BookCommand clipboard = parsed({"--clipboard", "-"});
    EXPECT_EQ(clipboard.clipboardFile, "-");
    EXPECT_TRUE(parsed({"--", "-weird.txt"}).bookPath == "-weird.txt");
}

TEST(BookCommand, RejectsBadOptions)
{
    const std::vector<std::vector<std::string>> bad = {
        {}, {"--page", "600", "a.txt"}, {"--page", "0x900", "a.txt"}, {"--page", "axb", "a.txt"},
        {"--metrics", "fixed:8,16", "a.txt"}, {"--metrics", "real:8,16,18", "a.txt"},
        {"--metrics", "fixed:8,-1,18", "a.txt"}, {"--line-space", "6", "a.txt"},
        {"--pad-size", "59", "a.txt"}, {"--pad-size", "101", "a.txt"}, {"--font", "Tahoma", "a.txt"},
        {"--font", "Tahoma:0", "a.txt"}, {"--metrics", "fixed:8,16,18", "--font", "Tahoma:9", "a.txt"},
        {"--bogus", "a.txt"}, {"a.txt", "b.txt"}, {"--clipboard", "c.txt", "a.txt"},
        {"--reformat=yes", "a.txt"}, {"a.txt", "--page"},
        // Drawing: --render and --out go together, and a turn needs its offset.
        {"--render", "2", "a.txt"}, {"--out", "p.png", "a.txt"},
        {"--render", "2", "--out", "p", "--page", "600x900", "a.txt"},
        {"--render", "2", "--out", "p", "--turn", "forward", "a.txt"},
        {"--render", "2", "--out", "p", "--turn", "up", "--offset", "1", "a.txt"},
        {"--render", "0", "--out", "p", "a.txt"}, {"--render", "2", "--out", "p", "--pad", "100x900", "a.txt"}};
    for (const auto &arguments : bad)
        EXPECT_TRUE(rejected(arguments)) << ::testing::PrintToString(arguments);
}

TEST(BookCommand, ReadsTheDrawingOptions)
{
    const BookCommand command = parsed({"--theme", "Ink Wash.thm", "--render", "6", "--out",
                                        "p.png", "--pad", "900x700", "--turn", "back", "--offset",
                                        "120.5", "a.txt"});
    EXPECT_EQ(command.themeFile, "Ink Wash.thm");
    ASSERT_TRUE(command.render.has_value());
    EXPECT_EQ(command.render->page, 6);
    EXPECT_EQ(command.render->outFile, "p.png");
    EXPECT_EQ(command.render->padWidth, 900);
    EXPECT_EQ(command.render->padHeight, 700);
    ASSERT_TRUE(command.render->turn.has_value());
    EXPECT_EQ(command.render->turn->direction, TurnOption::Direction::Back);
    EXPECT_EQ(command.render->turn->offset, 120.5);

    EXPECT_FALSE(parsed({"--render", "2", "--out", "p.png", "a.txt"}).render->turn.has_value());
}

TEST(BookCommand, HelpNeedsNothingElse)
{
    EXPECT_TRUE(parsed({"--help"}).showHelp);
    EXPECT_NE(bookCommandUsage().find("--metrics fixed:N,W,H"), std::string::npos);
}
