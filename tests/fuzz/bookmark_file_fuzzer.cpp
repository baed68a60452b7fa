// Takes any bytes as a bookmark file and checks reading, writing and the
// rewrite of a section against what is read back.

#include "fuzz_files.h"

#include "platform/bookmark_file.h"

#include "text/code_page.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace quillmoth;
using fuzzing::check;

namespace {

std::u16string ascii(const std::string &text) { return std::u16string(text.begin(), text.end()); }

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const AnsiCodePage gbk = *AnsiCodePage::named("CP936");
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    BookmarkFile file(fuzzing::writeScratch("BMK.ini", bytes), gbk);

    // The section: the text of the input's first header, or "Novel".
    std::u16string section = u"Novel";
    const std::u16string text = gbk.decode(bytes.substr(0, 200));
    if (const std::size_t open = text.find(u'['); open != std::u16string::npos) {
        const std::size_t close = text.find(u']', open);
        if (close != std::u16string::npos)
            section = text.substr(open + 1, close - open - 1);
    }
    file.hasSection(section);
    for (const char16_t *key : {u"BM1", u"BM2", u"BM3", u"BM4", u""})
        file.Read_Bmark_Key(section, key);

    // Bookmarks from the last bytes of the input.
    std::vector<StoredBookmark> marks;
    for (std::size_t i = 0; i < 4 && i < size; ++i) {
        const std::uint8_t byte = data[size - 1 - i];
        if (byte % 5 == 0)
            continue;
        marks.push_back({double(int(byte) - 20), ascii(std::to_string(int(byte) * -97))});
    }
    if (file.rewriteSection(section, marks)) {
        std::vector<StoredBookmark> expected = marks;
        std::stable_sort(expected.begin(), expected.end(),
                         [](const StoredBookmark &a, const StoredBookmark &b) {
                             return a.position < b.position;
                         });
        if (expected.size() == 1 && !(expected[0].position > 0))
            expected.clear();
        for (std::size_t i = 0; i < expected.size(); ++i) {
            const std::u16string key = u"BM" + ascii(std::to_string(i + 1));
            const std::u16string value = ascii(std::to_string(std::int64_t(expected[i].position))) +
                                         u"," + expected[i].charCode;
            check(file.Read_Bmark_Key(section, key) == value, "rewritten bookmark reads back changed");
        }
        const std::u16string after = u"BM" + ascii(std::to_string(expected.size() + 1));
        check(file.Read_Bmark_Key(section, after).empty(), "a stale bookmark survived the rewrite");
    }
    if (file.writeKey(section, u"BM4", u"77,-12345"))
        check(file.Read_Bmark_Key(section, u"BM4") == u"77,-12345", "written key reads back changed");
    if (file.deleteSection(section))
        check(file.Read_Bmark_Key(section, u"BM1").empty(), "a deleted section still has keys");
    return 0;
}
