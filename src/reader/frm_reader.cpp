#include "frm_reader.h"

#include "controls/easy_button.h"
#include "settings/language_table.h"
#include "settings/ui_settings.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSessionManager>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace quillmoth {
namespace {

// The pad size as a number, the way a number held as text is read.
double padSizeValue(std::u16string_view padSize)
{
    bool ok = false;
    const double value = QString::fromStdU16String(std::u16string(padSize)).trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

} // namespace

QSize readerWindowSize(std::u16string_view padSize, QSize available)
{
    const double screenHeight = available.height();
    double height = screenHeight * 0.9;
    if (!padSize.empty()) {
        height = padSizeValue(padSize) * 0.01 * screenHeight;
        if (padSize == u"100")
            height -= 30;  // 450 twips
    }
    double width = height * 1.3;
    if (width > available.width()) {
        width = available.width();
        height = width / 1.3;
    }
    height = std::clamp(height, 120.0, std::max(120.0, screenHeight));
    width = std::clamp(width, 156.0, std::max(156.0, double(available.width())));
    return {int(std::lround(width)), int(std::lround(height))};
}

frmReader::frmReader(const ReaderContext &context, QWidget *parent)
    : QWidget(parent, Qt::Window), m_context(context), m_reader(new Reader(context, this)),
      m_popup(new EasyButton(this))
{
    setObjectName(QStringLiteral("frmReader"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QApplication::applicationDisplayName());
    m_popup->setObjectName(QStringLiteral("eBtnReaderToolTip"));
    m_popup->setAlign(0);
    m_popup->hide();
    m_reader->setBookmarkPopup(m_popup);

    connect(m_reader, &Reader::DoubleClick, this, &frmReader::closeLater);
    connect(m_reader, &Reader::closeRequested, this, &frmReader::closeLater);
    connect(m_reader, &Reader::bookFailed, this, [this] {
        m_bookFailed = true;
        closeLater();
    });
    connect(m_reader, &Reader::bookmarkPopupRequested, this, &frmReader::showPopup);
    connect(m_popup, &EasyButton::Click, this, &frmReader::popupClicked);
    if (auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        connect(application, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager &) { m_sessionEnding = true; });
    }
}

frmReader::~frmReader() = default;

void frmReader::ChangeSize()
{
    QScreen *screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize outer = readerWindowSize(m_context.settings.padSize, available.size());
    // The frame's size is only known once the window is on screen.
    const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize(0, 0);
    setFixedSize(outer - frame);
    move(available.center() - QPoint(outer.width() / 2, outer.height() / 2));
}

void frmReader::load(const std::u16string &bookPath)
{
    ChangeSize();
    show();
    QCoreApplication::processEvents();
    if (m_closing)
        return;
    ChangeSize();
    setWindowIcon(QApplication::windowIcon());
    m_reader->setGeometry(rect());
    m_reader->Initialize_Reader();
    const LanguageTable &language = m_context.language;
    m_reader->setPrintUniCaption(QString::fromStdU16String(language.textOrKey(u"JumpToPage")) +
                                 QStringLiteral("..."));
    m_reader->setPrintUniCaption(QString::fromStdU16String(language.textOrKey(u"Chapter List")));
    m_reader->setFocus(Qt::OtherFocusReason);
    if (!bookPath.empty()) {
        const QString path = QString::fromStdU16String(bookPath);
        const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
        setWindowTitle(path.mid(slash + 1) + QStringLiteral(" - ") +
                       QApplication::applicationDisplayName());
        m_reader->Book_CreatBOOK(bookPath, false);
    } else {
        const QClipboard *clipboard = QGuiApplication::clipboard();
        const QString text = clipboard != nullptr ? clipboard->text() : QString();
        m_reader->Book_CreatBOOK(text.toStdU16String(), true);
    }
}

void frmReader::closeLater()
{
    if (m_closing)
        return;
    QTimer::singleShot(0, this, [this] {
        m_reader->setIsBusy(false);
        close();
    });
}

void frmReader::closeEvent(QCloseEvent *event)
{
    if (m_closing) {
        event->accept();
        return;
    }
    // An open still under way is given up; a turn or a jump is let finish,
    // unless the desktop session is ending.
    const auto *application = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    const bool sessionEnding =
        m_sessionEnding || (application != nullptr && application->isSavingSession());
    if (m_reader->isOpening())
        m_reader->cancelOpening();
    else if (m_reader->IsBusy() && !sessionEnding) {
        event->ignore();
        return;
    }
    m_closing = true;
    hide();
    m_reader->CleanUpGDIP();
    event->accept();
    emit closed(!m_bookFailed);
}

void frmReader::showPopup(QPoint position, BookmarkAction action)
{
    m_popupAction = action;
    const std::u16string_view key = action == BookmarkAction::Delete ? u"DeleteBookMark"
                                                                      : u"AddBookMark";
    m_popup->setCaption(QString::fromStdU16String(m_context.language.textOrKey(key)));
    m_popup->resize(m_popup->sizeHint().expandedTo(QSize(110, 26)));
    const QPoint inside(std::min(position.x(), width() - m_popup->width()),
                        std::min(position.y(), height() - m_popup->height()));
    m_popup->move(m_reader->mapTo(this, inside));
    m_popup->show();
    m_popup->raise();
}

void frmReader::popupClicked()
{
    m_popup->hide();
    m_reader->setFocus(Qt::OtherFocusReason);
    if (m_popupAction == BookmarkAction::Delete)
        m_reader->BooKMark_Delete();
    else
        m_reader->AddBMK();
}

} // namespace quillmoth
