#include "platform/bookmark_file.h"

#include "engine/code_page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace quillmoth;

namespace {

const AnsiCodePage &gbk()
{
    static const AnsiCodePage codePage = *AnsiCodePage::named("CP936");
    return codePage;
}

std::filesystem::path writeFile(const std::string &name, const std::string &bytes)
{
    const auto folder = std::filesystem::temp_directory_path() / "quillmoth-bookmark-test";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << bytes;
    return folder / name;
}

} // namespace

TEST(BookmarkFile, SectionTestIsAPlainCaseSensitiveSearch)
{
    const BookmarkFile file(writeFile("a.ini", "[Novel]\r\nBM1=1,2\r\n; [Mentioned]\r\n"), gbk());
    EXPECT_TRUE(file.hasSection(u"Novel"));
    EXPECT_FALSE(file.hasSection(u"novel"));
    EXPECT_TRUE(file.hasSection(u"Mentioned"));
    EXPECT_FALSE(BookmarkFile("/no/such/BMK.ini", gbk()).hasSection(u"Novel"));
}

TEST(BookmarkFile, ReadsKeysTrimmedAndCutAt255Characters)
{
    const std::string longValue(300, '7');
    const BookmarkFile file(writeFile("b.ini", "[Novel]\r\nBM1=  12,-19004  \r\nBM2=" + longValue +
                                                   "\r\nBM4=\r\n"),
                            gbk());
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM1"), u"12,-19004");
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM2").size(), 255u);
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM3"), u"");
    EXPECT_EQ(file.Read_Bmark_Key(u"Novel", u"BM4"), u"");
    EXPECT_EQ(file.Read_Bmark_Key(u"Other", u"BM1"), u"");
}
