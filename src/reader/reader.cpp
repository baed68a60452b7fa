#include "reader.h"

#include "reader/book_opening.h"
#include "reader/pad_painter.h"
#include "reader/reader_messages.h"
#include "text/text_paths.h"
#include "reader/side_panel.h"
#include "reader/turn_painter.h"

#include "controls/easy_button.h"
#include "controls/m_wheel.h"
#include "engine/book.h"
#include "text/code_page.h"
#include "engine/text_metrics.h"
#include "text/app_folder.h"
#include "platform/bookmark_file.h"
#include "platform/builtin_pictures.h"
#include "platform/font_text_metrics.h"
#include "settings/language_table.h"
#include "settings/theme_record.h"
#include "settings/ui_settings.h"

#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <fstream>
#include <cmath>
#include <new>

namespace quillmoth {
namespace {

constexpr int kFadeLast = 250;
constexpr int kFadeStep = 5;
constexpr int kFadeInterval = 10;  // ms
constexpr int kPanelInStep = 20;
constexpr int kPanelInInterval = 10;  // ms
constexpr int kPanelOutInterval = 1;  // ms: the panel slides back a pixel at a time

const QColor kDesk = Qt::black;

QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar *>(text.data()), qsizetype(text.size()));
}

// The value of a number held as text, such as the pad size "90": its leading
// digits, 0 when there are none.
double leadingValue(std::u16string_view text)
{
    const QString value = toQString(text).trimmed();
    qsizetype end = 0;
    while (end < value.size() && (value[end].isDigit() || value[end] == u'.' ||
                                  (end == 0 && (value[end] == u'-' || value[end] == u'+'))))
        ++end;
    bool ok = false;
    const double number = value.left(end).toDouble(&ok);
    return ok && std::isfinite(number) ? number : 0;
}

int evenPage(int page) { return page % 2 != 0 ? page + 1 : page; }

} // namespace

