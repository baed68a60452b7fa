#pragma once

#include "reader/reader.h"

#include <QSize>
#include <QWidget>

#include <string>

class QCloseEvent;
class QScreen;

namespace quillmoth {

class EasyButton;

// The window size for a pad size ("60" to "100", percent of the screen's
// height; "" for 90 %) on a screen whose available area is `available`: 1.3
// times as wide as high, "100" 30 pixels short of the whole height, and never
// larger than the available area.
QSize readerWindowSize(std::u16string_view padSize, QSize available);

// frmReader: the window a book is read in. Its pad, Reader1, fills it; a
// pop-up button adds and deletes bookmarks. It closes back to whoever opened
// it, except while a turn or a jump is under way.
class frmReader : public QWidget {
    Q_OBJECT

public:
    explicit frmReader(const ReaderContext &context, QWidget *parent = nullptr);
    ~frmReader() override;

    // Sets the window's size from the pad size and the screen.
    void ChangeSize();
    // Sizes the window, shows it, sets up the pad and opens the book: the file
    // at `bookPath`, or the clipboard's text when the path is empty.
    void load(const std::u16string &bookPath);

    Reader *Reader1() const { return m_reader; }
    EasyButton *eBtnReaderToolTip() const { return m_popup; }
    // The action the pop-up button offers now.
    BookmarkAction popupAction() const { return m_popupAction; }

signals:
    // The window has closed; `bookOpened` is false when its book could not be
    // opened. The window deletes itself afterwards.
    void closed(bool bookOpened);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showPopup(QPoint position, BookmarkAction action);
    void popupClicked();
    // Closes from outside the pad's own handlers, once they have returned.
    void closeLater();

    ReaderContext m_context;
    Reader *m_reader;
    EasyButton *m_popup;
    BookmarkAction m_popupAction = BookmarkAction::Add;
    bool m_bookFailed = false;
    bool m_closing = false;
    bool m_sessionEnding = false;
};

} // namespace quillmoth
