#include "shelf/frm_main.h"

#include "platform/qt_text.h"

#include "controls/cls_node.h"
#include "controls/cls_uni_tool_tip.h"
#include "controls/easy_button.h"
#include "controls/m_wheel.h"
#include "controls/my_image.h"
#include "controls/tree_be.h"
#include "dialogs/frm_preference.h"
#include "dialogs/frm_theme_set.h"
#include "platform/builtin_pictures.h"
#include "platform/colors.h"
#include "platform/imaging.h"
#include "platform/resource_extraction.h"
#include "reader/frm_reader.h"
#include "shelf/folder_scanner.h"
#include "shelf/folder_tree.h"
#include "shelf/shelf_painter.h"
#include "shelf/shelf_startup.h"
#include "shelf/shelf_view.h"
#include "shelf/theme_panel.h"
#include "text/code_page.h"
#include "text/text_paths.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QLoggingCategory>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QUrl>

#include <system_error>

Q_LOGGING_CATEGORY(lcShelf, "quillmoth.shelf")

namespace quillmoth {

namespace {

constexpr QRect kTreeRect{10, 45, 215, 470};
constexpr QRect kGlassRect{240, 45, 480, 470};
constexpr int kShortestBook = 100;      // bytes
constexpr int kShortestClipboard = 101; // characters
constexpr QColor kWindowColor{16, 16, 16};

FolderTreeIcons treeIcons()
{
    return {QPixmap::fromImage(builtinImage(BuiltinPicture::TreeDrive)),
            QPixmap::fromImage(builtinImage(BuiltinPicture::TreeFolder)),
            QPixmap::fromImage(builtinImage(BuiltinPicture::TreeBook)),
            QPixmap::fromImage(builtinImage(BuiltinPicture::TreeRoot))};
}

} // namespace

frmMain::frmMain(const ShelfContext &context, QWidget *parent)
    : QWidget(parent), m_context(context), m_ask(messageBoxOver(this)), m_TreeBe2(new TreeBe(this)),
      m_shelf(new ShelfView(m_covers, context.flags.IsRefreshing, this)),
      m_VS1(new QScrollBar(Qt::Vertical, this)), m_Label1(new QLabel(this)),
      m_Frame1(new ThemePanel(context, this)), m_ePopup(new EasyButton(this)),
      m_MWheel2(new MWheel(this)), m_scanner(new FolderScanner(this)),
      m_tree(std::make_unique<FolderTree>(m_TreeBe2->Nodes(), treeIcons())),
      m_pages(m_covers, context.flags.IsRefreshing, this)
{
    setWindowTitle(qtText(kCaption));
    setAcceptDrops(true);
    setMouseTracking(true);
    QFont windowFont(QStringLiteral("Tahoma"));
    windowFont.setPointSize(8);
    setFont(windowFont);
    createControls();
    m_choose = platformFileChoosers(this);
}

frmMain::~frmMain() = default;

void frmMain::createControls()
{
    setFixedSize(kClientSize);

    m_TreeBe2->setGeometry(kTreeRect);
    connect(m_TreeBe2, &TreeBe::nodeClick, this, &frmMain::nodeClicked);

    m_shelf->setGeometry(shelf::kViewport);
    m_shelf->hide();
    connect(m_shelf, &ShelfView::coverPressed, this, &frmMain::coverPressed);
    connect(m_shelf, &ShelfView::openRequested, this, &frmMain::openBook);
    connect(m_shelf, &ShelfView::popupRequested, this, &frmMain::showPopup);
    connect(m_shelf, &ShelfView::fileDropped, this, &frmMain::dropPicture);
    connect(m_shelf, &ShelfView::pointerMoved, this, [this] {
        enableShelfWheel(true);
        m_ePopup->hide();
    });
    connect(m_shelf, &ShelfView::scrollStopped, this, [this](int value) {
        const QSignalBlocker blocker(m_VS1);
        m_VS1->setValue(value);
    });

    m_VS1->setGeometry(shelf::kViewport.right() + 1, shelf::kViewport.top(), shelf::kScrollBarWidth,
                       shelf::kViewport.height() + 2);
    m_VS1->setSingleStep(shelf::kRowPitch / 10);
    m_VS1->setPageStep(shelf::kViewport.height());
    m_VS1->hide();
    connect(m_VS1, &QScrollBar::valueChanged, m_shelf, &ShelfView::setScrollValue);

    m_Label1->setGeometry(4, height() - 20, width(), 19);
    m_Label1->setTextFormat(Qt::PlainText);
    m_Label1->setStyleSheet(QStringLiteral("color: rgb(210, 210, 210);"));
    m_Label1->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_Frame1->setGeometry(10, 21, ThemePanel::kWidth, ThemePanel::kClosedHeight);
    m_Frame1->setMessages(
        [this](QMessageBox::Icon icon, const QString &message,
               QMessageBox::StandardButtons buttons) { return m_ask(icon, message, buttons); });
    connect(m_Frame1, &ThemePanel::editorRequested, this, &frmMain::showThemeEditor);

    m_ePopup->hide();
    m_ePopup->setAlign(0);
    connect(m_ePopup, &EasyButton::Click, this, &frmMain::popupClicked);

    static constexpr BuiltinPicture kButtons[] = {
        BuiltinPicture::ButtonCover, BuiltinPicture::ButtonClipboard,
        BuiltinPicture::ButtonPreferences, BuiltinPicture::ButtonHelp};
    for (int i = 0; i < 4; ++i) {
        auto *button = new MyImage(this, i);
        button->setPicture(QPixmap::fromImage(builtinImage(kButtons[i])));
        button->move(width() - 4 * 28 - 6 + i * 28, 1);
        m_MyImage1[std::size_t(i)] = button;
        connect(button, &MyImage::Click, this, &frmMain::imageClicked);
    }

    m_MWheel2->setHWndCapture(this);
    connect(m_MWheel2, &MWheel::WheelScroll, this,
            [this](int, int rotation, double, double) { windowWheel(rotation); });
    connect(m_scanner, &FolderScanner::scanned, this, &frmMain::folderScanned);
    connect(m_scanner, &FolderScanner::drivesScanned, this, &frmMain::drivesScanned);
    connect(&m_pages, &CoverPages::changed, this, qOverload<>(&QWidget::update));
    m_pages.setClientWidth(width());
}

QString frmMain::text(std::u16string_view key) const
{
    return qtText(m_context.language.textOrKey(key));
}

void frmMain::setMessages(MessageFunction ask)
{
    m_ask = ask;
    m_dialogAsk = std::move(ask);
}

bool frmMain::isShelfMode() const
{
    return m_context.settings.CoverShowStyle != u"Slide" &&
           m_context.settings.CoverShowStyle != u"Curtain" &&
           m_context.settings.CoverShowStyle != u"FadeIn";
}

CoverPageStyle frmMain::pageStyle() const
{
    if (m_context.settings.CoverShowStyle == u"Curtain")
        return CoverPageStyle::Curtain;
    if (m_context.settings.CoverShowStyle == u"FadeIn")
        return CoverPageStyle::FadeIn;
    return CoverPageStyle::Slide;
}

// ---------------------------------------------------------------------------
// Loading

bool frmMain::Form_Load()
{
    // No failure of a step, whatever its cause, may end the program obscurely.
    try {
        return loadSteps();
    } catch (const std::exception &error) {
        qCWarning(lcShelf) << "start-up failed:" << error.what();
    }
    unknownError();
    return false;
}

bool frmMain::loadSteps()
{
    if (!loadShelfStartup(m_context, [this](const SettingsErrorReport &report) {
            m_ask(QMessageBox::Warning, qtText(report.message), QMessageBox::Ok);
        })) {
        unknownError();
        return false;
    }
    applyLanguage();
    if (!m_Frame1->FlushThemeList(m_context.settings.CurrentTheme)) {
        unknownError();
        return false;
    }
    const QScreen *screen = this->screen();
    if (screen != nullptr && screen->geometry().width() <= 800) {
        QFont treeFont = m_TreeBe2->font();
        treeFont.setPointSize(8);
        m_TreeBe2->setFont(treeFont);
    }
    m_DefaultCoverImage =
        loadDataPicture(m_context.folder.dataFilePath("Cvr.dat"), QStringLiteral("COVER"));
    const AppFolder &folder = m_context.folder;
    m_shelf->setPictures(loadShelfPieces(folder.dataFilePath("ShfT.dat"),
                                         folder.dataFilePath("ShfL.dat"),
                                         folder.dataFilePath("ShfM.dat")),
                         m_DefaultCoverImage, thumbsFolder());
    m_shelf->setFont(font());
    m_LastSelectedPath = QStringLiteral("???");
    InitBackground(m_context.settings.backgroundImagePath);
    loadTreeStart();

    static constexpr std::u16string_view kTips[] = {u"ReadClipboard", u"UIPreference", u"Help"};
    m_ToolTips.clear();
    for (int i = 1; i < 4; ++i) {
        auto tip = std::make_unique<clsUniToolTip>();
        tip->setTipText(text(kTips[i - 1]));
        tip->Create(m_MyImage1[std::size_t(i)]);
        m_ToolTips.push_back(std::move(tip));
    }
    m_Label1->setGeometry(4, height() - 20, width(), 19);
    m_Label1->clear();
    setWindowTitle(qtText(kCaption));
    return true;
}

void frmMain::unknownError()
{
    // Without a language file the English text is shown rather than the key.
    const std::optional<std::u16string> message = m_context.language.text(u"UnkownErrorTerminate");
    m_ask(QMessageBox::Critical,
          message
              ? qtText(*message)
              : QStringLiteral("An unexpected error occurred. Quillmoth cannot finish loading."),
          QMessageBox::Ok);
}

void frmMain::applyLanguage()
{
    m_Frame1->applyLanguage();
    static constexpr std::u16string_view kTips[] = {u"ReadClipboard", u"UIPreference", u"Help"};
    for (std::size_t i = 0; i < m_ToolTips.size() && i < std::size(kTips); ++i)
        m_ToolTips[i]->setTipText(text(kTips[i]));
}

void frmMain::loadTreeStart()
{
    std::filesystem::path folder = m_context.settings.DefaultFolder;
    std::error_code error;
    if (folder.empty())
        folder = m_context.folder.defaultBookFolder();
    if (std::filesystem::is_directory(folder, error))
        TreeBeDefaultPath(folder);
    else
        scanFolder({}, ScanPurpose::Drives);
}

void frmMain::TreeBeDefaultPath(const std::filesystem::path &folder)
{
    // The old folder's books leave with the old root.
    m_BookList.clear();
    resetPointerState();
    m_shelf->hide();
    m_VS1->hide();
    m_Label1->clear();
    m_CurrentBook.reset();
    update();
    scanFolder(folder, ScanPurpose::DefaultFolder);
}

void frmMain::scanFolder(const std::filesystem::path &folder, ScanPurpose purpose)
{
    m_pendingPurpose = purpose;
    m_pendingScan =
        purpose == ScanPurpose::Drives ? m_scanner->scanDrives() : m_scanner->scan(folder);
}

void frmMain::folderScanned(int request)
{
    if (request != m_pendingScan)
        return;
    FolderScan scan = m_scanner->takeScan();
    m_pendingScan = 0;
    if (m_pendingPurpose == ScanPurpose::DefaultFolder) {
        m_tree->TreeBeDefaultPath(scan);
        // The default folder's books show at start, as a click on its node would.
        showBooks(scan);
    } else {
        m_tree->TreeLoadbyPath(scan);
        showBooks(scan);
    }
    emit folderShown(scan.folder);
}

void frmMain::drivesScanned(int request)
{
    if (request != m_pendingScan)
        return;
    m_pendingScan = 0;
    m_tree->LoadDriveTree(m_scanner->drives());
    emit folderShown({});
}

void frmMain::showBooks(FolderScan &scan)
{
    if (scan.books.empty())
        return; // the shelf keeps showing the books it had
    m_BookList = std::move(scan.books);
    m_CurrentFolder = scan.folder;
    RefreshCoverRect();
    m_MyImage1[1]->show();
    m_MyImage1[2]->show();
    m_Label1->clear();
    m_CurrentBook.reset();
}

void frmMain::nodeClicked(ClsNode *node, Qt::MouseButton button)
{
    if (m_context.flags.IsRefreshing || node == nullptr)
        return;
    const std::filesystem::path folder = m_tree->pathOf(node->key());
    if (!m_BookList.empty() && folder == m_CurrentFolder)
        return;
    m_MWheel2->DisableWheel();
    m_shelf->wheel()->DisableWheel();
    if (button == Qt::RightButton)
        return;
    if (folder.empty() || m_tree->isBook(node->key()))
        return;
    scanFolder(folder, ScanPurpose::NodeClick);
}

// ---------------------------------------------------------------------------
// The window's picture

void frmMain::InitBackground(const std::filesystem::path &imagePath)
{
    const qreal ratio = devicePixelRatioF();
    m_windowPicture = QImage((QSizeF(size()) * ratio).toSize(), QImage::Format_RGB32);
    m_windowPicture.setDevicePixelRatio(ratio);
    m_windowPicture.fill(kWindowColor);
    const QColor glass = colorFromValue(m_context.settings.glassColor, Qt::white);
    m_TreeBe2->setBackColor(m_context.settings.glassColor);
    if (m_context.settings.foreColor)
        m_TreeBe2->setForeColor(*m_context.settings.foreColor);

    QPainter painter(&m_windowPicture);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!imagePath.empty()) {
        QImage background = loadImage(qtPath(imagePath));
        if (background.isNull()) {
            // Never write over the user's picture: the built-in one stands in,
            // and is written out only as the program's own default file.
            background = loadDataPicture(m_context.folder.defaultBackgroundPath(),
                                         QString::fromLatin1(kWindowBackgroundResource));
        }
        paintWindowBackground(painter, background, size());
        const QImage under =
            m_windowPicture.copy(QRect(kGlassRect.topLeft() * ratio, kGlassRect.size() * ratio));
        paintGlassPane(painter, under, kGlassRect, glass);
        paintDropShadow(painter, kTreeRect);
    }
    painter.end();
    const QRect layer = pages::kLayer;
    m_pages.setPictures(m_DefaultCoverImage, thumbsFolder(), font(),
                        m_windowPicture.copy(QRect(layer.topLeft() * ratio, layer.size() * ratio)));
    if (m_TreeBe2->Nodes().Count() >= 2)
        m_TreeBe2->Refresh();
    if (!m_BookList.empty())
        RefreshCoverRect();
    update();
}

