// The control gallery: every control of the widget kit in every style, live.
//
//   gallery                      opens the window
//   gallery --screenshot FILE    renders the window (with a hovered button, a
//                                pressed one and two tooltips showing) to a
//                                PNG file and quits

#include "gallery_art.h"

#include "controls/cls_uni_tool_tip.h"
#include "controls/easy_button.h"
#include "controls/m_wheel.h"
#include "controls/my_image.h"
#include "controls/tree_be.h"
#include "platform/colors.h"
#include "platform/imaging.h"
#include "platform/wave_player.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QCursor>
#include <QGridLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <memory>
#include <vector>

using namespace quillmoth;

namespace {

const char *const kAuthors[] = {
    "Austen", "Brontë", "Cao Xueqin", "Cervantes", "Dickens", "Dostoevsky", "Eliot", "Flaubert",
    "Goethe", "Hardy", "Hugo", "James", "Joyce", "Kafka", "Lu Xun", "Melville",
    "Murasaki", "Proust", "Shelley", "Stendhal", "Tolstoy", "Turgenev", "Twain", "Woolf",
    "Wu Cheng'en", "Zola"};

// A library of a few hundred folders and books.
int fillLibrary(TreeBe &tree)
{
    ClsNodes &nodes = tree.Nodes();
    nodes.AddItem("lib", "My library", "", kNoColor, kNoColor, gallery::folderIcon());
    int count = 1;
    int authorIndex = 0;
    for (const char *author : kAuthors) {
        const QString key = QStringLiteral("lib/") + QString::fromUtf8(author);
        nodes.AddItem(key, QString::fromUtf8(author), "lib", kNoColor, kNoColor, gallery::folderIcon());
        ++count;
        const int shelves = 1 + authorIndex % 3;
        for (int shelf = 0; shelf < shelves; ++shelf) {
            const QString shelfKey = key + QStringLiteral("/Volume %1").arg(shelf + 1);
            nodes.AddItem(shelfKey, QStringLiteral("Volume %1").arg(shelf + 1), key, kNoColor, kNoColor,
                          gallery::folderIcon());
            ++count;
            const int books = 2 + (authorIndex * 7 + shelf * 3) % 5;
            for (int book = 0; book < books; ++book) {
                const QString name = QStringLiteral("Part %1.txt").arg(book + 1);
                nodes.AddItem(shelfKey + "/" + name, name, shelfKey, kNoColor, kNoColor, gallery::bookIcon());
                ++count;
            }
        }
        ++authorIndex;
    }
    return count;
}

// A titled part of the window: a heading over its controls, on the window's
// own background so that the controls show their faces as they are.
QWidget *section(const QString &title, QLayout *layout)
{
    auto *box = new QWidget;
    auto *outer = new QVBoxLayout(box);
    outer->setContentsMargins(0, 4, 0, 6);
    auto *heading = new QLabel(title);
    QFont font = heading->font();
    font.setBold(true);
    heading->setFont(font);
    auto *rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    outer->addWidget(heading);
    outer->addWidget(rule);
    layout->setContentsMargins(8, 2, 0, 0);
    outer->addLayout(layout);
    return box;
}

EasyButton *makeButton(const QString &caption, QWidget *parent = nullptr, int align = 0)
{
    auto *button = new EasyButton(parent);
    button->setCaption(caption);
    button->setAlign(align);
    button->setFixedSize(112, 28);
    return button;
}

QLabel *pictureCell(const QImage &image, const QString &caption)
{
    auto *label = new QLabel;
    QImage cell(image.width(), image.height() + 16, QImage::Format_ARGB32_Premultiplied);
    cell.fill(Qt::transparent);
    QPainter painter(&cell);
    painter.drawImage(0, 0, image);
    painter.setPen(QColor(0x40, 0x40, 0x40));
    QFont font = painter.font();
    font.setPixelSize(10);
    painter.setFont(font);
    painter.drawText(QRect(0, image.height() + 2, image.width(), 14), Qt::AlignCenter, caption);
    painter.end();
    label->setPixmap(QPixmap::fromImage(cell));
    return label;
}

class Gallery : public QWidget {
public:
    Gallery();