Reader::Reader(const ReaderContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), m_opener(new BookOpening(this)),
      m_panel(new SidePanel(this)), m_wheel(new MWheel(this)), m_Timer1(new QTimer(this)),
      m_Timer2(new QTimer(this)), m_motionTimer(new QTimer(this))
{
    setObjectName(QStringLiteral("Reader1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    QFont uiFont = font();
    uiFont.setPointSizeF(9);
    setFont(uiFont);
    m_panel->setFont(uiFont);

    m_Timer1->setInterval(50);
    m_Timer2->setInterval(30);
    m_motionTimer->setTimerType(Qt::PreciseTimer);
    connect(m_Timer1, &QTimer::timeout, this, &Reader::dragTick);
    connect(m_Timer2, &QTimer::timeout, this, &Reader::completionTick);
    connect(m_motionTimer, &QTimer::timeout, this, [this] {
        if (m_motion == Motion::Fade)
            fadeStep();
        else
            panelStep();
    });
    connect(m_wheel, &MWheel::WheelScroll, this, &Reader::onWheel);
    connect(m_opener, &BookOpening::progressed, this, [this](double fraction) {
        m_openingProgress = fraction;
        emit openingProgressed(fraction);
        update();
    });
    connect(m_opener, &BookOpening::finished, this, &Reader::finishOpening);

    connect(m_panel, &SidePanel::chapterClicked, this, &Reader::chapterClicked);
    m_panel->onThumbPress = [this](QMouseEvent *event) { thumbPress(event); };
    m_panel->onThumbMove = [this](QMouseEvent *event) { thumbMove(event); };
    m_panel->onThumbRelease = [this](QMouseEvent *) { thumbRelease(); };
    m_panel->move(SidePanel::kParkedLeft, 0);

    m_makeMetrics = [](const QFont &pageFont) -> std::unique_ptr<TextMetrics> {
        return std::make_unique<FontTextMetrics>(pageFont);
    };
    m_showMessage = [this](QMessageBox::Icon icon, const QString &title, const QString &text) {
        QMessageBox box(icon, title, text, QMessageBox::Ok, this);
        box.exec();
    };
}

Reader::~Reader()
{
    CleanUpGDIP();
}

void Reader::showMessage(QMessageBox::Icon icon, const QString &title, const QString &text)
{
    if (m_showMessage)
        m_showMessage(icon, title, text);
}

QString Reader::languageText(std::u16string_view key) const
{
    return QString::fromStdU16String(m_context.language.textOrKey(key));
}

void Reader::finishBusy()
{
    m_IsBusy = false;
    emit becameIdle();
}

void Reader::refreshAndFocus()
{
    update();
    setFocus(Qt::OtherFocusReason);
}

bool Reader::isAnimating() const
{
    return m_Timer1->isActive() || m_Timer2->isActive() || m_motion != Motion::None;
}

// ---------------------------------------------------------------------------
// Setting up

void Reader::setPrintUniCaption(const QString &caption) { m_panel->PrintUniCaption(caption); }

std::u16string Reader::Read_Bmark_Key(std::u16string_view section, std::u16string_view key) const
{
    return BookmarkFile(m_context.folder.BookmarkFilePath(), m_context.codePage)
        .Read_Bmark_Key(section, key);
}

void Reader::Initialize_Reader()
{
    const ReaderGeometry geometry = ReaderGeometry::forClientSize(width(), height());
    m_panel->setGeometry(SidePanel::kParkedLeft, 0, SidePanel::kWidth, 400);
    m_panel->drawSliderTrack();
    m_panel->setThumbLeft(SidePanel::kThumbFirst);
    m_surfaces.create(geometry, devicePixelRatioF());
    m_picture = QImage(size().expandedTo(QSize(1, 1)) * devicePixelRatioF(),
                       QImage::Format_ARGB32_Premultiplied);
    m_picture.setDevicePixelRatio(devicePixelRatioF());
    m_picture.fill(kDesk);
    m_surfaces.LoadShadowImages(m_context.folder);
    m_initialized = true;
    update();
}

void Reader::CleanUpGDIP()
{
    m_Timer1->stop();
    m_Timer2->stop();
    m_motionTimer->stop();
    m_motion = Motion::None;
    m_afterMotion = nullptr;
    m_opener->cancel();
    m_opening = false;
    if (m_wheel != nullptr)
        m_wheel->DisableWheel();
    m_frame.reset();
    m_turnImages = TurnImages();
    m_fadeSurface = QImage();
    m_surfaces.clear();
}

// ---------------------------------------------------------------------------
// Making the book

void Reader::Book_CreatBOOK(const std::u16string &source, bool fromClipboard)
{
    m_IsBusy = true;
    setCursor(Qt::WaitCursor);
    m_fromClipboard = fromClipboard;
    const ThemeRecord &theme = m_context.theme;
    const PadTheme padTheme = PadTheme::fromTheme(theme);
    m_surfaces.LoadThemeImages(padTheme);
    m_surfaces.listAlbum();
    m_surfaces.setPadSize(int(leadingValue(m_context.settings.padSize)));
    m_wheel->setHWndCapture(this);
    m_wheel->DisableWheel();
    m_picture.fill(kDesk);
    m_book.reset();
    update();

    if (!m_initialized || !geometry().isUsable()) {
        failOpening(languageText(u"Loading Error!"), QApplication::applicationDisplayName());
        return;
    }
    // A file that cannot be read would open as an empty book: say so instead.
    if (!fromClipboard && !std::ifstream(text::pathFromText(source), std::ios::binary)) {
        failOpening(readerMessage(ReaderMessage::Unreadable, m_context.settings.UserLanguage) +
                        QLatin1Char('\n') + QString::fromStdU16String(source),
                    QApplication::applicationDisplayName());
        return;
    }

    // The engine measures on its own thread, so the few texts it needs are
    // measured here, in the font the pages are drawn in.
    m_metrics = m_makeMetrics(padTheme.font);
    BookOpeningRequest request;
    request.source = source;
    request.fromClipboard = fromClipboard;
    request.settings.PageWidth = geometry().PageWidth;
    request.settings.PageHeight = geometry().PageHeight;
    request.settings.LineSpace = theme.LineSpace;
    request.settings.PadSize = int(leadingValue(m_context.settings.padSize));
    request.settings.ReformatParagraphs = theme.ReformatParagraphs;
    request.settings.ListUpChapters = theme.ListUpChapters;
    request.settings.IllustrationsOn = m_surfaces.hasIllustrations();
    request.settings.ForceBIG5 = m_context.settings.ForceBIG5;
    request.metrics = std::make_shared<RecordedTextMetrics>(*m_metrics);
    request.codePage = std::make_shared<AnsiCodePage>(m_context.codePage);
    request.bookmarkFile = m_context.folder.BookmarkFilePath();

    if (m_openSynchronously) {
        finishOpening(std::make_shared<Book>(BookOpening::openNow(request)));
        return;
    }
    m_opening = true;
    m_openingProgress = 0;
    m_opener->start(std::move(request));
    // Small books open faster than an indicator could be read.
    QTimer::singleShot(250, this, [this] {
        if (m_opening)
            update();
    });
}

void Reader::cancelOpening()
{
    if (!m_opening)
        return;
    m_opener->cancel();
    m_opening = false;
    unsetCursor();
    finishBusy();
}

void Reader::failOpening(const QString &message, const QString &title)
{
    m_opening = false;
    m_IsBusy = false;
    unsetCursor();
    m_wheel->DisableWheel();
    showMessage(QMessageBox::Critical, title, message);
    emit bookFailed();
}

void Reader::finishOpening(std::shared_ptr<Book> book)
{
    m_opening = false;
    if (!book || book->Error == EngineError::Cancelled) {
        unsetCursor();
        finishBusy();
        return;
    }
    if (book->Error != EngineError::None) {
        failOpening(QStringLiteral("Format error:%1").arg(int(book->Error)),
                    QStringLiteral("DediZed"));
        return;
    }
    if (book->PageCount < 2) {
        failOpening(languageText(u"Loading Error!"), QApplication::applicationDisplayName());
        return;
    }
    unsetCursor();
    m_book = std::make_unique<Book>(std::move(*book));
    m_bookmarks = BookBookmarks::fromBook(*m_book);
    const int lineHeight =
        roundHalfEvenToInt(m_metrics->height(m_book->IsCJK ? u"的" : u"H")) +
        m_context.theme.LineSpace;
    QFont numberFont = m_surfaces.theme().font;
    numberFont.setPointSizeF(9);
    m_surfaces.setBook(*m_book, lineHeight, QFontMetrics(numberFont).height());
    m_panel->setChapters(m_book->ChapterTitles, m_book->ChapterPages);
    try {
        DrawFirstPage();
    } catch (const std::exception &) {
        // A picture too large to draw, say: the book is not half shown.
        CleanUpGDIP();
        failOpening(languageText(u"Loading Error!"), QApplication::applicationDisplayName());
    }
}

void Reader::DrawFirstPage()
{
    if (!m_book || m_book->PageCount == 0)
        return;
    m_IsBusy = true;
    m_SliderStep = 200.0 / m_book->PageCount;
    m_TurnStep = std::max(1.0, (leadingValue(m_context.settings.padSize) - 10) * 0.01 * 30);
    m_panel->setThumbLeft(SidePanel::kThumbFirst);

    m_surfaces.DrawBGround();
    m_surfaces.drawPage(SpreadLayout::Side::Left, 1);
    m_surfaces.drawPage(SpreadLayout::Side::Right, 2);
    m_panel->drawSliderEnds(m_book->PageCount);

    m_surfaces.copyWorkSurfaceToShown();
    m_picture.fill(kDesk);
    DrawBookmarkTabs(false);
    emit bookShown();
    FadeInSpread(m_surfaces.picBase2(), [this] { endFirstPage(); });
}

void Reader::endFirstPage()
{
    m_AnchorPage = 2;
    ShowSpread(2, false);
    m_wheel->EnableWheel();
    finishBusy();
}

// ---------------------------------------------------------------------------
// Spreads

void Reader::blitShownSpread()
{
    QPainter painter(&m_picture);
    painter.drawImage(ReaderGeometry::spreadOrigin(), m_surfaces.picBase1());
}

void Reader::ShowSpread(int page, bool noBlit)
{
    m_IsBusy = true;
    m_frame.reset();
    m_surfaces.takeWorkSurface();
    if (!noBlit)
        blitShownSpread();
    m_surfaces.composeFollowing(page, m_TurnBack ? TurnDirection::Back : TurnDirection::Forward);
    if (m_spreadDrawn) {
        m_panel->setTipText(QString::number(page));
        m_panel->setThumbLeft(roundHalfEvenToInt(page * m_SliderStep + SidePanel::kThumbFirst));
    }
    PrepareTurnImages();
    update();
}

void Reader::PrepareTurnImages()
{
    m_turnImages =
        m_surfaces.PrepareTurnImages(m_TurnBack ? TurnDirection::Back : TurnDirection::Forward);
}

void Reader::FadeInSpread(const QImage &surface, std::function<void()> then)
{
    m_fadeSurface = surface;
    m_afterMotion = std::move(then);
    if (m_instantAnimations) {
        m_fadeAlpha = kFadeLast;
        fadeStep();
        return;
    }
    m_motion = Motion::Fade;
    m_fadeAlpha = 0;
    m_motionTimer->start(kFadeInterval);
}

void Reader::fadeStep()
{
    m_fadeAlpha = std::min(m_fadeAlpha + kFadeStep, kFadeLast);
    if (m_fadeAlpha < kFadeLast) {
        update();
        return;
    }
    // The last step stays: the control's picture is the spread blended at 250.
    {
        QPainter painter(&m_picture);
        painter.setOpacity(kFadeLast / 255.0);
        painter.drawImage(ReaderGeometry::spreadOrigin(), m_fadeSurface);
    }
    m_motionTimer->stop();
    m_motion = Motion::None;
    m_fadeSurface = QImage();
    m_fadeAlpha = 0;
    update();
    if (auto then = std::exchange(m_afterMotion, nullptr))
        then();
}

// ---------------------------------------------------------------------------
// Painting

void Reader::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_picture.isNull()) {
        painter.fillRect(rect(), kDesk);
        return;
    }
    painter.drawImage(0, 0, m_picture);
    if (m_frame)
        paintTurnFrame(painter, *m_frame, m_turnImages);
    if (m_motion == Motion::Fade && !m_fadeSurface.isNull()) {
        painter.setOpacity(m_fadeAlpha / 255.0);
        painter.drawImage(ReaderGeometry::spreadOrigin(), m_fadeSurface);
        painter.setOpacity(1);
    }
    if (m_opening)
        paintOpeningProgress(painter, rect(), m_openingProgress);
}