void frmMain::RefreshCoverRect()
{
    if (m_BookList.empty())
        return;
    m_context.flags.IsRefreshing = true;
    m_Label1->clear();
    m_CurrentBook.reset();
    resetPointerState();
    if (!isShelfMode()) {
        m_pages.setBooks(&m_BookList);
        m_LastSelectedPath = QStringLiteral("???");
        m_shelf->hide();
        m_VS1->hide();
        m_context.flags.IsRefreshing = false;
        update();
        return;
    }
    m_shelf->setGeometry(shelf::kViewport);
    m_shelf->setBooks(&m_BookList);
    if (int(m_BookList.size()) <= shelf::kCoversWithoutScrolling) {
        m_VS1->hide();
    } else {
        const QSignalBlocker blocker(m_VS1);
        m_VS1->setRange(0, m_shelf->scrollMaximum());
        m_VS1->setValue(0);
        m_VS1->show();
    }
    m_shelf->show();
    m_context.flags.IsRefreshing = false;
    update();
}

void frmMain::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_windowPicture);
    painter.fillRect(statusStrip(size()), Qt::black);
    if (isShelfMode() || m_BookList.empty())
        return;
    m_pages.paint(painter);
    const int selected = m_HoveredIndex - m_pages.FirstIndex();
    if (m_CurrentBook && selected >= 0 && selected < int(m_pages.PageRects().size()) &&
        !m_pages.isAnimating())
        paintSelectionFrame(painter,
                            pageSelectionFrame(m_pages.PageRects()[std::size_t(selected)]));
    paintPageButtons(painter,
                     BuildPageButtons(m_pages.pageCount(), m_pages.CurrentPage() + 1, size()),
                     m_pages.CurrentPage() + 1, font());
}