    // Puts the controls in the states a screenshot should show.
    void stage();
    // The window with the tooltips that float above it.
    QImage render();

private:
    void report(const QString &text) { m_status->setText(text); }
    QWidget *treeColumn();
    QWidget *buttonColumn();
    QWidget *otherColumn();
    QLayout *imagingGrid();

    QLabel *m_status = new QLabel;
    TreeBe *m_library = nullptr;
    TreeBe *m_classic = nullptr;
    EasyButton *m_hovered = nullptr;
    EasyButton *m_pressed = nullptr;
    EasyButton *m_balloonOwner = nullptr;
    QLabel *m_wheelPad = nullptr;
    MWheel *m_wheel = nullptr;
    std::vector<std::unique_ptr<clsUniToolTip>> m_tips;
    QTemporaryDir m_scratch;
};

Gallery::Gallery()
{
    setWindowTitle(QStringLiteral("Quillmoth control gallery"));
    auto *columns = new QHBoxLayout;
    columns->addWidget(treeColumn());
    columns->addWidget(buttonColumn());
    columns->addWidget(otherColumn());
    auto *outer = new QVBoxLayout(this);
    outer->addLayout(columns);
    m_status->setFrameShape(QFrame::StyledPanel);
    m_status->setText(QStringLiteral("Click, hover and turn the wheel: the last event shows here."));
    outer->addWidget(m_status);
}

QWidget *Gallery::treeColumn()
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    m_library = new TreeBe;
    m_library->setFixedSize(250, 470);
    m_library->setEnableHover(true);
    m_library->setHoverBackColor(0xFAEBDC);
    m_library->setSelectedBackColor(0xD77A3C);
    const int count = fillLibrary(*m_library);
    connect(m_library, &TreeBe::nodeClick, this, [this](ClsNode *node, Qt::MouseButton button) {
        report(QStringLiteral("TreeBe nodeClick: %1 (%2 button)")
                   .arg(node->Caption(), button == Qt::LeftButton ? "left" : "other"));
    });
    auto *libraryLayout = new QVBoxLayout;
    libraryLayout->addWidget(m_library);
    layout->addWidget(section(QStringLiteral("TreeBe — %1 nodes, hover on").arg(count), libraryLayout));

    m_classic = new TreeBe;
    m_classic->setFixedSize(250, 170);
    m_classic->setTreeStyle(0);
    m_classic->setLineStyle(0);
    QFont font = m_classic->font();
    font.setItalic(true);
    m_classic->setFont(font);
    ClsNodes &nodes = m_classic->Nodes();
    nodes.AddItem("c", "Classic style", "", kNoColor, kNoColor, gallery::folderIcon());
    nodes.AddItem("c/1", "Solid tree lines", "c", kNoColor, kNoColor, gallery::folderIcon());
    nodes.AddItem("c/1/a", "Caption-only selection", "c/1", kNoColor, kNoColor, gallery::bookIcon());
    nodes.AddItem("c/1/b", "Coloured row", "c/1", 0xD0F0FF, 0x004080, gallery::bookIcon());
    nodes.AddItem("c/2", "Second folder", "c", kNoColor, kNoColor, gallery::folderIcon());
    nodes.AddItem("c/2/a", "Inside the second", "c/2", kNoColor, kNoColor, gallery::bookIcon());
    nodes.AddItem("d", "Closed folder", "", kNoColor, kNoColor, gallery::folderIcon());
    nodes.AddItem("d/a", "Hidden child", "d", kNoColor, kNoColor, gallery::bookIcon());
    nodes.nItem("c")->setExpanded(true);
    nodes.nItem("c/1")->setExpanded(true);
    nodes.nItem("c/2")->setExpanded(true);
    m_classic->setSelectedNode(nodes.nItem("c/1/a"));
    auto *classicLayout = new QVBoxLayout;
    classicLayout->addWidget(m_classic);
    layout->addWidget(section(QStringLiteral("TreeBe — TreeStyle 0, LineStyle 0"), classicLayout));
    layout->addStretch();
    return column;
}

