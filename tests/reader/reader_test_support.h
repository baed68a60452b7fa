#pragma once

#include "reader/reader.h"

#include "text/code_page.h"
#include "engine/text_metrics.h"
#include "text/app_folder.h"
#include "settings/language_table.h"
#include "settings/theme_record.h"
#include "settings/ui_settings.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace quillmoth::testing {

// A scratch application folder with the program state a pad reads, and the
// messages the pad has shown.
class PadWorld {
public:
    PadWorld() : folder(std::filesystem::path(scratch.path().toStdString()))
    {
        folder.createMissingFolders();
        settings.padSize = u"100";  // the quickest turns: 27 pixels a step
        settings.UserLanguage = u"English";
    }

    ReaderContext context() const { return {folder, theme, settings, language, codePage}; }

    // Writes a UTF-8 book into the scratch folder and returns its path.
    std::u16string writeBook(const std::string &name, const std::string &text) const
    {
        const std::filesystem::path path = folder.root() / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.u16string();
    }

    // Sets up a pad the way the reading window does, measuring with fixed numbers.
    void prepare(Reader &reader, QSize size = {800, 600}, bool synchronous = true)
    {
        reader.resize(size);
        reader.setMetricsFactory([](const QFont &) -> std::unique_ptr<TextMetrics> {
            return std::make_unique<FixedTextMetrics>(8, 16, 20);
        });
        reader.setMessageHandler([this](QMessageBox::Icon, const QString &, const QString &text) {
            messages.push_back(text);
        });
        reader.setOpenSynchronously(synchronous);
        reader.setInstantAnimations(synchronous);
        reader.Initialize_Reader();
    }

    std::filesystem::path bookmarkFile() const { return folder.BookmarkFilePath(); }

    std::string bookmarkFileText() const
    {
        std::ifstream stream(bookmarkFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(stream), {});
    }

    QTemporaryDir scratch;
    AppFolder folder;
    ThemeRecord theme;
    UISettings settings;
    LanguageTable language;
    AnsiCodePage codePage = *AnsiCodePage::named("CP936");
    std::vector<QString> messages;
};

// A Western book of numbered lines, each unique within its first ten
// characters, with a heading every `chapterEvery` lines.
inline std::string numberedBook(int lines, int chapterEvery = 60)
{
    std::string text;
    for (int i = 1; i <= lines; ++i) {
        if (i % chapterEvery == 1)
            text += "CHAPTER " + std::to_string(i / chapterEvery + 1) + "\r\n";
        text += QString::asprintf("%06d", i).toStdString() + " quiet words of a long story\r\n";
    }
    return text;
}

// Waits until the pad has finished what it is doing.
inline bool waitUntilIdle(const Reader &reader, int milliseconds = 5000)
{
    return QTest::qWaitFor([&reader] { return !reader.IsBusy() && !reader.isAnimating(); },
                           milliseconds);
}

} // namespace quillmoth::testing