// ---------------------------------------------------------------------------
// Books and covers

std::optional<BookEntry> frmMain::bookAt(int index) const
{
    if (index < 0 || index >= int(m_BookList.size()))
        return std::nullopt;
    return m_BookList[std::size_t(index)];
}

void frmMain::selectBook(int index)
{
    m_HoveredIndex = index;
    const std::optional<BookEntry> book = bookAt(index);
    if (!book)
        return;
    m_CurrentBook = book;
    m_Label1->setText(qtPath(book->fullPath()));
}

void frmMain::coverPressed(int index, Qt::MouseButton)
{
    m_HoveredIndex = index;
    if (index >= 0)
        selectBook(index);
}

void frmMain::resetPointerState()
{
    m_HoveredIndex = -1;
    m_HoveredPage = -1;
    m_MouseDownOnCover = false;
    m_openingArmed = false;
    m_dragOverPosition = -1;
    m_ePopup->hide();
    unsetCursor();
    m_shelf->resetPointer();
}

void frmMain::openBook(int index)
{
    const std::optional<BookEntry> book = bookAt(index);
    if (!book || m_reader != nullptr)
        return;
    const std::filesystem::path path = book->fullPath();
    std::error_code error;
    const std::uintmax_t length = std::filesystem::file_size(path, error);
    if (error || !std::filesystem::is_regular_file(path, error)) {
        m_ask(QMessageBox::Warning,
              QStringLiteral("This book is no longer there:\n%1").arg(qtPath(path)),
              QMessageBox::Ok);
        return;
    }
    if (length < kShortestBook) {
        m_ask(QMessageBox::NoIcon,
              text(u"IsItNecessary") + QStringLiteral(" File Length is only  ") +
                  QString::number(length) + QStringLiteral(" Bytes"),
              QMessageBox::Ok);
        return;
    }
    // Bytes of the name that are not UTF-8 travel escaped, so that the
    // reader opens this very file.
    openReader(utf16FromBytesEscaped(path.native()));
}