QWidget *Gallery::buttonColumn()
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    auto player = std::make_shared<WavePlayer>();
    const auto wire = [this, player](EasyButton *button) {
        button->setWavePlayer(player);
        connect(button, &EasyButton::Click, this,
                [this, button] { report(QStringLiteral("EasyButton Click: ") + button->Caption()); });
        return button;
    };

    auto *push = new QGridLayout;
    push->addWidget(wire(makeButton(QStringLiteral("3-D &normal"))), 0, 0);
    m_hovered = wire(makeButton(QStringLiteral("3-D hover")));
    push->addWidget(m_hovered, 0, 1);
    EasyButton *disabled = wire(makeButton(QStringLiteral("3-D disabled")));
    disabled->setEnabled(false);
    push->addWidget(disabled, 0, 2);
    EasyButton *flat = wire(makeButton(QStringLiteral("&Flat")));
    flat->setBGstyle(1);
    push->addWidget(flat, 1, 0);
    m_pressed = wire(makeButton(QStringLiteral("Flat pressed")));
    m_pressed->setBGstyle(1);
    push->addWidget(m_pressed, 1, 1);
    EasyButton *flatDisabled = wire(makeButton(QStringLiteral("Flat disabled")));
    flatDisabled->setBGstyle(1);
    flatDisabled->setEnabled(false);
    push->addWidget(flatDisabled, 1, 2);
    EasyButton *coloured = wire(makeButton(QStringLiteral("Coloured face")));
    coloured->setBackColor(0xF4E6D2);
    coloured->setForeColor(0x80381C);
    push->addWidget(coloured, 2, 0);
    EasyButton *noBorder = wire(makeButton(QStringLiteral("No border")));
    noBorder->setBorderStyle(0);
    push->addWidget(noBorder, 2, 1);
    EasyButton *defaults = wire(new EasyButton);
    defaults->setFixedSize(112, 28);
    push->addWidget(defaults, 2, 2);
    layout->addWidget(section(QStringLiteral("Push buttons (BtnStyle 0)"), push));

    auto *skins = new QHBoxLayout;
    EasyButton *round = wire(new EasyButton);
    round->setCaption(QString());
    round->setPicture(gallery::roundSkin(44));
    round->setFixedSize(44, 44);
    EasyButton *pill = wire(new EasyButton);
    pill->setPicture(gallery::pillSkin(150, 34));
    pill->setFixedSize(150, 34);
    pill->setCaption(QStringLiteral("&Read this book"));
    pill->setAlign(0);
    pill->setForeColor(0xFFFFFF);
    QFont bold = pill->font();
    bold.setBold(true);
    pill->setFont(bold);
    skins->addWidget(round);
    skins->addWidget(pill);
    skins->addWidget(new QLabel(QStringLiteral("Skins: four frames,\nblack-pixel hit mask")));
    skins->addStretch();
    layout->addWidget(section(QStringLiteral("Skinned buttons"), skins));

    auto *captions = new QGridLayout;
    for (int align = 0; align <= 9; ++align) {
        auto *caption = new EasyButton;
        caption->setBtnStyle(1);
        caption->setUseSound(0);
        caption->setBackColor(0xFFFFFF);
        caption->setCaption(align == 9 ? QStringLiteral("Align 9 wraps long text")
                                       : QStringLiteral("Align %1").arg(align));
        caption->setAlign(align);
        caption->setFixedSize(68, 48);
        captions->addWidget(caption, align / 5, align % 5);
    }
    layout->addWidget(section(QStringLiteral("Captions (BtnStyle 1), Align 0 to 9"), captions));

    auto *checks = new QHBoxLayout;
    const auto check = [&](const QString &text, bool on, bool enabled) {
        EasyButton *box = wire(makeButton(text, nullptr, 3));
        box->setBtnStyle(2);
        box->setBorderStyle(0);
        box->setBackColor(colorValue(box->palette().color(QPalette::Window)));
        box->setChkValue(on);
        box->setEnabled(enabled);
        checks->addWidget(box);
    };
    check(QStringLiteral("&Bold"), true, true);
    check(QStringLiteral("Italic"), false, true);
    check(QStringLiteral("Disabled"), true, false);
    layout->addWidget(section(QStringLiteral("Check boxes (BtnStyle 2)"), checks));

    auto *groups = new QHBoxLayout;
    const auto optionGroup = [&](const QString &title, const QStringList &labels, int selected) {
        // The container is the group: a plain widget with a heading.
        auto *box = new QWidget;
        auto *list = new QVBoxLayout(box);
        list->setContentsMargins(0, 0, 0, 0);
        auto *heading = new QLabel(title);
        QFont headingFont = heading->font();
        headingFont.setItalic(true);
        heading->setFont(headingFont);
        list->addWidget(heading);
        for (int i = 0; i < labels.size(); ++i) {
            EasyButton *option = wire(makeButton(labels[i], box, 3));
            option->setBtnStyle(3);
            option->setBorderStyle(0);
            option->setBackColor(colorValue(option->palette().color(QPalette::Window)));
            option->setFixedSize(140, 24);
            option->Set_tmpOptValue(i == selected);
            list->addWidget(option);
        }
        list->addStretch();
        groups->addWidget(box);
    };
    optionGroup(QStringLiteral("Cover style"), {"Shelf", "Slide", "Curtain", "FadeIn"}, 1);
    optionGroup(QStringLiteral("Pad size"), {"60 %", "80 %", "100 %"}, 2);
    layout->addWidget(section(QStringLiteral("Option buttons (BtnStyle 3): one group per container"), groups));
    layout->addStretch();
    return column;
}