QImage Reader::padImage() { return grab().toImage(); }

// ---------------------------------------------------------------------------
// Turning pages

void Reader::mousePressEvent(QMouseEvent *event)
{
    press(event->button(), event->buttons(), event->position().toPoint());
}

void Reader::mouseMoveEvent(QMouseEvent *event)
{
    move(event->buttons(), event->position().toPoint());
}

void Reader::mouseReleaseEvent(QMouseEvent *event)
{
    release(event->button(), event->position().toPoint());
}

void Reader::mouseDoubleClickEvent(QMouseEvent *)
{
    m_IsBusy = false;
    emit DoubleClick();
}

bool Reader::event(QEvent *event)
{
    // A turn whose release never comes (the grab was lost) still completes.
    switch (event->type()) {
    case QEvent::UngrabMouse:
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
        completeArmedTurn();
        break;
    default:
        break;
    }
    return QWidget::event(event);
}

void Reader::press(Qt::MouseButton button, Qt::MouseButtons, QPoint position)
{
    if (m_IsBusy || !m_book)
        return;
    if (m_popup && m_popup->isVisible()) {
        m_popup->hide();
        return;
    }
    const int x = position.x();
    const int y = position.y();
    if (y < 30)
        return;
    if (button == Qt::RightButton) {
        m_TurnArmed = true;
        return;
    }
    const PageRectangle &page = geometry().PageRect;
    if (button != Qt::LeftButton || x < page.Left || x > page.Right || y > page.Bottom)
        return;
    const bool backward = x <= geometry().SpreadCenterX;
    if (backward && m_AnchorPage < 3)
        return;  // the first spread has no way back

    m_IsBusy = true;
    if (m_AnchorPage > 0) {
        m_TurnArmed = false;
        const int pageCount = m_book->PageCount;
        if (backward) {
            if (m_TurnBack) {
                m_AnchorPage -= 2;
            } else {
                m_ReloadSpread = true;
                m_AnchorPage -= 3;
            }
            m_TurnBack = true;
        } else {
            if (!m_TurnBack) {
                if (m_AnchorPage >= pageCount) {
                    m_AnchorPage = pageCount;
                    m_IsBusy = false;
                    return;
                }
                m_AnchorPage += 2;
            } else {
                // Turning forward from the last spread would show pages the
                // book does not have.
                if (m_AnchorPage + 3 > pageCount) {
                    m_IsBusy = false;
                    return;
                }
                m_ReloadSpread = true;
                m_AnchorPage += 3;
            }
            m_TurnBack = false;
        }
        m_DragStartX = x;
        if (m_ReloadSpread) {
            m_ReloadSpread = false;
            m_surfaces.reloadPreviousSpread();
            PrepareTurnImages();
        }
    }
    m_TurnArmed = true;
    m_leftTurnPending = true;
}

