#pragma once

#include "shelf/book_list.h"
#include "shelf/shelf_layout.h"

#include <QFont>
#include <QImage>
#include <QObject>
#include <QTimer>

#include <filesystem>
#include <vector>

class QPainter;

namespace quillmoth {

class CoverCache;

// The page modes' way of changing pages.
enum class CoverPageStyle { Slide, Curtain, FadeIn };

// The cover pages of "Slide", "Curtain" and "FadeIn": twelve covers drawn on
// the window to the right of the tree, and PanningCovers with its three
// animations as timer steps. The window paints what this holds (paint()) and
// forwards the pointer; this decides nothing about the window itself.
class CoverPages : public QObject {
    Q_OBJECT

public:
    CoverPages(CoverCache &covers, bool &refreshing, QObject *parent = nullptr);

    // What covers are drawn from, and the window picture under the pages
    // (the layer's background, 442 x 426 at the device-pixel ratio).
    void setPictures(QImage defaultCover, std::filesystem::path thumbsFolder, QFont font,
                     QImage layerBackground);

    // The page layout of RefreshCoverRect: the first page of these books.
    void setBooks(const BookList *books);

    // The window's inner width: where the slide starts and stops.
    void setClientWidth(int width) { m_clientWidth = width; }

    int FirstIndex() const { return m_FirstIndex; }
    // 0-based.
    int CurrentPage() const { return m_FirstIndex / pages::kCoversPerPage; }
    int pageCount() const { return quillmoth::pageCount(bookCount()); }
    const std::vector<CoverRect> &PageRects() const { return m_PageRects; }
    bool hasThumb(int position) const;
    bool isAnimating() const { return m_animation != Animation::None; }

    // PanningCovers: one page toward the start or the end, animated in
    // `style`. Nothing past either end.
    void PanningCovers(bool towardStart, CoverPageStyle style);
    // A page button's press: shows page `page` (1-based), animated as
    // PanningCovers does for the way it goes.
    void showPage(int page, CoverPageStyle style);

    // Draws the shown page, any animation frame, on the window.
    void paint(QPainter &painter) const;

    // Finishes a running animation at once (the window closes or rebuilds).
    void finishAnimation();

signals:
    void changed();
    // The animation has ended (and IsRefreshing is clear again).
    void pageShown();

private:
    enum class Animation { None, SlideIn, SlideOut, Curtain, Fade };

    int bookCount() const { return m_books ? int(m_books->size()) : 0; }
    QImage renderPage(int firstIndex);
    void startAnimation(bool towardStart, CoverPageStyle style);
    void step();
    void endAnimation();

    CoverCache &m_covers;
    bool &m_refreshing;
    const BookList *m_books = nullptr;
    QImage m_defaultCover;
    std::filesystem::path m_thumbsFolder;
    QFont m_font;
    QImage m_layerBackground;

    int m_FirstIndex = 0;
    std::vector<CoverRect> m_PageRects;
    std::vector<bool> m_hasThumb;
    QImage m_shown; // what the window shows at the page's place
    QImage m_layer; // PicBlind: the page it was last drawn with

    Animation m_animation = Animation::None;
    bool m_towardStart = false;
    QImage m_incoming;
    int m_layerLeft = pages::kLayer.left();
    int m_stripWidth = 0;
    int m_fadeTicks = 0;
    int m_clientWidth = 0;
    QTimer m_timer;
};

} // namespace quillmoth
