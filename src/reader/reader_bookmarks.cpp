// The Reader's bookmarks: the tabs above the pages, adding, deleting and
// saving them.
#include "reader.h"

#include "reader/reader_messages.h"
#include "reader/reader_pages.h"
#include "reader/side_panel.h"

#include "engine/book.h"
#include "platform/bookmark_file.h"
#include "platform/builtin_pictures.h"
#include "settings/ui_settings.h"
#include "text/app_folder.h"

#include <QApplication>
#include <QPainter>

namespace quillmoth {


QImage Reader::ribbonImage() const
{
    const QImage &theme = m_surfaces.BookmarkImage();
    return theme.isNull() ? builtinImage(BuiltinPicture::BookmarkRibbon) : theme;
}

void Reader::DrawBookmarkTabs(bool highlightLast)
{
    const std::vector<std::int32_t> pages = m_bookmarks.tabPages();
    const QImage ribbon = ribbonImage();
    QPainter painter(&m_picture);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        const bool tall = highlightLast && i + 1 == pages.size();
        DrawBookmarkTab(painter, int(i) + 1, pages[i], tall, ribbon, font());
    }
    update();
}

void Reader::tabStripRelease(Qt::MouseButton button, QPoint position)
{
    if (m_fromClipboard || position.x() <= 35)
        return;
    m_SelectedBookmark = HitBookmarkTab(position.x(), m_bookmarks.tabCount());
    const std::optional<std::int32_t> page = m_bookmarks.tabPage(m_SelectedBookmark);
    if (!page)
        return;
    if (button == Qt::LeftButton) {
        if (*page > m_book->PageCount)
            return;
        m_panel->setTipText(QString::number(*page));
        m_panel->setThumbLeft(roundHalfEvenToInt(m_SliderStep * *page + SidePanel::kThumbFirst));
        jumpTo(*page);
        refreshAndFocus();
    } else if (button == Qt::RightButton) {
        emit bookmarkPopupRequested(position, BookmarkAction::Delete);
    }
}

bool Reader::saveBookmarks()
{
    std::vector<StoredBookmark> stored;
    for (const ReaderBookmark &entry : m_bookmarks.entries())
        stored.push_back({entry.Position, entry.CharCode});
    BookmarkFile file(m_context.folder.BookmarkFilePath(), m_context.codePage);
    if (file.rewriteSection(m_book->BookTitle, stored))
        return true;
    showMessage(QMessageBox::Warning, QApplication::applicationDisplayName(),
                languageText(u"Save file Error"));
    return false;
}

void Reader::AddBMK()
{
    if (m_IsBusy || !m_book || m_fromClipboard)
        return;
    const QString title = QApplication::applicationDisplayName();
    if (m_AnchorPage > m_book->PageCount - 2 || m_AnchorPage < 3) {
        showMessage(QMessageBox::Information, title, languageText(u"IsItNecessary"));
        return;
    }
    const int rightPage = evenPage(m_AnchorPage);
    if (m_bookmarks.hasPage(rightPage) || m_bookmarks.hasPage(rightPage - 1)) {
        showMessage(QMessageBox::Information, title, languageText(u"BookMarkExist"));
        return;
    }
    if (m_bookmarks.isFull()) {
        showMessage(QMessageBox::Information, title,
                    readerMessage(ReaderMessage::BookmarksFull, m_context.settings.UserLanguage));
        return;
    }
    // The right-hand page first, so that the tab names the page that holds it.
    std::optional<BookmarkFingerprint> fingerprint;
    int page = rightPage;
    for (const int candidate : {rightPage, rightPage - 1}) {
        fingerprint = Fingerprint(m_book->Pages.page(candidate), m_book->BookText,
                                  m_context.codePage);
        if (fingerprint) {
            page = candidate;
            break;
        }
    }
    if (!fingerprint) {
        showMessage(QMessageBox::Information, title,
                    readerMessage(ReaderMessage::NoBookmarkPlace, m_context.settings.UserLanguage));
        return;
    }
    const BookBookmarks before = m_bookmarks;
    m_bookmarks.add({double(fingerprint->position), fingerprint->code, page});
    if (!saveBookmarks()) {
        m_bookmarks = before;
        return;
    }
    // The new tab hangs down tall until the spread changes.
    const std::vector<std::int32_t> pages = m_bookmarks.tabPages();
    const QImage ribbon = ribbonImage();
    QPainter painter(&m_picture);
    painter.fillRect(kBookmarkStrip, kDesk);
    for (std::size_t i = 0; i < pages.size(); ++i)
        DrawBookmarkTab(painter, int(i) + 1, pages[i], pages[i] == page, ribbon, font());
    update();
}

void Reader::BooKMark_Delete()
{
    if (m_IsBusy || !m_book)
        return;
    const BookBookmarks before = m_bookmarks;
    if (!m_bookmarks.removeTab(m_SelectedBookmark))
        return;
    if (!saveBookmarks()) {
        m_bookmarks = before;
        return;
    }
    {
        QPainter painter(&m_picture);
        painter.fillRect(kBookmarkStrip, kDesk);
    }
    DrawBookmarkTabs(false);
    blitShownSpread();
    update();
}

} // namespace quillmoth
