// Reads any bytes as a theme file and checks that a theme written from the
// resulting record reads back as the same record.

#include "fuzz_files.h"

#include "settings/theme_file.h"

#include "text/code_page.h"
#include "text/text_decoding.h"
#include "text/text_paths.h"

#include <cstddef>
#include <cstdint>

using namespace quillmoth;
using fuzzing::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const AnsiCodePage gbk = *AnsiCodePage::named("CP936");
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const std::u16string text =
        size > 0 && (data[0] & 1) ? decodeBookBytes(bytes, kUtf8, gbk) : gbk.decode(bytes);

    // Every path "exists", so that path fields survive and take part in the round trip.
    const ThemePathCheck anyPath = [](std::u16string_view path, ThemePathKind) {
        return text::pathFromText(path);
    };
    ThemeRecord theme;
    readThemeFields(text, theme, anyPath);
    check(theme.LineSpace >= 0 && theme.LineSpace <= 5, "line space out of range");

    if (const std::optional<std::u16string> line = themeFileLine(theme, {})) {
        check(line->ends_with(std::u16string_view(u"\0\r\n", 3)), "line without NUL and CR LF");
        ThemeRecord again;
        again.FontBold = !theme.FontBold;
        again.OutlineColor = theme.OutlineColor + 1;
        readThemeFields(*line, again, anyPath);
        check(again == theme, "theme does not read back as written");
    }

    // The real check touches the file system with whatever paths the input holds.
    ThemeRecord checked;
    readThemeFields(text, checked, existingPathCheck(fuzzing::scratchFolder()));
    return 0;
}
