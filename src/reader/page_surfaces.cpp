#include "page_surfaces.h"

#include "engine/book.h"
#include "engine/text_metrics.h"
#include "platform/colors.h"
#include "platform/imaging.h"
#include "platform/resource_extraction.h"
#include "settings/theme_record.h"
#include "text/app_folder.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace quillmoth {
namespace {

QString pathText(const std::filesystem::path &path)
{
    return QString::fromStdU16String(path.u16string());
}

QImage loadPicture(const std::filesystem::path &path)
{
    return path.empty() ? QImage() : loadImage(pathText(path));
}

// The single illustration is read only from the picture formats it may have.
bool isIllustrationFile(const std::filesystem::path &path)
{
    const QString extension = pathText(path.extension()).toLower();
    return extension == u".jpg" || extension == u".gif" || extension == u".bmp" ||
           extension == u".png";
}

bool endsWithJpg(const std::filesystem::path &path)
{
    return pathText(path).endsWith(QStringLiteral(".jpg"), Qt::CaseSensitive);
}

} // namespace

PadTheme PadTheme::fromTheme(const ThemeRecord &theme)
{
    PadTheme pad;
    pad.font = QFont(QString::fromStdU16String(theme.FontName));
    pad.font.setPointSizeF(theme.FontSize > 0 ? theme.FontSize : 9);
    pad.font.setBold(theme.FontBold);
    pad.font.setItalic(theme.FontItalic);
    pad.textColor = colorFromValue(theme.FontColor, Qt::black);
    pad.paperColor = colorFromValue(theme.PaperColor, kUnpaintedSurface);
    pad.outlineColor = colorFromValue(theme.OutlineColor);
    pad.chapterTitleColor = colorFromValue(theme.ChapterTitleColor, Qt::black);
    pad.colorizeChapterTitles = theme.ColorizeChapterTitle;
    pad.BgOpacity = theme.BgOpacity;
    pad.CornerOpacity = theme.CornerOpacity;
    pad.LineSpace = theme.LineSpace;
    pad.BgImagePath = theme.BgImagePath;
    pad.CornerImagePath = theme.CornerImagePath;
    pad.BookMarkImagePath = theme.BookMarkImagePath;
    pad.OneForAllImagePath = theme.OneForAllImagePath;
    pad.AlbumPath = theme.AlbumPath;
    return pad;
}

void PageSurfaces::create(const ReaderGeometry &geometry, qreal devicePixelRatio)
{
    m_geometry = geometry;
    m_ratio = devicePixelRatio > 0 ? devicePixelRatio : 1;
    m_picBase1 = newSurface(geometry.spreadSize());
    m_picBase2 = newSurface(geometry.spreadSize());
    m_picBase2.fill(kUnpaintedSurface);
    m_background = m_picBase2;
    m_previousSpread = QImage();
}

QImage PageSurfaces::newSurface(QSize size) const
{
    QImage surface(size.expandedTo(QSize(1, 1)) * m_ratio, QImage::Format_ARGB32_Premultiplied);
    surface.setDevicePixelRatio(m_ratio);
    surface.fill(Qt::transparent);
    return surface;
}

void PageSurfaces::clear()
{
    m_book = nullptr;
    m_background = m_picBase1 = m_picBase2 = m_previousSpread = QImage();
    m_backgroundImage = m_cornerImage = m_bookmarkImage = m_illustrationImage = QImage();
    m_midShadowImage = m_sideShadowImage = QImage();
    m_album = IllustrationAlbum();
}

void PageSurfaces::LoadThemeImages(const PadTheme &theme)
{
    m_theme = theme;
    m_backgroundImage = loadPicture(theme.BgImagePath);
    m_cornerImage = loadPicture(theme.CornerImagePath);
    m_illustrationImage = isIllustrationFile(theme.OneForAllImagePath)
                              ? loadPicture(theme.OneForAllImagePath)
                              : QImage();
    m_bookmarkImage = loadPicture(theme.BookMarkImagePath);
    m_album = IllustrationAlbum();
}

