#include "book_render.h"

#include "book_json.h"

#include "engine/book.h"
#include "text/code_page.h"
#include "text/text_decoding.h"
#include "engine/text_metrics.h"
#include "text/app_folder.h"
#include "platform/imaging.h"
#include "reader/illustration_album.h"
#include "reader/reader.h"
#include "settings/language_table.h"
#include "settings/theme_file.h"
#include "settings/ui_settings.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <fstream>
#include <iostream>
#include <iterator>

namespace quillmoth {
namespace {

namespace fs = std::filesystem;

std::optional<std::string> readFile(const std::string &file)
{
    if (file == "-") {
        return std::string(std::istreambuf_iterator<char>(std::cin), {});
    }
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

bool hasIllustrations(const ThemeRecord &theme)
{
    if (!theme.AlbumPath.empty())
        return !IllustrationAlbum::list(theme.AlbumPath).isEmpty();
    return !theme.OneForAllImagePath.empty() &&
           !loadImage(QString::fromStdU16String(theme.OneForAllImagePath.u16string())).isNull();
}

} // namespace

std::optional<ThemeRecord> loadCommandTheme(const fs::path &file, const fs::path &programFolder,
                                            const AnsiCodePage &codePage)
{
    std::error_code error;
    if (!fs::is_regular_file(file, error))
        return std::nullopt;
    const fs::path themes = fs::absolute(file, error).parent_path();
    const bool inAppFolder = themes.filename() == "Themes" && themes.parent_path().filename() == "Settings";
    const fs::path root = inAppFolder ? themes.parent_path().parent_path() : programFolder;
    std::int32_t encoding = kDetectEncoding;
    const std::u16string text = LoadTextFile(file, encoding, codePage);
    ThemeRecord theme;
    readThemeFields(text, theme, existingPathCheck(root));
    return theme;
}

void applyCommandTheme(BookCommand &command, const ThemeRecord &theme)
{
    if (!command.fontGiven) {
        command.fontFamily = utf8FromUtf16(theme.FontName);
        command.fontPoints = theme.FontSize > 0 ? theme.FontSize : 9;
    }
    if (!command.lineSpaceGiven)
        command.settings.LineSpace = theme.LineSpace;
    command.settings.ReformatParagraphs |= theme.ReformatParagraphs;
    command.settings.ListUpChapters |= theme.ListUpChapters;
    command.settings.IllustrationsOn |= hasIllustrations(theme);
}

int renderPad(const BookCommand &command, ThemeRecord theme, const AnsiCodePage &codePage,
              std::string &json, std::string &problem)
{
    const RenderOption &render = *command.render;
    if (command.fontGiven) {
        theme.FontName = utf16FromUtf8(command.fontFamily);
        theme.FontSize = std::int32_t(std::lround(command.fontPoints));
    }
    if (command.lineSpaceGiven)
        theme.LineSpace = command.settings.LineSpace;
    theme.ReformatParagraphs |= command.settings.ReformatParagraphs;
    theme.ListUpChapters |= command.settings.ListUpChapters;

    // A scratch application folder: the pad writes nothing into a real one.
    QTemporaryDir scratch;
    if (!scratch.isValid()) {
        problem = "cannot create a scratch folder";
        return 1;
    }
    const AppFolder folder(fs::path(scratch.path().toStdU16String()));
    folder.createMissingFolders();
    if (command.bookmarksFile && !command.clipboardFile) {
        std::error_code error;
        fs::copy_file(*command.bookmarksFile, folder.BookmarkFilePath(), error);
        if (error) {
            problem = "cannot read " + *command.bookmarksFile;
            return 2;
        }
    }
    UISettings settings;
    settings.padSize = utf16FromUtf8(std::to_string(command.settings.PadSize));
    settings.ForceBIG5 = command.settings.ForceBIG5;
    const LanguageTable language;

    std::u16string source = utf16FromUtf8(command.bookPath);
    if (command.clipboardFile) {
        const std::optional<std::string> bytes = readFile(*command.clipboardFile);
        if (!bytes) {
            problem = "cannot read " + *command.clipboardFile;
            return 2;
        }
        source = utf16FromUtf8(*bytes);
    }

    Reader reader(ReaderContext{folder, theme, settings, language, codePage});
    reader.resize(render.padWidth, render.padHeight);
    reader.setOpenSynchronously(true);
    reader.setInstantAnimations(true);
    reader.setMessageHandler([&problem](QMessageBox::Icon, const QString &, const QString &text) {
        problem = text.toStdString();
    });
    if (command.fixedMetrics) {
        const FixedMetricsOption metrics = *command.fixedMetrics;
        reader.setMetricsFactory([metrics](const QFont &) -> std::unique_ptr<TextMetrics> {
            return std::make_unique<FixedTextMetrics>(metrics.narrowWidth, metrics.wideWidth,
                                                      metrics.height);
        });
    }
    reader.Initialize_Reader();
    reader.Book_CreatBOOK(source, command.clipboardFile.has_value());
    const Book *book = reader.book();
    if (book == nullptr) {
        if (problem.empty())
            problem = "the book could not be opened";
        return 1;
    }
    json = bookToJson(*book, command.printText ? IncludeText::Yes : IncludeText::No);
    if (render.page != 2 && !reader.showSpreadAt(render.page)) {
        problem = "page " + std::to_string(render.page) + " is not in the book (" +
                  std::to_string(book->PageCount) + " pages)";
        return 2;
    }
    QImage picture;
    if (render.turn) {
        const TurnDirection direction = render.turn->direction == TurnOption::Direction::Forward
                                            ? TurnDirection::Forward
                                            : TurnDirection::Back;
        picture = reader.turnFrame(direction, render.turn->offset);
        if (picture.isNull()) {
            problem = direction == TurnDirection::Forward
                          ? "the last spread cannot be turned forward"
                          : "the first spread cannot be turned back";
            return 2;
        }
    } else {
        picture = reader.padImage();
    }
    if (!picture.save(QString::fromStdString(render.outFile), "PNG")) {
        problem = "cannot write " + render.outFile;
        return 1;
    }
    return 0;
}

} // namespace quillmoth
