// Paints every picture the program ships and writes them into the resources
// folder. Run it deliberately (the "artwork" build target) after changing a
// painter; the build itself only uses the files kept in the repository.
#include "artwork.h"

#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>

#include <cstdio>
#include <functional>

namespace {

int g_written = 0;
int g_unchanged = 0;
bool g_failed = false;

QByteArray encode(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (qstrcmp(format, "jpg") == 0)
        writer.setQuality(90);
    if (!writer.write(image))
        return {};
    return bytes;
}

// Writes only when the bytes differ, so that an unchanged picture keeps its
// time stamp and nothing downstream rebuilds.
void save(const QImage &image, const QString &path)
{
    const char *format = path.endsWith(QLatin1String(".jpg")) ? "jpg" : "png";
    const QByteArray bytes = encode(image, format);
    if (bytes.isEmpty()) {
        std::fprintf(stderr, "cannot encode %s\n", qPrintable(path));
        g_failed = true;
        return;
    }
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes) {
        ++g_unchanged;
        return;
    }
    existing.close();
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        g_failed = true;
        return;
    }
    ++g_written;
    std::printf("wrote %s (%dx%d)\n", qPrintable(path), image.width(), image.height());
}

void saveIcon(const std::function<QImage(int)> &paint, const QString &base)
{
    save(paint(1), base + QLatin1String(".png"));
    save(paint(2), base + QLatin1String("@2x.png"));
}

// The shelf as the program lays it out (a 479-pixel canvas with two rows),
// for looking at the pieces together; written to the preview folder only.
QImage shelfPreview()
{
    const QImage top = artwork::shelfTop();
    const QImage post = artwork::shelfPost();
    const QImage board = artwork::shelfBoard();
    const QImage cover = artwork::defaultCover();
    constexpr int kWidth = 479;
    constexpr int kHeight = 2 * 170 + 19 + 1;
    QImage canvas(kWidth, kHeight, QImage::Format_RGB32);
    QPainter painter(&canvas);
    painter.drawImage(QRect(0, 0, kWidth, top.height()), top);
    painter.drawImage(kWidth - top.width(), 0, top);
    const QImage mirrored = post.mirrored(true, false);
    for (int k = 0; k * post.height() <= kHeight; ++k) {
        painter.drawImage(0, top.height() + k * post.height(), post);
        painter.drawImage(kWidth - post.width(), top.height() + k * post.height(), mirrored);
    }
    for (int k = 0; k * board.height() <= kHeight; ++k) {
        for (int x = post.width(); x <= kWidth - post.width(); x += board.width()) {
            const int left = std::min(x, kWidth - post.width() - board.width());
            painter.drawImage(left, top.height() + k * board.height(), board);
        }
    }
    for (int i = 0; i < 7; ++i)
        painter.drawImage(QRect(20 + (i % 4) * 115, 35 + (i / 4) * 170, 95, 135), cover);
    return canvas;
}

} // namespace

int main(int argc, char *argv[])
{
    // No window is ever shown; painting only needs the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Paints the pictures Quillmoth ships."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("output"), QStringLiteral("The resources folder to write into."),
                      QStringLiteral("folder")});
    parser.addOption({QStringLiteral("preview"),
                      QStringLiteral("Also write composed previews into this folder."), QStringLiteral("folder")});
    parser.process(application);
    if (!parser.isSet(QStringLiteral("output"))) {
        std::fprintf(stderr, "usage: quillmoth-artwork --output <resources folder>\n");
        return 2;
    }
    const QString root = parser.value(QStringLiteral("output"));
    const QString images = root + QLatin1String("/images/");
    const QString pics = root + QLatin1String("/pics/");

    using namespace artwork;
    save(defaultCover(), images + QLatin1String("cover.png"));
    save(shelfTop(), images + QLatin1String("shelf-top.png"));
    save(shelfPost(), images + QLatin1String("shelf-post.png"));
    save(shelfBoard(), images + QLatin1String("shelf-board.png"));
    save(foldShadow(), images + QLatin1String("shadow-fold.png"));
    save(turnShadow(), images + QLatin1String("shadow-turn.png"));
    save(windowBackground(), images + QLatin1String("window-background.jpg"));
    save(ribbon(Ribbon::Builtin), images + QLatin1String("bookmark-ribbon.png"));
    saveIcon(treeDrive, images + QLatin1String("tree-drive"));
    saveIcon(treeFolder, images + QLatin1String("tree-folder"));
    saveIcon(treeBook, images + QLatin1String("tree-book"));
    saveIcon(treeRoot, images + QLatin1String("tree-root"));
    saveIcon(buttonCover, images + QLatin1String("button-cover"));
    saveIcon(buttonClipboard, images + QLatin1String("button-clipboard"));
    saveIcon(buttonPreferences, images + QLatin1String("button-preferences"));
    saveIcon(buttonHelp, images + QLatin1String("button-help"));
    saveIcon(artwork::grabCursor, images + QLatin1String("cursor-grab"));
    save(appIcon(4), images + QLatin1String("quillmoth.png"));

    save(pageBackground(Paper::Parchment), pics + QLatin1String("BackGround/Parchment.jpg"));
    save(pageBackground(Paper::RicePaper), pics + QLatin1String("BackGround/RicePaper.jpg"));
    save(pageBackground(Paper::Linen), pics + QLatin1String("BackGround/Linen.jpg"));
    save(pageBackground(Paper::NightBlue), pics + QLatin1String("BackGround/NightBlue.jpg"));
    save(cornerOrnament(Corner::Flourish), pics + QLatin1String("Corner/Flourish.png"));
    save(cornerOrnament(Corner::CloudFret), pics + QLatin1String("Corner/CloudFret.png"));
    save(cornerOrnament(Corner::PlumBranch), pics + QLatin1String("Corner/PlumBranch.png"));
    save(cornerOrnament(Corner::Vine), pics + QLatin1String("Corner/Vine.png"));
    save(ribbon(Ribbon::Crimson), pics + QLatin1String("BookMark/Crimson.png"));
    save(ribbon(Ribbon::Gold), pics + QLatin1String("BookMark/Gold.png"));
    save(ribbon(Ribbon::Indigo), pics + QLatin1String("BookMark/Indigo.png"));
    save(ribbon(Ribbon::Jade), pics + QLatin1String("BookMark/Jade.png"));
    save(illustration(Illustration::InkMountains), pics + QLatin1String("Illurstration/InkMountains.jpg"));
    save(illustration(Illustration::Lighthouse), pics + QLatin1String("Illurstration/Lighthouse.jpg"));
    save(illustration(Illustration::Bamboo), pics + QLatin1String("Illurstration/Bamboo.jpg"));
    save(illustration(Illustration::SnowyNight), pics + QLatin1String("Illurstration/SnowyNight.jpg"));

    if (parser.isSet(QStringLiteral("preview"))) {
        const QString preview = parser.value(QStringLiteral("preview")) + QLatin1Char('/');
        save(shelfPreview(), preview + QLatin1String("shelf.png"));
    }

    std::printf("%d written, %d unchanged\n", g_written, g_unchanged);
    return g_failed ? 1 : 0;
}
