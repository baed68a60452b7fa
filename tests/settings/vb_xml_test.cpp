// The XML document behind the settings file. The members the program does
// not call are the settings_xml fuzz corpus's part: it runs each of them on
// hostile documents and paths, and checks that any text written through the
// settings reads back unchanged. That a write never creates an element is
// pinned by the settings tests, which add one with its indentation.
#include "settings/vb_xml.h"

#include "../platform/app_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillmoth;
using namespace quillmoth::testing;
using namespace std::string_view_literals;

// A failed load leaves an empty document, not the previous one; a path that
// selects nothing or is no path at all reads as empty text, never a message
// to the user.
TEST(VbXml, LoadsAndReadsQuietlyWhatIsNotThere)
{
    vbXML xml;
    std::vector<std::u16string> messages;
    xml.setMessageHandler([&](std::u16string_view text) { messages.emplace_back(text); });
    ASSERT_TRUE(xml.OpenXML(u"<SETTINGS><UIbgImgPath>/bg.jpg</UIbgImgPath><PadSize>80</PadSize></SETTINGS>", 1));
    EXPECT_EQ(xml.ReadNodeText(u"/SETTINGS/UIbgImgPath"), u"/bg.jpg");
    EXPECT_FALSE(xml.OpenXML(u"<other/>", 2));
    EXPECT_EQ(xml.ReadNodeText(u"PadSize"), u"80");
    for (const std::u16string_view path : {u"Missing"sv, u"(("sv, u"1 + 1"sv, std::u16string_view(u"Pad\0Size", 8)})
        EXPECT_EQ(xml.ReadNodeText(path), u"");
    EXPECT_TRUE(messages.empty());

    EXPECT_FALSE(xml.OpenXML(u"<ROOT><A>unclosed</ROOT>", 1));
    EXPECT_EQ(xml.ReadNodeText(u"A"), u"");
    EXPECT_EQ(xml.xml(), u"");
}

// Comments, processing instructions and line ends survive a save; the file
// is replaced whole, and a save that cannot happen says why.
TEST(VbXml, SaveKeepsTheFileAsItWasApartFromTheChange)
{
    ScratchFolder folder;
    const std::string original = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- kept -->\r\n"
                                 "<SETTINGS>\r\n  <PadSize>80</PadSize>\r\n  <?note kept?>\r\n"
                                 "  <Big5>False</Big5>\r\n</SETTINGS>\r\n";
    writeFile(folder / "UIsettings.xml", original);
    vbXML xml;
    ASSERT_TRUE(xml.loadFile(folder / "UIsettings.xml"));
    ASSERT_TRUE(xml.WriteNode(u"PadSize", u"100"));
    ASSERT_TRUE(xml.Save((folder.path() / "UIsettings.xml").u16string()));
    EXPECT_EQ(readFile(folder / "UIsettings.xml"), std::string(original).replace(original.find("80"), 2, "100"));
    EXPECT_EQ(fileNames(folder.path()), std::vector<std::string>{"UIsettings.xml"});

    const XmlStatus failed = xml.saveFile(folder / "missing" / "UIsettings.xml");
    EXPECT_FALSE(failed);
    EXPECT_FALSE(failed.error().empty());
    EXPECT_FALSE(xml.Save(u""));
}

// A declared Latin-1 file is saved as UTF-8; a byte-order mark loads as well
// (UTF-16 takes the same way in).
TEST(VbXml, EncodingsReadInTheirOwnWayAndSaveAsUtf8)
{
    ScratchFolder folder;
    writeFile(folder / "latin.xml",
              "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n<SETTINGS><Scheme>caf\xE9</Scheme></SETTINGS>\n");
    vbXML xml;
    ASSERT_TRUE(xml.loadFile(folder / "latin.xml"));
    EXPECT_EQ(xml.ReadNodeText(u"Scheme"), u"café");
    ASSERT_TRUE(xml.WriteNode(u"Scheme", u"Thé vert"));
    ASSERT_TRUE(xml.saveFile(folder / "latin.xml"));
    EXPECT_EQ(readFile(folder / "latin.xml"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<SETTINGS><Scheme>Th\xC3\xA9 vert</Scheme></SETTINGS>\n");

    writeFile(folder / "bom.xml", "\xEF\xBB\xBF<R><A>\xE4\xB9\xA6</A></R>");
    ASSERT_TRUE(xml.loadFile(folder / "bom.xml"));
    EXPECT_EQ(xml.ReadNodeText(u"A"), u"书");
}