void Reader::move(Qt::MouseButtons buttons, QPoint position)
{
    const int x = position.x();
    const int y = position.y();
    if (!m_IsBusy && m_book) {
        if (x >= 10 && x > SidePanel::kWidth && m_panel->isOut()) {
            m_IsBusy = true;
            HidePanel();
            return;
        }
        if (x < 10 && !m_panel->isOut()) {
            m_IsBusy = true;
            ShowPanel();
            return;
        }
    }
    const int tabs = m_bookmarks.tabCount();
    const bool overTabs = y < 30 && x > 40 && x < tabs * 104 + 40 && tabs > 0;
    if (!m_opening)  // the wait cursor stays while a book opens
        overTabs ? setCursor(grabCursor()) : unsetCursor();

    if (m_TurnArmed && (buttons & Qt::LeftButton) && m_leftTurnPending) {
        const int pageWidth = geometry().PageWidth;
        bool follow = false;
        if (m_TurnBack) {
            if (m_AnchorPage >= 1 && x > m_DragStartX && x - m_DragStartX < pageWidth - 15) {
                m_TurnOffset = std::min(x - m_DragStartX, pageWidth);
                follow = x != m_LastMouseX;
            }
        } else if (x < m_DragStartX && m_DragStartX - x < pageWidth - 10) {
            m_TurnOffset = std::min(m_DragStartX - x, pageWidth);
            follow = x != m_LastMouseX;
        }
        if (follow)
            m_Timer1->start();
        else
            m_Timer1->stop();
    }
    m_LastMouseX = x;
}

