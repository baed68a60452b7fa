// Feeds any bytes to the settings file loader and to every member of the XML
// document class, and checks that what the program writes always loads again.

#include "fuzz_files.h"

#include "settings/language_table.h"
#include "settings/ui_settings.h"
#include "settings/vb_xml.h"

#include "text/code_page.h"

#include <cstddef>
#include <cstdint>
#include <string>

using namespace quillmoth;
using fuzzing::check;

namespace {

std::u16string withoutNul(std::u16string text)
{
    std::erase(text, u'\0');
    return text;
}

void exerciseMembers(vbXML &xml, std::u16string_view inputXPath)
{
    const std::u16string_view xpaths[] = {u"*",           u"PadSize",  u"/SETTINGS/UIbgImgPath",
                                          u"//@*",        u"..",       u"/",
                                          u"text()",      u"comment()", u"//*[last()]",
                                          u"node()[2]",   inputXPath};
    xml.xml();
    for (int which = -1; which <= 3; ++which)
        xml.XMLDocumentInfo(which);
    for (const std::u16string_view xpath : xpaths) {
        xml.ReadNodeText(xpath);
        xml.ReadNodeName(xpath);
        xml.ReadNodeXML(xpath);
        xml.NodeCount(xpath);
        xml.GetColorValue(xpath);
        xml.ReadAttribute(xpath, u"ID");
        for (std::int16_t index = -1; index <= 2; ++index) {
            xml.GetChildName(xpath, index);
            xml.GetChildValue(xpath, index);
            xml.GetChildAttribute(xpath, index, u"ID");
        }
    }
    xml.WriteNode(u"*", u"x\r\n<&>");
    xml.WriteAttribute(u"*", u"ID", 7);
    xml.WriteChildAttribute(u".", u"Kind", true, 1);
    xml.MakeSECTION(u".", u"Section");
    xml.MakeNode(u".", u"Item", 90, true, {{{u"ID", u"7"}, {u"bad name", 1}}});
    xml.MakeNode(u"Section", u"Item", u"v", false, {{{u"ID", u"8"}, {u"Kind", 2.5}}});
    xml.WriteChildNodeByID(u"Section", u"8", u"changed");
    xml.SetColorValue(u"*", 255, -1, 300);
    xml.DeleteAttribute(u"*", u"ID");
    xml.DeleteNode(u"*[last()]");
    xml.DeleteNode(inputXPath);
    xml.WriteNode(inputXPath, inputXPath);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const std::filesystem::path folder = fuzzing::scratchFolder() / "app";
    std::filesystem::create_directories(folder / "Settings");
    SettingsDocument document;
    document.SettingsFilePath = settingsFilePath(folder);
    fuzzing::writeScratch("app/Settings/UIsettings.xml", bytes);

    // Loading always ends with usable values and a loadable file on disk.
    UISettings values;
    const LanguageTable language;
    bool reported = false;
    const bool loaded = LoadUISettings(document, values, folder, language,
                                       [&](const SettingsErrorReport &) { reported = true; });
    check(loaded, "settings did not load");
    check(!values.padSize.empty(), "empty pad size");
    vbXML reread;
    check(reread.loadFile(document.SettingsFilePath), "settings file on disk does not load");

    // A written value reads back unchanged, and the file still loads.
    const std::u16string value = withoutNul(utf16FromUtf8(bytes.substr(0, 48)));
    if (WriteSetting(document, u"PadSize", value)) {
        vbXML written;
        check(written.loadFile(document.SettingsFilePath), "written file does not load");
        check(written.ReadNodeText(u"PadSize") == value, "written value reads back changed");
    }
    if (WriteSetting(document, u"NewKey", value)) {
        vbXML written;
        check(written.loadFile(document.SettingsFilePath), "file with a new key does not load");
        check(written.ReadNodeText(u"NewKey") == value, "new key reads back changed");
    }

    // The whole class on the raw input, then a save that must load again.
    const std::u16string text = utf16FromUtf8(bytes);
    const std::u16string inputXPath = text.substr(0, text.find(u'\n'));
    vbXML xml;
    const bool parsed = xml.OpenXML(text, 1);
    exerciseMembers(xml, inputXPath);
    if (parsed && xml.ReadNodeName(u".") != u"") {
        const std::filesystem::path saved = fuzzing::scratchFolder() / "saved.xml";
        if (xml.saveFile(saved)) {
            vbXML again;
            check(again.loadFile(saved), "saved document does not load");
        }
    }
    return 0;
}
