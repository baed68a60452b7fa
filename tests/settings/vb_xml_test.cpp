#include "settings/vb_xml.h"

#include "settings_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace quillmoth;
using namespace quillmoth::testing;

namespace {

constexpr std::u16string_view kSettings = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                          u"<SETTINGS>\n"
                                          u"    <Scheme>Sepia</Scheme>\n"
                                          u"    <UIbgImgPath>/pics/bg.jpg</UIbgImgPath>\n"
                                          u"    <PadSize>80</PadSize>\n"
                                          u"    <GlassColor>(255, 128, 0)</GlassColor>\n"
                                          u"    <List kind=\"a\"><Item ID=\"7\">seven</Item><Item ID=\"8\">eight</Item></List>\n"
                                          u"</SETTINGS>\n";

struct Loaded {
    Loaded()
    {
        xml.setTraceHandler([this](std::u16string_view text) { traces.emplace_back(text); });
        xml.setMessageHandler([this](std::u16string_view text) { messages.emplace_back(text); });
        EXPECT_TRUE(xml.OpenXML(kSettings, 1));
    }
    vbXML xml;
    std::vector<std::u16string> traces;
    std::vector<std::u16string> messages;
};

} // namespace

TEST(VbXml, OpenXML_LoadsTextOrFileAndIgnoresOtherModes)
{
    ScratchFolder folder;
    Loaded loaded;
    EXPECT_FALSE(loaded.xml.OpenXML(u"<other/>", 2));
    EXPECT_FALSE(loaded.xml.OpenXML(u"<other/>", -1));
    EXPECT_EQ(loaded.xml.ReadNodeText(u"Scheme"), u"Sepia");

    writeFile(folder / "settings.xml", "<ROOT><A>file</A></ROOT>");
    EXPECT_TRUE(loaded.xml.OpenXML((folder.path() / "settings.xml").u16string(), 0));
    EXPECT_EQ(loaded.xml.ReadNodeText(u"A"), u"file");

    // A failed load leaves an empty document, not the previous one.
    EXPECT_FALSE(loaded.xml.OpenXML(u"<ROOT><A>unclosed</ROOT>", 1));
    EXPECT_EQ(loaded.xml.ReadNodeText(u"A"), u"");
    EXPECT_FALSE(loaded.xml.loadFile(folder / "missing.xml"));
    EXPECT_FALSE(loaded.xml.loadFile(folder.path()));
    EXPECT_FALSE(loaded.xml.OpenXML(u"", 1));

    // The declaration's version and encoding outlive the document.
    ASSERT_TRUE(loaded.xml.OpenXML(kSettings, 1));
    EXPECT_EQ(loaded.xml.XMLDocumentInfo(0).value(), u"1.0");
    EXPECT_EQ(loaded.xml.XMLDocumentInfo(1).value(), u"UTF-8");
    EXPECT_FALSE(loaded.xml.XMLDocumentInfo(2));
    EXPECT_EQ(loaded.xml.XMLDocumentInfo(3).value(), u"");
    loaded.xml.CloseXML();
    EXPECT_EQ(loaded.xml.XMLDocumentInfo(0).value(), u"1.0");
}

TEST(VbXml, ReadNode_SelectsFromTheRootAndIsSilentWhenNothingMatches)
{
    Loaded loaded;
    vbXML &xml = loaded.xml;
    EXPECT_EQ(xml.ReadNodeText(u"PadSize"), u"80");
    EXPECT_EQ(xml.ReadNodeText(u"/SETTINGS/UIbgImgPath"), u"/pics/bg.jpg");
    EXPECT_EQ(xml.ReadNodeText(u"List"), u"seveneight");
    EXPECT_EQ(xml.ReadNodeText(u"List/@kind"), u"a");
    EXPECT_EQ(xml.ReadNodeName(u"*[2]"), u"UIbgImgPath");
    EXPECT_EQ(xml.ReadNodeName(u"List/@kind"), u"kind");
    EXPECT_EQ(xml.ReadNodeName(u"text()"), u"#text");
    EXPECT_EQ(xml.ReadNodeXML(u"PadSize").value(), u"<PadSize>80</PadSize>");
    EXPECT_EQ(xml.ReadNodeXML(u"List/@kind").value(), u"kind=\"a\"");
    EXPECT_FALSE(xml.ReadNodeXML(u"Missing"));
    EXPECT_EQ(xml.xml(), kSettings);
    EXPECT_TRUE(loaded.traces.empty());

    EXPECT_EQ(xml.ReadNodeText(u"Missing"), u"");
    EXPECT_EQ(xml.ReadNodeName(u"Missing"), u"");
    EXPECT_EQ(xml.ReadNodeText(u"(("), u"");
    EXPECT_EQ(xml.ReadNodeText(u"1 + 1"), u"");
    EXPECT_EQ(xml.ReadNodeText(std::u16string(u"Pad\0Size", 8)), u"");
    ASSERT_EQ(loaded.traces.size(), 5u);
    EXPECT_TRUE(loaded.traces[0].starts_with(u"ReadNodeText Err:"));
    EXPECT_TRUE(loaded.messages.empty());
}