void Reader::completeArmedTurn()
{
    if (!m_leftTurnPending)
        return;
    m_leftTurnPending = false;
    m_Timer1->stop();
    if (m_TurnArmed)
        m_Timer2->start();
    m_TurnArmed = false;
    SyncSlider();
}

void Reader::release(Qt::MouseButton button, QPoint position)
{
    const int x = position.x();
    const int y = position.y();
    if (button == Qt::LeftButton && m_leftTurnPending) {
        // Wherever the button comes up, an armed turn completes.
        completeArmedTurn();
        return;
    }
    const bool wasArmed = m_TurnArmed;
    m_TurnArmed = false;
    if (m_IsBusy || !m_book)
        return;
    if (y < 30) {
        tabStripRelease(button, position);
        return;
    }
    if (button == Qt::RightButton && wasArmed) {
        const PageRectangle &page = geometry().PageRect;
        if (x > page.Left && x < page.Right && y < page.Bottom &&
            m_bookmarks.tabCount() < kMaxBookmarks && !m_fromClipboard)
            emit bookmarkPopupRequested(position, BookmarkAction::Add);
    }
}

void Reader::dragTick() { drawTurnFrame(); }

void Reader::completionTick()
{
    m_IsBusy = true;
    const double pageWidth = geometry().PageWidth;
    m_TurnOffset = std::min(m_TurnOffset + m_TurnStep, pageWidth);
    drawTurnFrame();
    if (m_TurnOffset >= pageWidth) {
        m_Timer2->stop();
        ShowSpread(m_AnchorPage, false);
        finishBusy();
    }
}

