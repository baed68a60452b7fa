#pragma once

#include "controls/m_wheel.h"
#include "shelf/book_list.h"
#include "shelf/cover_pages.h"
#include "shelf/cover_thumbnails.h"
#include "shelf/shelf_context.h"
#include "controls/message_box.h"
#include "dialogs/dialog_context.h"
#include "settings/theme_list.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QLabel;
class QScrollBar;

namespace quillmoth {

class ClsNode;
class EasyButton;
class FolderScanner;
class FolderTree;
class MWheel;
class MyImage;
class ShelfView;
class ThemePanel;
class TreeBe;
class clsUniToolTip;
class frmReader;
struct FolderScan;

// frmMain: the bookshelf. The folder tree on the left, the books of the
// chosen folder on a painted shelf or on pages of twelve covers, the image
// buttons (cover, clipboard, preferences, help) and the theme panel. It holds
// the window's state and decides when to draw; the drawing is in
// shelf_painter, the shelf in ShelfView and the cover pages in CoverPages.
class frmMain : public QWidget {
    Q_OBJECT

public:
    // The window's inner size.
    static constexpr QSize kClientSize{736, 549};
    static constexpr const char16_t *kCaption = u"Quillmoth v1305";

    explicit frmMain(const ShelfContext &context, QWidget *parent = nullptr);
    ~frmMain() override;

    // The load order: settings, theme, language, theme list, tree, default
    // cover, background, the default folder's books, tooltips, caption. False
    // when it ended in "UnkownErrorTerminate".
    bool Form_Load();

    // Paints the window background, the glass pane and the tree's shadow, and
    // redraws the covers when there are books.
    void InitBackground(const std::filesystem::path &imagePath);
    // Rebuilds and redraws the covers of BookList in the current mode.
    void RefreshCoverRect();
    // Opens the folder tree at a folder and shows its books.
    void TreeBeDefaultPath(const std::filesystem::path &folder);

    // The book of a cover is opened (the press, drag and release).
    void openBook(int index);
    // The clipboard's text as a book.
    void readClipboard();
    // The cover command: a new picture, or erasing the thumbnail.
    void AddCover();
    void EraseCoverPic();
    // A picture file dropped on the cover of book `index`.
    void dropPicture(int index, const QString &file);

    // How the window and its dialogs ask and tell; tests answer for the user.
    void setMessages(MessageFunction ask);
    // How pictures and folders are chosen, here and in the dialogs.
    void setFileChoosers(FileChoosers choosers) { m_choose = std::move(choosers); }

    // The preferences, and the theme editor for Modify and New; both modal
    // over the window.
    void showPreferences();
    void showThemeEditor(const ThemeEditorRequest &request);
    // What the dialogs work with.
    DialogContext dialogContext();
    // The captions from the language table: the theme panel and the tips.
    void applyLanguage();

    // What tests and the other windows look at.
    const BookList &BookList_() const { return m_BookList; }
    const std::filesystem::path &CurrentFolder() const { return m_CurrentFolder; }
    const std::optional<BookEntry> &CurrentBook() const { return m_CurrentBook; }
    int HoveredIndex() const { return m_HoveredIndex; }
    bool isShelfMode() const;
    TreeBe *TreeBe2() const { return m_TreeBe2; }
    ShelfView *shelf() const { return m_shelf; }
    QScrollBar *VS1() const { return m_VS1; }
    QLabel *Label1() const { return m_Label1; }
    ThemePanel *Frame1() const { return m_Frame1; }
    EasyButton *ePopup() const { return m_ePopup; }
    MyImage *MyImage1(int index) const { return m_MyImage1[std::size_t(index)]; }
    CoverPages &pages() { return m_pages; }
    frmReader *readingWindow() const { return m_reader; }
    // The last folder scan asked for has been shown.
    bool isScanPending() const { return m_pendingScan != 0; }

signals:
    // A folder's contents were shown (tests wait for it).
    void folderShown(const std::filesystem::path &folder);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    enum class PopupAction { ChooseCover, EraseThumb };
    enum class ScanPurpose { DefaultFolder, NodeClick, Drives };

    void createControls();
    bool loadSteps();
    void loadTreeStart();
    void scanFolder(const std::filesystem::path &folder, ScanPurpose purpose);
    void folderScanned(int request);
    void drivesScanned(int request);
    void showBooks(FolderScan &scan);
    void nodeClicked(ClsNode *node, Qt::MouseButton button);
    void openReader(const std::u16string &source);
    void imageClicked(int index);
    void showPopup(QPoint position);
    void popupClicked();
    void coverPressed(int index, Qt::MouseButton button);
    void pagePress(QPoint point, Qt::MouseButton button);
    void selectBook(int index);
    void resetPointerState();
    void windowWheel(int rotation);
    void enableShelfWheel(bool shelf);
    CoverPageStyle pageStyle() const;
    std::filesystem::path thumbsFolder() const { return m_context.folder.CoverThumbsFolder(); }
    std::optional<BookEntry> bookAt(int index) const;
    void saveThumbnail(const QString &source, const BookEntry &book);
    void unknownError();
    QString text(std::u16string_view key) const;

    ShelfContext m_context;
    MessageFunction m_ask;
    MessageFunction m_dialogAsk; // empty: the dialogs ask over themselves
    FileChoosers m_choose;

    TreeBe *m_TreeBe2;
    ShelfView *m_shelf;
    QScrollBar *m_VS1;
    QLabel *m_Label1;
    ThemePanel *m_Frame1;
    EasyButton *m_ePopup;
    std::array<MyImage *, 4> m_MyImage1{};
    MWheel *m_MWheel2;
    std::vector<std::unique_ptr<clsUniToolTip>> m_ToolTips;
    FolderScanner *m_scanner;
    std::unique_ptr<FolderTree> m_tree;
    frmReader *m_reader = nullptr;

    CoverCache m_covers;
    CoverPages m_pages;
    QImage m_DefaultCoverImage;
    QImage m_windowPicture; // the window's persistent picture

    BookList m_BookList;
    std::filesystem::path m_CurrentFolder;
    std::optional<BookEntry> m_CurrentBook; // CurrentBookPath: nothing for the clipboard
    int m_HoveredIndex = -1;
    QString m_LastSelectedPath = QStringLiteral("???");
    PopupAction m_popupAction = PopupAction::ChooseCover;

    int m_pendingScan = 0;
    ScanPurpose m_pendingPurpose = ScanPurpose::DefaultFolder;

    // The page modes' pointer.
    bool m_MouseDownOnCover = false;
    int m_MouseDownX = 0;
    bool m_openingArmed = false;
    int m_HoveredPage = -1;
    int m_dragOverPosition = -1;
    NotchCounter m_notches;
};

} // namespace quillmoth