TEST(VbXml, WriteNode_SetsTextThatReadsBackUnchanged)
{
    Loaded loaded;
    vbXML &xml = loaded.xml;
    ASSERT_TRUE(xml.WriteNode(u"PadSize", 90));
    EXPECT_EQ(xml.ReadNodeText(u"PadSize"), u"90");
    ASSERT_TRUE(xml.WriteNode(u"PadSize"));
    EXPECT_EQ(xml.ReadNodeText(u"PadSize"), u"");
    ASSERT_TRUE(xml.WriteNode(u"PadSize", u""));
    EXPECT_EQ(xml.ReadNodeXML(u"PadSize").value(), u"<PadSize></PadSize>");
    ASSERT_TRUE(xml.WriteNode(u"PadSize", true));
    EXPECT_EQ(xml.ReadNodeText(u"PadSize"), u"True");
    ASSERT_TRUE(xml.WriteNode(u"PadSize", 85.5));
    EXPECT_EQ(xml.ReadNodeText(u"PadSize"), u"85.5");

    // Whatever text is written survives a save and a load.
    const std::u16string awkward = u"  a<b>&c\"d'e\r\nf\tg\u0001h ]]> 我的藏书 \U0001F4DA ";
    ASSERT_TRUE(xml.WriteNode(u"List", awkward));
    EXPECT_EQ(xml.ReadNodeText(u"List"), awkward);
    ScratchFolder folder;
    ASSERT_TRUE(xml.saveFile(folder / "round.xml"));
    vbXML reloaded;
    ASSERT_TRUE(reloaded.loadFile(folder / "round.xml"));
    EXPECT_EQ(reloaded.ReadNodeText(u"List"), awkward);
    EXPECT_EQ(reloaded.xml(), xml.xml());
}

TEST(VbXml, WriteNode_NeverCreatesNodesAndReportsTheFailure)
{
    Loaded loaded;
    const std::u16string before = loaded.xml.xml();
    const XmlStatus status = loaded.xml.WriteNode(u"Missing", u"x");
    EXPECT_FALSE(status);
    EXPECT_NE(status.error().find(u"Missing"), std::u16string::npos);
    EXPECT_FALSE(loaded.xml.WriteNode(u"/", u"x"));
    EXPECT_EQ(loaded.xml.xml(), before);

    vbXML empty;
    EXPECT_FALSE(empty.WriteNode(u"PadSize", u"x"));
    EXPECT_EQ(empty.xml(), u"");
}

TEST(VbXml, AttributesAndNodes_AreReadWrittenAndDeleted)
{
    Loaded loaded;
    vbXML &xml = loaded.xml;
    EXPECT_EQ(xml.ReadAttribute(u"List", u"kind"), u"a");
    xml.WriteAttribute(u"List", u"kind", u"b");
    xml.WriteAttribute(u"List", u"count", 2);
    EXPECT_EQ(xml.ReadAttribute(u"List", u"kind"), u"b");
    EXPECT_EQ(xml.ReadAttribute(u"List", u"count"), u"2");
    EXPECT_TRUE(loaded.messages.empty());

    // Failures of the silent members leave only a trace.
    xml.WriteAttribute(u"Missing", u"kind", u"x");
    xml.WriteAttribute(u"List", u"bad name", u"x");
    EXPECT_EQ(loaded.traces.size(), 2u);
    EXPECT_TRUE(loaded.traces[0].starts_with(u"WriteAttribute err: "));
    EXPECT_EQ(xml.ReadNodeXML(u"List/Item[1]").value(), u"<Item ID=\"7\">seven</Item>");

    // ReadAttribute tells the user about its failures.
    EXPECT_EQ(xml.ReadAttribute(u"List", u"absent"), u"");
    EXPECT_EQ(xml.ReadAttribute(u"Missing", u"kind"), u"");
    ASSERT_EQ(loaded.messages.size(), 2u);
    EXPECT_TRUE(loaded.messages[0].starts_with(u"ReadAttribute Err: "));

    EXPECT_TRUE(xml.DeleteAttribute(u"List", u"kind"));
    EXPECT_TRUE(xml.DeleteAttribute(u"List", u"absent"));
    EXPECT_FALSE(xml.DeleteAttribute(u"Missing", u"kind"));
    EXPECT_EQ(xml.ReadNodeXML(u"List/@*").value(), u"count=\"2\"");

    // Deleting takes elements only, from their parent.
    EXPECT_TRUE(xml.DeleteNode(u"List/Item[1]"));
    EXPECT_EQ(xml.ReadNodeText(u"List"), u"eight");
    EXPECT_FALSE(xml.DeleteNode(u"List/Item[5]"));
    EXPECT_FALSE(xml.DeleteNode(u"List/@count"));
}