QWidget *Gallery::otherColumn()
{
    auto *column = new QWidget;
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *bar = new QHBoxLayout;
    const gallery::ToolIcon icons[] = {gallery::ToolIcon::Cover, gallery::ToolIcon::Clipboard,
                                       gallery::ToolIcon::Preferences, gallery::ToolIcon::Help};
    for (int index = 0; index < 4; ++index) {
        auto *image = new MyImage(nullptr, index);
        image->setPicture(gallery::toolIcon(icons[index], 32));
        image->setFixedSize(32, 32);
        connect(image, &MyImage::Click, this,
                [this](int which) { report(QStringLiteral("MyImage Click, index %1").arg(which)); });
        bar->addWidget(image);
    }
    auto *dimmed = new MyImage(nullptr, 4);
    dimmed->setPicture(gallery::toolIcon(gallery::ToolIcon::Help, 32));
    dimmed->setFixedSize(32, 32);
    dimmed->setEnabled(false);
    bar->addWidget(dimmed);
    bar->addWidget(new QLabel(QStringLiteral("index 0 to 3;\nthe last one disabled")));
    bar->addStretch();
    layout->addWidget(section(QStringLiteral("Image buttons (MyImage)"), bar));

    auto *tips = new QHBoxLayout;
    const auto tipped = [&](const QString &caption, auto configure) {
        EasyButton *owner = makeButton(caption);
        owner->setUseSound(0);
        tips->addWidget(owner);
        auto tip = std::make_unique<clsUniToolTip>();
        configure(*tip);
        tip->Create(owner);
        m_tips.push_back(std::move(tip));
        return owner;
    };
    m_balloonOwner = tipped(QStringLiteral("Balloon"), [](clsUniToolTip &tip) {
        tip.setStyle(1);
        tip.setIcon(1);
        tip.setTitle(QStringLiteral("Read the clipboard"));
        tip.setTipText(QStringLiteral("Opens the copied text as a book.\n阅读剪贴板中的文字"));
    });
    tipped(QStringLiteral("Rectangular"), [](clsUniToolTip &tip) {
        tip.setTipText(QStringLiteral("A plain tip.\nLine breaks start new lines."));
    });
    tipped(QStringLiteral("Centred"), [](clsUniToolTip &tip) {
        tip.setCentered(true);
        tip.setBackColor(0xD8F4FF);
        tip.setForeColor(0x603010);
        tip.setTipText(QStringLiteral("Centred, in its own colours"));
    });
    layout->addWidget(section(QStringLiteral("Tooltips (clsUniToolTip)"), tips));

    auto *wheelRow = new QHBoxLayout;
    m_wheelPad = new QLabel(QStringLiteral("Turn the wheel here"));
    m_wheelPad->setAlignment(Qt::AlignCenter);
    m_wheelPad->setFrameShape(QFrame::StyledPanel);
    m_wheelPad->setMinimumHeight(54);
    m_wheel = new MWheel(this);
    m_wheel->setHWndCapture(m_wheelPad);
    m_wheel->EnableWheel();
    connect(m_wheel, &MWheel::WheelScroll, this, [this](int keys, int rotation, double x, double y) {
        m_wheelPad->setText(QStringLiteral("WheelScroll\nrotation %1, keys %2, at (%3, %4)")
                                .arg(rotation)
                                .arg(keys)
                                .arg(x)
                                .arg(y));
    });
    EasyButton *hook = makeButton(QStringLiteral("Hook on"), nullptr, 3);
    hook->setBtnStyle(2);
    hook->setBorderStyle(0);
    hook->setBackColor(colorValue(hook->palette().color(QPalette::Window)));
    hook->setUseSound(0);
    hook->setChkValue(true);
    connect(hook, &EasyButton::Click, this, [this, hook] {
        if (hook->ChkValue())
            m_wheel->EnableWheel();
        else
            m_wheel->DisableWheel();
        m_wheelPad->setText(hook->ChkValue() ? QStringLiteral("Hooked: turns become WheelScroll")
                                             : QStringLiteral("Unhooked: the label gets the turns"));
    });
    wheelRow->addWidget(m_wheelPad, 1);
    wheelRow->addWidget(hook);
    layout->addWidget(section(QStringLiteral("Wheel hook (MWheel)"), wheelRow));

    layout->addWidget(section(QStringLiteral("Picture operations"), imagingGrid()));
    layout->addStretch();
    return column;
}