void frmMain::readClipboard()
{
    if (m_reader != nullptr)
        return;
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QString clip = clipboard != nullptr ? clipboard->text() : QString();
    if (clip.size() < kShortestClipboard) {
        m_ask(QMessageBox::NoIcon, text(u"Clipboard text too short"), QMessageBox::Ok);
        return;
    }
    m_CurrentBook.reset();
    openReader({});
}

void frmMain::openReader(const std::u16string &source)
{
    // The shelf hides while a book is read and comes back when it closes.
    m_reader = new frmReader(m_context.readerContext());
    connect(m_reader, &frmReader::closed, this, [this] {
        m_reader = nullptr;
        show();
        activateWindow();
    });
    hide();
    m_reader->load(source);
}

void frmMain::imageClicked(int index)
{
    if (m_context.flags.IsRefreshing)
        return;
    switch (index) {
    case 0: {
        if (m_BookList.empty())
            return;
        const bool thumb = isShelfMode() ? m_shelf->hasThumb(m_HoveredIndex)
                                         : m_pages.hasThumb(m_HoveredIndex - m_pages.FirstIndex());
        if (thumb)
            EraseCoverPic();
        else
            AddCover();
        break;
    }
    case 1:
        readClipboard();
        break;
    case 2:
        if (!m_BookList.empty())
            showPreferences();
        break;
    case 3: {
        const std::filesystem::path help =
            m_context.folder.helpFilePath(m_context.settings.UserLanguage);
        QDesktopServices::openUrl(QUrl::fromLocalFile(qtPath(help)));
        break;
    }
    default:
        break;
    }
}