TEST(VbXml, Children_AreCountedWithTextNodes)
{
    Loaded loaded;
    vbXML &xml = loaded.xml;
    int pendingRuns = 0;
    xml.setPendingEventsHandler([&] { ++pendingRuns; });
    // Five elements, each after a line break and indentation, and a last line break.
    EXPECT_EQ(xml.NodeCount(u"."), 11);
    EXPECT_EQ(xml.NodeCount(u"List"), 2);
    EXPECT_EQ(xml.NodeCount(u"Missing"), 0);
    EXPECT_EQ(xml.GetChildName(u".", 0).value(), u"#text");
    EXPECT_EQ(xml.GetChildName(u".", 1).value(), u"Scheme");
    EXPECT_FALSE(xml.GetChildName(u".", 11));
    EXPECT_FALSE(xml.GetChildName(u".", -1));
    EXPECT_EQ(xml.GetChildValue(u".", 5), u"80");
    EXPECT_EQ(xml.GetChildValue(u".", 50), u"");
    EXPECT_EQ(pendingRuns, 2);
    EXPECT_EQ(xml.GetChildAttribute(u"List", 1, u"ID"), u"8");
    EXPECT_EQ(xml.GetChildAttribute(u"List", 9, u"ID"), u"");

    xml.WriteChildAttribute(u"List", u"Seen", true, 0);
    xml.WriteChildAttribute(u".", u"Seen", true, 0);  // a text node: silently nothing
    EXPECT_EQ(xml.ReadNodeXML(u"List/Item[1]").value(), u"<Item ID=\"7\" Seen=\"True\">seven</Item>");
    xml.WriteChildNodeByID(u"List", u"8", u"changed");
    xml.WriteChildNodeByID(u"List", u"9", u"nowhere");
    xml.WriteChildNodeByID(u"List", u"\"", u"bad XPath");
    EXPECT_EQ(xml.ReadNodeText(u"List/Item[@ID=\"8\"]"), u"changed");
    EXPECT_EQ(xml.ReadNodeText(u"List"), u"sevenchanged");
}

TEST(VbXml, MakeNode_AppendsWithIndentationAndAttributes)
{
    vbXML xml;
    ASSERT_TRUE(xml.OpenXML(u"<SETTINGS><Group/></SETTINGS>", 1));
    xml.MakeNode(u"Group", u"Item", 7, true, {{{u"ID", u"7"}, {u"", u"skipped"}, {u"Kind", 2}}});
    xml.MakeNode(u"Group", u"Plain");
    xml.MakeSECTION(u".", u"Section");
    EXPECT_EQ(xml.xml(), u"<SETTINGS><Group>\r\n    <Item ID=\"7\" Kind=\"2\">7</Item>\r\n        "
                         u"<Plain></Plain>\r\n        </Group><Section></Section></SETTINGS>\r\n");

    // Bad names or a missing parent change nothing.
    const std::u16string before = xml.xml();
    xml.MakeNode(u"Missing", u"Item");
    xml.MakeNode(u"Group", u"1bad");
    xml.MakeNode(u"Group", u"Item", u"x", true, {{{u"ID", 1}, {u"bad name", 2}}});
    xml.MakeSECTION(u"Group", u"");
    xml.MakeSECTION(u"Group", u"a b");
    EXPECT_EQ(xml.xml(), before);
}