void Reader::drawTurnFrame()
{
    m_frame = curlGeometry(m_TurnBack ? TurnDirection::Back : TurnDirection::Forward,
                           m_TurnOffset, geometry());
    update();
}

QImage Reader::turnFrame(TurnDirection direction, double offset)
{
    if (!m_book || m_IsBusy)
        return {};
    const PageRectangle &page = geometry().PageRect;
    const bool forward = direction == TurnDirection::Forward;
    press(Qt::LeftButton, Qt::LeftButton, QPoint(forward ? page.Right - 1 : page.Left + 1, 31));
    if (!m_leftTurnPending)
        return {};
    m_TurnOffset = std::clamp(offset, 0.0, double(geometry().PageWidth));
    drawTurnFrame();
    return padImage();
}

void Reader::simulateTurn(int x1, int x2, int x3)
{
    press(Qt::LeftButton, Qt::LeftButton, QPoint(x1, 31));
    move(Qt::LeftButton, QPoint(x2, 31));
    release(Qt::LeftButton, QPoint(x3, 31));
}

void Reader::keyPressEvent(QKeyEvent *event)
{
    // Esc gives up a book that is still being made.
    if (m_opening && event->key() == Qt::Key_Escape) {
        emit closeRequested();
        event->accept();
        return;
    }
    if (m_IsBusy || m_panel->isOut() || !m_book) {
        event->accept();
        return;
    }
    const PageRectangle &page = geometry().PageRect;
    switch (event->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        if (m_AnchorPage >= 2)
            simulateTurn(page.Left + 1, page.Left + 2, page.Left + 3);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        if (m_AnchorPage < m_book->PageCount)
            simulateTurn(page.Right - 1, page.Right - 2, page.Right - 3);
        break;
    case Qt::Key_F9:
        m_IsBusy = false;
        refreshAndFocus();
        break;
    case Qt::Key_Escape:
        emit closeRequested();
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void Reader::onWheel(int, int rotation, double x, double)
{
    if (m_IsBusy || m_panel->isOut() || !m_book) {
        m_wheelRemainder = 0;
        return;
    }
    // Touchpads and fine wheels send parts of a notch: a page per whole notch.
    m_wheelRemainder += rotation;
    if (std::abs(m_wheelRemainder) < 120)
        return;
    const bool towardsUser = m_wheelRemainder < 0;
    m_wheelRemainder %= 120;
    const PageRectangle &page = geometry().PageRect;
    if (towardsUser) {
        if (m_AnchorPage < m_book->PageCount)
            simulateTurn(page.Right - 1, page.Right - 2, page.Right - 3);
        return;
    }
    const int pointerX = mapFromGlobal(QPointF(x, 0)).toPoint().x();
    if (pointerX < geometry().SpreadCenterX && m_AnchorPage < 3)
        return;
    if (m_AnchorPage >= 2)
        simulateTurn(page.Left + 1, page.Left + 2, page.Left + 3);
}

// ---------------------------------------------------------------------------
// The side panel and the slider

void Reader::ShowPanel()
{
    m_panel->raise();
    m_panel->move(-SidePanel::kWidth, m_panel->y());
    if (m_instantAnimations) {
        m_panel->move(0, m_panel->y());
        finishBusy();
        return;
    }
    m_motion = Motion::PanelIn;
    m_motionTimer->start(kPanelInInterval);
}

void Reader::HidePanel()
{
    if (m_instantAnimations) {
        m_panel->move(SidePanel::kParkedLeft, m_panel->y());
        finishBusy();
        refreshAndFocus();
        return;
    }
    m_motion = Motion::PanelOut;
    m_motionTimer->start(kPanelOutInterval);
}

void Reader::panelStep()
{
    const int left = m_panel->x();
    const bool in = m_motion == Motion::PanelIn;
    const int next = in ? std::min(left + kPanelInStep, 0)
                        : std::max(left - 1, int(SidePanel::kParkedLeft));
    m_panel->move(next, m_panel->y());
    const bool done = in ? next >= 0 : next <= SidePanel::kParkedLeft;
    if (!done)
        return;
    m_motionTimer->stop();
    m_motion = Motion::None;
    finishBusy();
    if (!in)
        refreshAndFocus();
}

void Reader::thumbPress(QMouseEvent *event)
{
    if (m_IsBusy || !m_book)
        return;
    m_SliderDragging = true;
    m_SliderGrabX = event->position().toPoint().x();
}

void Reader::thumbMove(QMouseEvent *event)
{
    if (!m_SliderDragging || !(event->buttons() & Qt::LeftButton))
        return;
    const int left =
        std::clamp(event->position().toPoint().x() - m_SliderGrabX + m_panel->thumbLeft(),
                   int(SidePanel::kThumbFirst), int(SidePanel::kThumbLast));
    m_panel->setThumbLeft(left);
    const double page = std::max(1.0, (left - SidePanel::kThumbFirst) / m_SliderStep);
    m_panel->setTipText(QStringLiteral(" %1 ").arg(roundHalfEvenToInt(page)));
}

void Reader::thumbRelease()
{
    if (!m_SliderDragging)
        return;
    m_SliderDragging = false;
    jumpTo(roundHalfEvenToInt(leadingValue(m_panel->tipText().toStdU16String())));
}

void Reader::chapterClicked(int row)
{
    if (m_IsBusy || !m_book || row < 0)
        return;
    const std::int32_t page = m_panel->chapterPage(row);
    m_panel->setTipText(QString::number(page));
    m_SliderDragging = false;
    jumpTo(page);
}

void Reader::SyncSlider()
{
    m_panel->setTipText(QString::number(m_AnchorPage));
    m_panel->setThumbLeft(
        roundHalfEvenToInt(m_SliderStep * m_AnchorPage + SidePanel::kThumbFirst));
}

void Reader::jumpTo(int page)
{
    if (m_IsBusy || !m_book || m_book->PageCount < 2)
        return;
    const int target = std::clamp(evenPage(page), 2, m_book->PageCount);
    const int shownRight = m_TurnBack ? m_AnchorPage + 1 : m_AnchorPage;
    if (target == shownRight) {
        SyncSlider();
        return;
    }
    GoToPage(target < shownRight, target);
}

void Reader::GoToPage(bool backward, int page)
{
    m_spreadDrawn = true;
    if (backward) {
        if (page < 1)
            return;
        if (page == 1)
            page = 2;
        m_IsBusy = true;
        m_surfaces.DrawSpread(page + 2);
        m_surfaces.copyWorkSurfaceToShown();
        m_surfaces.DrawSpread(page);
        m_AnchorPage = page - 1;
    } else {
        if (page - 2 > m_book->PageCount)
            return;
        m_AnchorPage = page;
        m_IsBusy = true;
        m_surfaces.DrawSpread(page - 2);
        m_surfaces.copyWorkSurfaceToShown();
        m_surfaces.DrawSpread(page);
    }
    FadeInSpread(m_surfaces.picBase2(), [this, backward] {
        m_TurnBack = backward;
        ShowSpread(m_AnchorPage, false);
        finishBusy();
    });
}

bool Reader::showSpreadAt(int page)
{
    if (!m_book || m_IsBusy)
        return false;
    const int target = evenPage(page);
    if (target < 2 || target > m_book->PageCount)
        return false;
    const bool instant = m_instantAnimations;
    m_instantAnimations = true;
    jumpTo(target);
    m_instantAnimations = instant;
    return true;
}

// ---------------------------------------------------------------------------
// Bookmarks

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
