#pragma once

#include "reader/curl_geometry.h"
#include "reader/illustration_album.h"
#include "reader/reader_geometry.h"
#include "reader/spread_painter.h"
#include "reader/turn_painter.h"

#include <QColor>
#include <QFont>
#include <QImage>

#include <filesystem>

namespace quillmoth {

class AppFolder;
class TextMetrics;
struct Book;
struct BookSettings;
struct ThemeRecord;

// The theme as the pad draws it.
struct PadTheme {
    QFont font;                 // FontName at FontSize, bold and italic as the theme says
    QColor textColor;           // FontColor
    QColor paperColor;          // PaperColor, or the surface's own grey
    QColor outlineColor;        // invalid for no outline
    QColor chapterTitleColor;
    bool colorizeChapterTitles = false;
    double BgOpacity = 100;
    double CornerOpacity = 100;
    int LineSpace = 0;
    std::filesystem::path BgImagePath;
    std::filesystem::path CornerImagePath;
    std::filesystem::path BookMarkImagePath;
    std::filesystem::path OneForAllImagePath;
    std::filesystem::path AlbumPath;

    static PadTheme fromTheme(const ThemeRecord &theme);
};

// The grey of a spread surface that the theme gives no paper colour.
inline const QColor kUnpaintedSurface{200, 200, 200};

// The pad's drawing surfaces and the pictures they are drawn from: the shown
// spread (picBase1), the work surface where the next spread is composed
// (picBase2) over the book's background, the spread shown before, and the
// pictures cut from them for a page turn. It draws what it is told; the
// Reader decides when.
class PageSurfaces {
public:
    // Creates the surfaces for a pad of this geometry at the screen's
    // device-pixel ratio, all of them empty.
    void create(const ReaderGeometry &geometry, qreal devicePixelRatio);
    const ReaderGeometry &geometry() const { return m_geometry; }

    // Forgets the pictures and the book; the surfaces become empty.
    void clear();

    // The pad size in percent, which scales the corners.
    void setPadSize(int padSize) { m_padSize = padSize; }

    // LoadThemeImages: the background, corner, ribbon and single illustration
    // pictures of the theme; a picture that cannot be read is left out.
    void LoadThemeImages(const PadTheme &theme);
    // LoadShadowImages: the fold and turn shadows from Settings/DATA, written
    // there from the built-in pictures when missing.
    void LoadShadowImages(const AppFolder &folder);
    // Lists the theme's album, when it has one.
    void listAlbum();
    // True when right-hand pages get an illustration: a single picture was
    // loaded, or the album holds pictures.
    bool hasIllustrations() const;

    // The book to draw, with the height of its lines (the text height of 的
    // or H plus the line space) and the page number's height.
    void setBook(const Book &book, int lineHeight, int pageNumberHeight);
    // The same, the heights measured: the lines in `metrics` (the page font)
    // with the theme's line space, the page numbers in the theme font at 9
    // points.
    void setBook(const Book &book, const TextMetrics &metrics, int lineSpace);

    // What the engine lays a book out by on these surfaces, in this theme.
    BookSettings bookSettings(const ThemeRecord &theme) const;

    // DrawBGround: composes the book's background into picBase2 and keeps it
    // for every later spread. Returns ShadeOpacity.
    double DrawBGround();
    double ShadeOpacity() const { return m_shadeOpacity; }

    // Clears picBase2 back to the background.
    void clearWorkSurface();
    // Draws a page with its number on one side of picBase2; a page outside
    // the book is left blank.
    void drawPage(SpreadLayout::Side side, int pageNumber);
    // DrawSpread: picBase2 cleared, then pages p - 1 and p.
    void DrawSpread(int rightPage);
    // picBase1 becomes picBase2's picture; the spread shown before it is kept.
    void takeWorkSurface();
    // The spread that follows the one just shown, in the turning direction,
    // composed on picBase2. Forward past the last spread leaves picBase2 as it is.
    void composeFollowing(int anchorPage, TurnDirection direction);
    // picBase2 becomes the spread shown before, to turn the other way.
    void reloadPreviousSpread();
    // Copies picBase2 into picBase1 (a jump's starting picture).
    void copyWorkSurfaceToShown() { m_picBase1 = m_picBase2; }

    // PrepareTurnImages: the pages of picBase2 that a turn in this direction
    // uncovers and shows on its back.
    TurnImages PrepareTurnImages(TurnDirection direction) const;

    const QImage &picBase1() const { return m_picBase1; }
    const QImage &picBase2() const { return m_picBase2; }
    const QImage &PreviousSpread() const { return m_previousSpread; }
    const QImage &BookmarkImage() const { return m_bookmarkImage; }
    int AlbumIndex() const { return m_album.AlbumIndex(); }
    const PadTheme &theme() const { return m_theme; }
    SpreadLayout layout() const;
    PageStyle pageStyle() const;

private:
    QImage newSurface(QSize size) const;
    // DrawInsertPic: the album's next picture under a right-hand page's text.
    void DrawInsertPic(QPainter &painter, QPoint topLeft);

    ReaderGeometry m_geometry;
    qreal m_ratio = 1;
    PadTheme m_theme;
    int m_padSize = 90;
    const Book *m_book = nullptr;
    int m_lineHeight = 1;
    int m_pageNumberHeight = 15;
    double m_shadeOpacity = 0.45;

    QImage m_background;
    QImage m_picBase1;
    QImage m_picBase2;
    QImage m_previousSpread;

    QImage m_backgroundImage;
    QImage m_cornerImage;
    QImage m_bookmarkImage;
    QImage m_illustrationImage;
    QImage m_midShadowImage;
    QImage m_sideShadowImage;  // darkened once, for every turn
    IllustrationAlbum m_album;
};

} // namespace quillmoth
