#pragma once

#include <QImage>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QLabel;
class QListView;
class QMouseEvent;

namespace quillmoth {

class ChapterListModel;
class SliderThumb;

// picConsole, the side panel that slides in from the pad's left edge: the
// chapter list List1, the page slider with its thumb imgSlider1 and the page
// it points at, lblTip1. It draws its captions and the slider's track into a
// picture of its own; the Reader moves it and handles what is done in it.
class SidePanel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 250;
    static constexpr int kHeight = 405;
    // The left edge of the parked panel: two pixels stay visible.
    static constexpr int kParkedLeft = 2 - kWidth;
    // The slider thumb's left edge runs from here ...
    static constexpr int kThumbFirst = 17;
    // ... to here, 200 pixels for the whole book.
    static constexpr int kThumbLast = 217;
    static constexpr int kThumbTop = 360;

    explicit SidePanel(QWidget *parent = nullptr);
    ~SidePanel() override;

    QListView *List1() const { return m_list; }
    QLabel *lblTip1() const { return m_tip; }
    QWidget *imgSlider1() const;

    // Shown once its left edge is above -10.
    bool isOut() const { return x() > -10; }

    // PrintUniCaption: a caption with ".." goes above the slider and moves
    // lblTip1 right after it; any other caption heads the chapter list.
    void PrintUniCaption(const QString &caption);
    // The slider's track.
    void drawSliderTrack();
    // The numbers at the slider's two ends: 1 and the page count.
    void drawSliderEnds(int pageCount);
    // The chapter titles, each with the page it starts on.
    void setChapters(std::vector<std::u16string> titles, std::vector<std::int32_t> pages);
    // The page of chapter `row`, or 0.
    std::int32_t chapterPage(int row) const;

    int thumbLeft() const;
    void setThumbLeft(int left);
    QString tipText() const;
    void setTipText(const QString &text);

    // The thumb's mouse, in the thumb's own pixels.
    std::function<void(QMouseEvent *)> onThumbPress;
    std::function<void(QMouseEvent *)> onThumbMove;
    std::function<void(QMouseEvent *)> onThumbRelease;

signals:
    // A click on a chapter of the list.
    void chapterClicked(int row);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_picture;
    QListView *m_list;
    ChapterListModel *m_chapters;
    SliderThumb *m_thumb;
    QLabel *m_tip;
};

} // namespace quillmoth