TEST(VbXml, Colors_ParseAndFormatTheParenthesisedTriple)
{
    Loaded loaded;
    vbXML &xml = loaded.xml;
    EXPECT_EQ(xml.GetColorValue(u"GlassColor").value(), 33023);
    ASSERT_TRUE(xml.SetColorValue(u"GlassColor", 12, 0, 255));
    EXPECT_EQ(xml.ReadNodeText(u"GlassColor"), u"(12, 0, 255)");
    EXPECT_EQ(xml.GetColorValue(u"GlassColor").value(), 12 + 255 * 65536);

    const auto colorOf = [&](std::u16string_view text) {
        EXPECT_TRUE(xml.WriteNode(u"GlassColor", text));
        return xml.GetColorValue(u"GlassColor");
    };
    EXPECT_EQ(colorOf(u"(300, 1.5, 2.5)").value(), 255 + 2 * 256 + 2 * 65536);
    EXPECT_EQ(colorOf(u"(x, y, z)").value(), 0);
    EXPECT_FALSE(colorOf(u"(1, -3, 2)"));
    EXPECT_FALSE(colorOf(u"(1, 2)"));
    EXPECT_FALSE(colorOf(u"1,2,3"));
    EXPECT_FALSE(colorOf(u"(1e99, 2, 3)"));
    EXPECT_FALSE(xml.GetColorValue(u"Missing"));
}

TEST(VbXml, Save_WritesAtomicallyAndKeepsTheFileAsItWas)
{
    ScratchFolder folder;
    const std::string original = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- kept -->\r\n"
                                 "<SETTINGS>\r\n  <PadSize>80</PadSize>\r\n  <?note kept?>\r\n"
                                 "  <Big5>False</Big5>\r\n</SETTINGS>\r\n";
    writeFile(folder / "UIsettings.xml", original);
    vbXML xml;
    ASSERT_TRUE(xml.loadFile(folder / "UIsettings.xml"));
    ASSERT_TRUE(xml.Save((folder.path() / "UIsettings.xml").u16string()));
    EXPECT_EQ(readFile(folder / "UIsettings.xml"), original);
    ASSERT_TRUE(xml.WriteNode(u"PadSize", u"100"));
    ASSERT_TRUE(xml.Save((folder.path() / "UIsettings.xml").u16string()));
    std::string expected = original;
    expected.replace(expected.find("80"), 2, "100");
    EXPECT_EQ(readFile(folder / "UIsettings.xml"), expected);
    EXPECT_EQ(fileNames(folder.path()), std::vector<std::string>{"UIsettings.xml"});

    // A save that cannot happen leaves the file alone and says why.
    const XmlStatus failed = xml.saveFile(folder / "missing" / "UIsettings.xml");
    EXPECT_FALSE(failed);
    EXPECT_FALSE(failed.error().empty());
    EXPECT_FALSE(xml.Save(u""));
}

TEST(VbXml, Encodings_ADeclaredLatin1FileIsSavedAsUtf8AndReadsBack)
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
    vbXML reloaded;
    ASSERT_TRUE(reloaded.loadFile(folder / "latin.xml"));
    EXPECT_EQ(reloaded.ReadNodeText(u"Scheme"), u"Thé vert");

    // UTF-8 with a byte-order mark and UTF-16 load as well.
    writeFile(folder / "bom.xml", "\xEF\xBB\xBF<R><A>\xE4\xB9\xA6</A></R>");
    ASSERT_TRUE(reloaded.loadFile(folder / "bom.xml"));
    EXPECT_EQ(reloaded.ReadNodeText(u"A"), u"书");
    writeFile(folder / "utf16.xml", std::string("\xFF\xFE<\0R\0>\0\x66\x4E<\0/\0R\0>\0", 18));
    ASSERT_TRUE(reloaded.loadFile(folder / "utf16.xml"));
    EXPECT_EQ(reloaded.ReadNodeText(u"."), u"书");
}

TEST(VbXml, AppendRootElement_IndentsLikeTheFirstElement)
{
    vbXML xml;
    ASSERT_TRUE(xml.OpenXML(u"<SETTINGS>\n    <A>1</A>\n</SETTINGS>", 1));
    ASSERT_TRUE(xml.appendRootElement(u"B", u"2"));
    EXPECT_EQ(xml.xml(), u"<SETTINGS>\n    <A>1</A>\n    <B>2</B>\n</SETTINGS>\n");
    EXPECT_FALSE(xml.appendRootElement(u"not a name", u"3"));
    ASSERT_TRUE(xml.OpenXML(u"<R><A/></R>", 1));
    ASSERT_TRUE(xml.appendRootElement(u"B", u""));
    EXPECT_EQ(xml.xml(), u"<R><A></A><B></B></R>\n");
}