QLayout *Gallery::imagingGrid()
{
    constexpr int kWidth = 84;
    constexpr int kHeight = 56;
    const QImage source = gallery::samplePicture(kWidth, kHeight);
    const auto blank = [] {
        QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(QColor(0xF0, 0xF0, 0xF0));
        return image;
    };
    auto *grid = new QGridLayout;
    grid->addWidget(pictureCell(source, QStringLiteral("original")), 0, 0);

    QImage flipped = source;
    rotateFlip(flipped, RotateFlip::FlipX);
    grid->addWidget(pictureCell(flipped, QStringLiteral("flip X")), 0, 1);

    QImage turned = source;
    rotateFlip(turned, RotateFlip::Rotate180);
    grid->addWidget(pictureCell(turned, QStringLiteral("rotate 180")), 0, 2);

    QImage faded = blank();
    {
        QPainter painter(&faded);
        ImageAttributes half;
        half.alphaScale = 0.4;
        drawImageRect(painter, source, QRectF(0, 0, kWidth, kHeight), QRectF(source.rect()), &half);
    }
    grid->addWidget(pictureCell(faded, QStringLiteral("alpha 0.4")), 0, 3);

    QImage tinted = blank();
    {
        QPainter painter(&tinted);
        const ImageAttributes sepia{1.0, 0.8, 0.45, 1.0};
        drawImageRect(painter, source, QRectF(0, 0, kWidth, kHeight), QRectF(source.rect()), &sepia);
    }
    grid->addWidget(pictureCell(tinted, QStringLiteral("RGB scales")), 1, 0);

    QImage clipped = blank();
    {
        QPainter painter(&clipped);
        clipToPolygon(painter, QPolygon({QPoint(42, 2), QPoint(82, 28), QPoint(42, 54), QPoint(2, 28)}));
        painter.drawImage(0, 0, source);
    }
    grid->addWidget(pictureCell(clipped, QStringLiteral("clip polygon")), 1, 1);

    QImage rotated = blank();
    {
        QPainter painter(&rotated);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        translateAndRotate(painter, QPointF(42, 28), -15);
        drawImageStretched(painter, source, QRectF(-30, -20, 60, 40));
    }
    grid->addWidget(pictureCell(rotated, QStringLiteral("translate+rotate")), 1, 2);

    QImage glass = source.copy();
    {
        QPainter painter(&glass);
        fillTranslucentRect(painter, QRectF(8, 14, 68, 28), 0x90FFFFFF);
    }
    grid->addWidget(pictureCell(glass, QStringLiteral("translucent fill")), 1, 3);

    // A cover thumbnail through a real JPEG file: exactly 90 x 135.
    const QString path = m_scratch.filePath(QStringLiteral("thumb.jpg"));
    const QImage cover = gallery::samplePicture(300, 200);
    QImage thumb;
    if (saveJpeg(thumbnail(cover, 90, 135), path, 90))
        thumb = loadImage(path);
    if (!thumb.isNull())
        grid->addWidget(pictureCell(thumb, QStringLiteral("JPEG %1×%2").arg(thumb.width()).arg(thumb.height())),
                        0, 4, 2, 1, Qt::AlignTop);
    return grid;
}

