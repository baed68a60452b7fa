#pragma once

// What the pad benchmarks share: an offscreen application, the shipped
// Parchment theme and a sample book laid out on a 1263 x 912 pad.

#include "engine/book.h"
#include "text/code_page.h"
#include "text/text_decoding.h"
#include "text/app_folder.h"
#include "reader/reader.h"
#include "settings/language_table.h"
#include "settings/theme_file.h"
#include "settings/ui_settings.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <memory>
#include <vector>

namespace quillmoth::bench {

inline const std::filesystem::path kAppFolder = QUILLMOTH_APP_DIR;

// CPU time of the calling thread, in milliseconds: a busy machine does not
// stretch it the way it stretches wall time.
inline double threadMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct PadBench {
    PadBench()
        : folder(kAppFolder), codePage(*AnsiCodePage::named("CP936"))
    {
        std::int32_t encoding = kDetectEncoding;
        const std::u16string text =
            LoadTextFile(folder.ThemesFolder() / "Parchment.thm", encoding, codePage);
        readThemeFields(text, theme, existingPathCheck(folder.root()));
        settings.padSize = u"90";
    }

    ReaderContext context() const { return {folder, theme, settings, language, codePage}; }

    // A pad showing the first spread of the Chinese sample book.
    std::unique_ptr<Reader> openPad(const std::filesystem::path &book)
    {
        auto reader = std::make_unique<Reader>(context());
        reader->resize(1263, 912);
        reader->setOpenSynchronously(true);
        reader->setInstantAnimations(true);
        reader->Initialize_Reader();
        reader->Book_CreatBOOK(book.u16string(), false);
        return reader;
    }

    // The pad with the sample book every pad benchmark reads, or nothing
    // (said on stderr) when it does not open.
    std::unique_ptr<Reader> openSamplePad(const char *benchmark)
    {
        std::unique_ptr<Reader> pad = openPad(folder.defaultBookFolder() / "山居秋暝录.txt");
        if (pad->book() == nullptr) {
            std::fprintf(stderr, "%s: the sample book did not open\n", benchmark);
            return nullptr;
        }
        return pad;
    }

    AppFolder folder;
    AnsiCodePage codePage;
    ThemeRecord theme;
    UISettings settings;
    LanguageTable language;
};

// The fastest of `runs` measurements of `work`.
template <typename Work>
double fastest(int runs, Work work)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const double start = threadMilliseconds();
        work();
        best = std::min(best, threadMilliseconds() - start);
    }
    return best;
}

} // namespace quillmoth::bench
