// quillmoth-book: runs the book engine on one book and prints its Book record
// as JSON, so that layout can be checked and scripted without a display.

#include "book_command.h"
#include "book_json.h"
#include "book_render.h"

#include "engine/book.h"
#include "engine/text_metrics.h"
#include "platform/bookmark_file.h"
#include "platform/bookmark_source_adapter.h"
#include "platform/font_text_metrics.h"
#include "text/code_page.h"

#include <QApplication>
#include <QGuiApplication>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <sstream>

using namespace quillmoth;

namespace {

int badOptions(const std::string &message)
{
    std::fprintf(stderr, "quillmoth-book: %s\n", message.c_str());
    return 2;
}

std::optional<std::string> readAll(const std::string &file)
{
    if (file == "-") {
        std::ostringstream content;
        content << std::cin.rdbuf();
        return content.str();
    }
    std::ifstream stream(file, std::ios::binary);
    if (!stream)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

} // namespace

int main(int argc, char **argv)
{
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    auto parsed = parseBookCommand(arguments);
    if (const auto *problem = std::get_if<std::string>(&parsed))
        return badOptions(*problem);
    BookCommand &command = std::get<BookCommand>(parsed);
    if (command.showHelp) {
        std::fputs(bookCommandUsage().c_str(), stdout);
        return 0;
    }

    const std::optional<AnsiCodePage> codePage =
        command.codePage ? AnsiCodePage::named(*command.codePage) : AnsiCodePage::fromEnvironment();
    if (!codePage)
        return badOptions("unknown code page " + *command.codePage);

    // Drawing, pictures and real fonts need an application object, never a display.
    std::unique_ptr<QGuiApplication> application;
    static int qtArgc = 1;
    if (command.render || command.themeFile || !command.fixedMetrics) {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        if (command.render)
            application = std::make_unique<QApplication>(qtArgc, argv);
        else
            application = std::make_unique<QGuiApplication>(qtArgc, argv);
    }
    ThemeRecord theme;
    if (command.themeFile) {
        const std::filesystem::path programFolder =
            std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String());
        const std::optional<ThemeRecord> loaded =
            loadCommandTheme(*command.themeFile, programFolder, *codePage);
        if (!loaded)
            return badOptions("cannot read the theme " + *command.themeFile);
        theme = *loaded;
        if (!command.render)
            applyCommandTheme(command, theme);
    }
    if (command.render) {
        std::string json;
        std::string problem;
        const int status = renderPad(command, theme, *codePage, json, problem);
        if (!problem.empty())
            std::fprintf(stderr, "quillmoth-book: %s\n", problem.c_str());
        std::fwrite(json.data(), 1, json.size(), stdout);
        return status;
    }

    std::u16string source;
    if (command.clipboardFile) {
        const std::optional<std::string> bytes = readAll(*command.clipboardFile);
        if (!bytes)
            return badOptions("cannot read " + *command.clipboardFile);
        if (bytes->size() > 0x7FFFFFFF)
            return badOptions(*command.clipboardFile + " is too large");
        source = utf16FromUtf8(*bytes);
    } else {
        source = utf16FromUtf8(command.bookPath);
    }

    std::unique_ptr<TextMetrics> metrics;
    if (command.fixedMetrics) {
        metrics = std::make_unique<FixedTextMetrics>(command.fixedMetrics->narrowWidth,
                                                     command.fixedMetrics->wideWidth,
                                                     command.fixedMetrics->height);
    } else {
        QFont font = FontTextMetrics::themeFont(QString::fromStdString(command.fontFamily),
                                                command.fontPoints);
        if (command.themeFile && !command.fontGiven) {
            font.setBold(theme.FontBold);
            font.setItalic(theme.FontItalic);
        }
        metrics = std::make_unique<FontTextMetrics>(font);
    }

    std::optional<BookmarkFile> bookmarkFile;
    std::optional<BookmarkFileSource> bookmarks;
    if (command.bookmarksFile && !command.clipboardFile) {
        bookmarkFile.emplace(std::filesystem::path(*command.bookmarksFile), *codePage);
        bookmarks.emplace(*bookmarkFile);
    }

    const Book book = Book_CreatBOOK(source, command.clipboardFile.has_value(), command.settings,
                                     *metrics, *codePage, bookmarks ? &*bookmarks : nullptr);
    const std::string json =
        bookToJson(book, command.printText ? IncludeText::Yes : IncludeText::No);
    std::fwrite(json.data(), 1, json.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