void Gallery::stage()
{
    // The library open at a few authors, with a book selected and a row hovered.
    ClsNodes &nodes = m_library->Nodes();
    for (const char *key : {"lib", "lib/Austen", "lib/Austen/Volume 1", "lib/Cao Xueqin", "lib/Dickens"}) {
        if (ClsNode *node = nodes.nItem(QString::fromUtf8(key)))
            node->setExpanded(true);
    }
    m_library->setSelectedNode(nodes.nItem(QStringLiteral("lib/Austen/Volume 1/Part 2.txt")));
    m_library->Refresh();
    if (ClsNode *hover = nodes.nItem(QStringLiteral("lib/Cao Xueqin"))) {
        const QPoint point(120, m_library->rowRect(hover).center().y());
        QMouseEvent move(QEvent::MouseMove, QPointF(point), m_library->surface()->mapToGlobal(QPointF(point)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(m_library->surface(), &move);
    }

    // A hovered 3-D button (the real pointer rests on it, so the hover timer
    // agrees) and a flat button held down.
    const QPoint hoverPoint(56, 14);
    QCursor::setPos(m_hovered->mapToGlobal(hoverPoint));
    QMouseEvent hoverMove(QEvent::MouseMove, QPointF(hoverPoint), m_hovered->mapToGlobal(QPointF(hoverPoint)),
                          Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(m_hovered, &hoverMove);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(40, 14), m_pressed->mapToGlobal(QPointF(40, 14)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_pressed, &press);

    // One wheel turn on the hooked label.
    const QPointF at(30, 20);
    QWheelEvent wheel(at, m_wheelPad->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_wheelPad, &wheel);

    // The balloon tip pointing at its button, and the centred tip.
    m_tips[0]->showTip(m_balloonOwner->mapToGlobal(QPoint(56, 22)));
    m_tips[2]->showTip(QPoint());
    report(QStringLiteral("TreeBe nodeClick: Part 2.txt (left button)"));
}

QImage Gallery::render()
{
    QImage shot = grab().toImage();
    QPainter painter(&shot);
    const QPoint origin = mapToGlobal(QPoint(0, 0));
    for (const auto &tip : m_tips) {
        QWidget *window = tip->tipWindow();
        if (!window || !window->isVisible())
            continue;
        const QPoint offset = window->pos() - origin;
        painter.save();
        if (!window->mask().isEmpty())
            painter.setClipRegion(window->mask().translated(offset));
        painter.drawPixmap(offset, window->grab());
        painter.restore();
    }
    return shot;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmoth gallery"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Shows every Quillmoth control in every style."));
    parser.addHelpOption();
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Render the window to a PNG file and quit."),
                                        QStringLiteral("FILE"));
    parser.addOption(screenshot);
    parser.process(application);

    Gallery gallery;
    gallery.move(0, 0);
    gallery.show();
    if (!parser.isSet(screenshot))
        return application.exec();

    const QString path = parser.value(screenshot);
    int status = 0;
    QTimer::singleShot(400, &gallery, [&] {
        gallery.stage();
        QTimer::singleShot(400, &gallery, [&] {
            if (!gallery.render().save(path, "PNG")) {
                qWarning("Cannot write %s", qPrintable(path));
                status = 1;
            }
            QApplication::quit();
        });
    });
    application.exec();
    return status;
}
