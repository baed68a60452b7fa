#include "reader.h"

#include "platform/qt_text.h"

#include "reader/book_opening.h"
#include "reader/pad_painter.h"
#include "reader/reader_messages.h"
#include "reader/reader_pages.h"
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

// The value of a number held as text, such as the pad size "90": its leading
// digits, 0 when there are none.
double leadingValue(std::u16string_view text)
{
    const QString value = qtText(text).trimmed();
    qsizetype end = 0;
    while (end < value.size() && (value[end].isDigit() || value[end] == u'.' ||
                                  (end == 0 && (value[end] == u'-' || value[end] == u'+'))))
        ++end;
    bool ok = false;
    const double number = value.left(end).toDouble(&ok);
    return ok && std::isfinite(number) ? number : 0;
}

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
    request.settings = m_surfaces.bookSettings(theme);
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
    m_surfaces.setBook(*m_book, *m_metrics, m_context.theme.LineSpace);
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

} // namespace quillmoth
