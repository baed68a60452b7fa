#include "side_panel.h"

#include "platform/text_drawing.h"

#include <QAbstractListModel>
#include <QFontMetricsF>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace quillmoth {
namespace {

const QColor kPanelColor(236, 233, 225);
const QColor kTrackColor(100, 100, 100);

} // namespace

// The chapter titles as a list model: a long book's thousands of chapters cost
// no widget each.
class ChapterListModel final : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setChapters(std::vector<std::u16string> titles, std::vector<std::int32_t> pages)
    {
        beginResetModel();
        m_titles = std::move(titles);
        m_pages = std::move(pages);
        m_pages.resize(m_titles.size(), 0);
        endResetModel();
    }

    std::int32_t page(int row) const
    {
        return row >= 0 && row < int(m_pages.size()) ? m_pages[std::size_t(row)] : 0;
    }

    int rowCount(const QModelIndex &parent) const override
    {
        return parent.isValid() ? 0 : int(m_titles.size());
    }

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (!index.isValid() || index.row() >= int(m_titles.size()))
            return {};
        if (role == Qt::DisplayRole)
            return QString::fromStdU16String(m_titles[std::size_t(index.row())]);
        if (role == Qt::UserRole)
            return page(index.row());
        return {};
    }

private:
    std::vector<std::u16string> m_titles;
    std::vector<std::int32_t> m_pages;
};

// imgSlider1: a small round knob that hands its mouse to the panel's owner.
class SliderThumb final : public QWidget {
public:
    explicit SliderThumb(SidePanel *panel) : QWidget(panel), m_panel(panel)
    {
        setFixedSize(16, 16);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QRadialGradient knob(QPointF(6, 5), 9);
        knob.setColorAt(0, QColor(255, 255, 255));
        knob.setColorAt(1, QColor(120, 110, 96));
        painter.setBrush(knob);
        painter.setPen(QPen(QColor(70, 64, 56), 1));
        painter.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    }
    void mousePressEvent(QMouseEvent *event) override { forward(m_panel->onThumbPress, event); }
    void mouseMoveEvent(QMouseEvent *event) override { forward(m_panel->onThumbMove, event); }
    void mouseReleaseEvent(QMouseEvent *event) override { forward(m_panel->onThumbRelease, event); }

private:
    static void forward(const std::function<void(QMouseEvent *)> &handler, QMouseEvent *event)
    {
        if (handler)
            handler(event);
        event->accept();
    }

    SidePanel *m_panel;
};

SidePanel::SidePanel(QWidget *parent)
    : QWidget(parent), m_list(new QListView(this)), m_chapters(new ChapterListModel(this)),
      m_thumb(new SliderThumb(this)), m_tip(new QLabel(QStringLiteral("1"), this))
{
    setObjectName(QStringLiteral("picConsole"));
    resize(kWidth, kHeight);
    const qreal ratio = devicePixelRatioF();
    m_picture = QImage(QSize(kWidth, kHeight) * ratio, QImage::Format_ARGB32_Premultiplied);
    m_picture.setDevicePixelRatio(ratio);
    m_picture.fill(kPanelColor);

    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setModel(m_chapters);
    m_list->setGeometry(5, 26, 238, 292);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setUniformItemSizes(true);
    QPalette palette = m_list->palette();
    palette.setColor(QPalette::Base, Qt::white);
    m_list->setPalette(palette);
    connect(m_list, &QListView::clicked, this,
            [this](const QModelIndex &index) { emit chapterClicked(index.row()); });

    m_thumb->setObjectName(QStringLiteral("imgSlider1"));
    m_thumb->move(kThumbFirst, kThumbTop);
    m_tip->setObjectName(QStringLiteral("lblTip1"));
    m_tip->setGeometry(140, 340, 100, 20);
}

SidePanel::~SidePanel() = default;

QWidget *SidePanel::imgSlider1() const { return m_thumb; }

void SidePanel::PrintUniCaption(const QString &caption)
{
    const bool aboveSlider = caption.contains(QStringLiteral(".."));
    const QRect box = aboveSlider ? QRect(QPoint(20, 340), QPoint(199, 359))
                                  : QRect(QPoint(20, 10), QPoint(199, 29));
    {
        QPainter painter(&m_picture);
        painter.setFont(font());
        painter.setPen(Qt::black);
        drawFormattedText(painter, box, caption, TextFormat::kNoPrefix);
    }
    if (aboveSlider) {
        const double width = QFontMetricsF(font(), &m_picture).horizontalAdvance(caption);
        m_tip->move(int(std::lround(width)) + 25, m_tip->y());
    }
    update();
}

void SidePanel::drawSliderTrack()
{
    QPainter painter(&m_picture);
    painter.setPen(kTrackColor);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(25, 360), QPoint(224, 369)));
    update();
}

void SidePanel::drawSliderEnds(int pageCount)
{
    {
        QPainter painter(&m_picture);
        painter.fillRect(QRect(QPoint(25, 352), QPoint(29, 363)), kPanelColor);
        painter.fillRect(QRect(QPoint(200, 352), QPoint(249, 363)), kPanelColor);
        painter.fillRect(QRect(0, 372, kWidth, kHeight - 372), kPanelColor);
        painter.setFont(font());
        painter.setPen(Qt::black);
        const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
        // Numbers print with a leading space, where a sign would go.
        painter.drawText(QRect(18, 374, 60, 20), flags, QStringLiteral(" 1"));
        painter.drawText(QRect(205, 374, 45, 20), flags, QStringLiteral(" %1").arg(pageCount));
    }
    update();
}

void SidePanel::setChapters(std::vector<std::u16string> titles, std::vector<std::int32_t> pages)
{
    m_chapters->setChapters(std::move(titles), std::move(pages));
}

std::int32_t SidePanel::chapterPage(int row) const { return m_chapters->page(row); }

int SidePanel::thumbLeft() const { return m_thumb->x(); }

void SidePanel::setThumbLeft(int left) { m_thumb->move(left, m_thumb->y()); }

QString SidePanel::tipText() const { return m_tip->text(); }

void SidePanel::setTipText(const QString &text) { m_tip->setText(text); }

void SidePanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

} // namespace quillmoth