void PageSurfaces::LoadShadowImages(const AppFolder &folder)
{
    m_midShadowImage = loadDataPicture(folder.dataFilePath("MidShd.dat"), QStringLiteral("Mid"),
                                       HeaderFix::PngSignature);
    if (m_midShadowImage.isNull())
        return;
    const QImage side = loadDataPicture(folder.dataFilePath("SideShd.dat"), QStringLiteral("Sid"),
                                        HeaderFix::PngSignature);
    m_sideShadowImage = scaledChannels(side, ImageAttributes{0.1, 0.1, 0.1, 1.0});
}

void PageSurfaces::listAlbum()
{
    m_album = m_theme.AlbumPath.empty() ? IllustrationAlbum()
                                        : IllustrationAlbum::list(m_theme.AlbumPath);
}

bool PageSurfaces::hasIllustrations() const
{
    return m_theme.AlbumPath.empty() ? !m_illustrationImage.isNull() : !m_album.isEmpty();
}

void PageSurfaces::setBook(const Book &book, int lineHeight, int pageNumberHeight)
{
    m_book = &book;
    m_lineHeight = std::max(lineHeight, 1);
    m_pageNumberHeight = std::max(pageNumberHeight, 1);
}

void PageSurfaces::setBook(const Book &book, const TextMetrics &metrics, int lineSpace)
{
    QFont numberFont = m_theme.font;
    numberFont.setPointSizeF(9);
    setBook(book, roundHalfEvenToInt(metrics.height(book.IsCJK ? u"的" : u"H")) + lineSpace,
            QFontMetrics(numberFont).height());
}

BookSettings PageSurfaces::bookSettings(const ThemeRecord &theme) const
{
    BookSettings settings;
    settings.PageWidth = m_geometry.PageWidth;
    settings.PageHeight = m_geometry.PageHeight;
    settings.LineSpace = theme.LineSpace;
    settings.PadSize = m_padSize;
    settings.ReformatParagraphs = theme.ReformatParagraphs;
    settings.ListUpChapters = theme.ListUpChapters;
    settings.IllustrationsOn = hasIllustrations();
    return settings;
}

SpreadLayout PageSurfaces::layout() const
{
    return {m_geometry.spreadSize(), m_geometry.PageWidth, m_geometry.PageHeight,
            m_geometry.SpreadCenterX};
}

PageStyle PageSurfaces::pageStyle() const
{
    PageStyle style;
    style.font = m_theme.font;
    style.textColor = m_theme.textColor;
    style.outlineColor = m_theme.outlineColor;
    style.chapterTitleColor = m_theme.chapterTitleColor;
    style.colorizeChapterTitles = m_theme.colorizeChapterTitles;
    style.isCJK = m_book != nullptr && m_book->IsCJK;
    style.lineHeight = m_lineHeight;
    style.PageWidth = m_geometry.PageWidth;
    return style;
}

double PageSurfaces::DrawBGround()
{
    BackgroundInput input;
    input.layout = layout();
    input.paperColor = m_theme.paperColor;
    input.backgroundImage = m_backgroundImage;
    input.BgOpacity = m_theme.BgOpacity;
    input.cornerImage = m_cornerImage;
    input.CornerOpacity = m_theme.CornerOpacity;
    input.padSize = m_padSize;
    input.midShadowImage = m_midShadowImage;
    if (m_theme.AlbumPath.empty()) {
        input.fixedIllustration = m_illustrationImage;
        input.frameFixedIllustration = endsWithJpg(m_theme.OneForAllImagePath);
    }
    input.IllustrationTop = m_book != nullptr ? int(m_book->IllustrationTop) : 0;
    input.header.layout = input.layout;
    input.header.font = m_theme.font;
    input.header.font.setPointSizeF(9);
    input.header.color = m_theme.textColor;
    if (m_book != nullptr) {
        input.header.PageCount = m_book->PageCount;
        input.header.BookFileName = QString::fromStdU16String(m_book->BookFileName);
    }
    m_background = newSurface(m_geometry.spreadSize());
    m_shadeOpacity = paintBackground(m_background, input);
    m_picBase2 = m_background;
    return m_shadeOpacity;
}

