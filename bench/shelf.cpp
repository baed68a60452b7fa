// shelf: what a folder of books costs the bookshelf as it grows from 12 to
// 10,000 books (half of them with thumbnails): the time from a click on the
// folder's node to the drawn shelf, the drawing of one wheel notch's scroll
// (its thirty frames), and the process's peak memory after each folder. For
// scale it also prints what reading the largest folder's names alone costs.

#include "shelf/cover_thumbnails.h"
#include "shelf/frm_main.h"
#include "shelf/shelf_view.h"

#include "controls/cls_nodes.h"
#include "controls/tree_be.h"

#include <QApplication>
#include <QImage>
#include <QSignalSpy>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

using namespace quillmoth;

namespace {

double peakMegabytes()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

double nowMilliseconds()
{
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void makeFolder(const std::filesystem::path &folder, int books, const std::filesystem::path &thumbs,
                const std::filesystem::path &picture)
{
    std::filesystem::create_directories(folder);
    for (int i = 0; i < books; ++i) {
        char name[40];
        std::snprintf(name, sizeof name, "book%05d-%d.txt", i, books);
        std::ofstream(folder / name, std::ios::binary) << std::string(200, 'a');
        if (i % 2 == 0)
            std::filesystem::copy_file(
                picture, thumbs / thumbnailFileName(std::filesystem::path(name).u16string()),
                std::filesystem::copy_options::overwrite_existing);
    }
}

// Clicks the folder's node and waits until its books are on the drawn shelf.
double openFolder(frmMain &main, const std::filesystem::path &folder)
{
    ClsNode *node = main.TreeBe2()->Nodes().nItem(QString::fromStdU16String(folder.u16string()));
    if (node == nullptr)
        return -1;
    QSignalSpy shown(&main, &frmMain::folderShown);
    const double start = nowMilliseconds();
    emit main.TreeBe2()->nodeClick(node, Qt::LeftButton);
    if (!shown.wait(60000))
        return -1;
    main.grab();
    return nowMilliseconds() - start;
}

// The floor under any listing: the directory's names read and nothing else.
double readNamesOnly(const std::filesystem::path &folder)
{
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        const double start = nowMilliseconds();
        std::size_t names = 0;
        std::error_code error;
        for (std::filesystem::directory_iterator entry(folder, error), end;
             !error && entry != end; entry.increment(error))
            names += entry->path().native().size() > 0 ? 1 : 0;
        best = std::min(best, nowMilliseconds() - start);
        if (names == 0)
            return -1;
    }
    return best;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / "quillmoth-shelf-bench";
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root / "app");
    const AppFolder folder(root / "app");
    folder.createMissingFolders();
    const std::filesystem::path library = root / "library";
    {
        QImage picture(90, 135, QImage::Format_RGB32);
        picture.fill(QColor(140, 60, 40));
        picture.save(QString::fromStdU16String((root / "cover.jpg").u16string()), "JPEG");
    }
    const int sizes[] = {12, 1000, 10000};
    for (const int books : sizes)
        makeFolder(library / std::to_string(books), books, folder.CoverThumbsFolder(),
                   root / "cover.jpg");
    makeFolder(library / "other", 1, folder.CoverThumbsFolder(), root / "cover.jpg");

    ThemeRecord theme;
    UISettings settings;
    SettingsDocument document;
    LanguageTable language;
    const AnsiCodePage codePage = *AnsiCodePage::named("CP936");
    AppFlags flags;
    frmMain main({folder, theme, settings, document, language, codePage, flags});
    main.setMessages([](QMessageBox::Icon, const QString &, QMessageBox::StandardButtons) {
        return QMessageBox::Ok;
    });
    main.show();
    {
        QSignalSpy shown(&main, &frmMain::folderShown);
        settings.DefaultFolder = library;
        main.Form_Load();
        settings.DefaultFolder = library;
        main.TreeBeDefaultPath(library);
        shown.wait(60000);
    }

    double firstOpen = 0;
    double firstPeak = 0;
    double open = 0;
    double peak = 0;
    for (const int books : sizes) {
        open = 1e300;
        for (int run = 0; run < 3; ++run) {
            openFolder(main, library / "other");
            open = std::min(open, openFolder(main, library / std::to_string(books)));
        }
        ShelfView &view = *main.shelf();
        const double start = nowMilliseconds();
        int value = view.scrollMaximum() / 2;
        for (int tick = 1; tick <= 30; ++tick) {
            value += tick <= 10 ? 15 : 1;
            view.setScrollValue(value);
            view.grab();
        }
        const double scroll = nowMilliseconds() - start;
        peak = peakMegabytes();
        if (books == sizes[0]) {
            firstOpen = open;
            firstPeak = peak;
        }
        std::printf("shelf %d books: open %.1f ms, scroll %.1f ms, peak %.1f MB\n", books, open,
                    scroll, peak);
    }
    std::printf("reading the %d names alone: %.1f ms\n", sizes[2],
                readNamesOnly(library / std::to_string(sizes[2])));
    std::printf("shelf ratio %.2f, growth %.1f MB\n", open / firstOpen, peak - firstPeak);
    std::filesystem::remove_all(root);
    return 0;
}