void frmMain::AddCover()
{
    if (isShelfMode() && m_shelf->selectedIndex() < 0) {
        m_ask(QMessageBox::NoIcon, text(u"SelectBeforeProceed"), QMessageBox::Ok);
        return;
    }
    const std::optional<BookEntry> book = bookAt(m_HoveredIndex);
    if (!book || book->name.empty())
        return;
    const QString picture = m_choose.chooseImage ? m_choose.chooseImage(QString()) : QString();
    if (picture.isEmpty())
        return;
    saveThumbnail(picture, *book);
}

void frmMain::saveThumbnail(const QString &source, const BookEntry &book)
{
    const std::filesystem::path thumbnail = thumbnailPath(thumbsFolder(), book);
    if (!GdipSavetoJPEG(std::filesystem::path(source.toStdU16String()), thumbnail))
        m_ask(QMessageBox::Critical, text(u"Save file Error"), QMessageBox::Ok);
    m_covers.forget(thumbnail);
    RefreshCoverRect();
}

void frmMain::EraseCoverPic()
{
    const std::optional<BookEntry> book = bookAt(m_HoveredIndex);
    if (!book || !hasThumbnail(thumbsFolder(), *book))
        return;
    if (m_ask(QMessageBox::Question, QStringLiteral("Delete this thumb?"),
              QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    const std::filesystem::path thumbnail = thumbnailPath(thumbsFolder(), *book);
    if (!eraseThumbnail(thumbsFolder(), *book))
        qCWarning(lcShelf) << "err in EraseCoverPic" << qtPath(thumbnail);
    m_covers.forget(thumbnail);
    RefreshCoverRect();
}

void frmMain::dropPicture(int index, const QString &file)
{
    if (m_context.flags.IsRefreshing)
        return;
    const std::optional<BookEntry> book = bookAt(index);
    if (!book || book->name.empty() || file.isEmpty())
        return;
    saveThumbnail(file, *book);
}

void frmMain::showPopup(QPoint position)
{
    if (!m_CurrentBook)
        return;
    const bool thumb = hasThumbnail(thumbsFolder(), *m_CurrentBook);
    m_popupAction = thumb ? PopupAction::EraseThumb : PopupAction::ChooseCover;
    m_ePopup->setCaption(thumb ? text(u"Erase this Thumb")
                               : text(u"ChangeCoverThumb") + QLatin1Char('\t'));
    m_ePopup->resize(m_ePopup->sizeHint().expandedTo(QSize(110, 26)));
    m_ePopup->move(position);
    m_ePopup->show();
    m_ePopup->raise();
}

void frmMain::popupClicked()
{
    m_ePopup->hide();
    if (m_context.flags.IsRefreshing)
        return;
    if (m_popupAction == PopupAction::ChooseCover)
        AddCover();
    else
        EraseCoverPic();
}

// ---------------------------------------------------------------------------
// The dialogs

DialogContext frmMain::dialogContext()
{
    ShelfHooks hooks;
    hooks.InitBackground = [this] { InitBackground(m_context.settings.backgroundImagePath); };
    hooks.RefreshCoverRect = [this] { RefreshCoverRect(); };
    hooks.TreeBeDefaultPath = [this](const std::filesystem::path &folder) {
        TreeBeDefaultPath(folder);
    };
    hooks.ApplyLanguage = [this] { applyLanguage(); };
    hooks.FlushThemeList = [this](std::u16string_view name) { m_Frame1->FlushThemeList(name); };
    hooks.setRedrawing = [this](bool on) { setUpdatesEnabled(on); };
    return {m_context.folder,   m_context.theme,    m_context.settings, m_context.document,
            m_context.language, m_context.codePage, std::move(hooks)};
}

void frmMain::showPreferences()
{
    auto *dialog = new frmPreference(dialogContext(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (m_dialogAsk)
        dialog->setMessages(m_dialogAsk);
    dialog->setFileChoosers(m_choose);
    dialog->open();
}

void frmMain::showThemeEditor(const ThemeEditorRequest &request)
{
    auto *dialog = new frmThemeSet(dialogContext(), request, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (m_dialogAsk)
        dialog->setMessages(m_dialogAsk);
    dialog->setFileChoosers(m_choose);
    dialog->open();
}

} // namespace quillmoth