void PageSurfaces::clearWorkSurface()
{
    m_picBase2 = m_background;
}

void PageSurfaces::drawPage(SpreadLayout::Side side, int pageNumber)
{
    if (m_book == nullptr || pageNumber < 1 || pageNumber > m_book->PageCount)
        return;
    const SpreadLayout spread = layout();
    const PageStyle style = pageStyle();
    QPainter painter(&m_picBase2);
    const QPoint origin = spread.textOrigin(side);
    const PageTextExtent extent =
        paintPageText(painter, origin, m_book->Pages.page(pageNumber), style);
    QFont numberFont = m_theme.font;
    numberFont.setPointSizeF(9);
    const int top = pageNumberTop(spread.pageNumberTop(), extent.textBottom, m_pageNumberHeight,
                                  spread.surfaceSize.height());
    paintPageNumber(painter, spread.pageNumberOrigin(side, pageNumber, top), pageNumber, numberFont,
                    m_theme.textColor);
    if (side == SpreadLayout::Side::Right && !m_theme.AlbumPath.empty()) {
        DrawInsertPic(painter, QPoint(roundHalfEvenToInt(spread.surfaceSize.width() * 0.5) + 30,
                                      origin.y() + extent.lineCount * style.lineHeight));
    }
}

void PageSurfaces::DrawInsertPic(QPainter &painter, QPoint topLeft)
{
    const QImage picture = m_album.next();
    paintIllustration(painter, topLeft,
                      illustrationBox(m_geometry.PageWidth, m_geometry.PageHeight, topLeft.y()),
                      picture, false);
}

void PageSurfaces::DrawSpread(int rightPage)
{
    clearWorkSurface();
    if (rightPage - 1 >= 0)
        drawPage(SpreadLayout::Side::Left, rightPage - 1);
    drawPage(SpreadLayout::Side::Right, rightPage);
}

void PageSurfaces::takeWorkSurface()
{
    m_previousSpread = m_picBase1;
    m_picBase1 = m_picBase2;
}

void PageSurfaces::composeFollowing(int anchorPage, TurnDirection direction)
{
    const int pageCount = m_book != nullptr ? m_book->PageCount : 0;
    if (direction == TurnDirection::Forward) {
        if (anchorPage > pageCount - 1)
            return;
        clearWorkSurface();
        drawPage(SpreadLayout::Side::Left, anchorPage + 1);
        if (anchorPage <= pageCount - 2)
            drawPage(SpreadLayout::Side::Right, anchorPage + 2);
        return;
    }
    clearWorkSurface();
    if (anchorPage >= 2)
        drawPage(SpreadLayout::Side::Right, anchorPage - 1);
    if (anchorPage >= 3)
        drawPage(SpreadLayout::Side::Left, anchorPage - 2);
}

void PageSurfaces::reloadPreviousSpread()
{
    if (!m_previousSpread.isNull())
        m_picBase2 = m_previousSpread;
}

TurnImages PageSurfaces::PrepareTurnImages(TurnDirection direction) const
{
    TurnImages images;
    if (m_picBase2.isNull() || !m_geometry.isUsable())
        return images;
    const auto cut = [this](int left) {
        const QRect logical(left, 0, m_geometry.PageWidth, m_geometry.PageHeight);
        const QRect device(int(logical.x() * m_ratio), 0, int(logical.width() * m_ratio),
                           int(logical.height() * m_ratio));
        QImage page = m_picBase2.copy(device);
        page.setDevicePixelRatio(m_ratio);
        return page;
    };
    const QImage leftPage = cut(0);
    const QImage rightPage = cut(m_geometry.SpreadCenterX - 30);
    const bool forward = direction == TurnDirection::Forward;
    images.revealedPage = forward ? rightPage : leftPage;
    images.backImage =
        (forward ? leftPage : rightPage).transformed(QTransform().rotate(forward ? 90 : 270));
    images.backImage.setDevicePixelRatio(m_ratio);
    images.shadowImage = m_sideShadowImage;
    images.shadowOpacity = m_shadeOpacity * 0.8;
    return images;
}

} // namespace quillmoth
