// Loads any bytes as a language file, from text and from disk.

#include "fuzz_files.h"

#include "settings/language_table.h"

#include "text/code_page.h"

#include <cstddef>
#include <cstdint>

using namespace quillmoth;
using fuzzing::check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const LanguageTable fromText = LanguageTable::fromText(utf16FromUtf8(bytes));
    check(fromText.size() <= kLanguageKeys.size(), "more texts than keys");
    for (std::size_t k = 0; k < fromText.size(); ++k)
        check(fromText.text(kLanguageKeys[k]).has_value(), "a line's key is missing");

    LanguageTable loaded;
    loaded.insert(u"Stale", u"old");
    check(LoadLanguage(fuzzing::writeScratch("User.lan", bytes), loaded), "language did not load");
    check(!loaded.text(u"Stale").has_value(), "the old table survived a load");
    check(loaded.size() == fromText.size() || bytes.starts_with("\xEF\xBB\xBF"),
          "file and text loads differ");

    int captions = 0;
    for (const char16_t *window : {u"frmMain", u"frmPreference", u"frmThemeSet", u"frmReader"})
        ApplyLanguage(loaded, captionBindings(window),
                      [&](const CaptionBinding &, std::u16string_view) { ++captions; });
    check(captions >= 2, "fixed captions were not set");
    return 0;
}
