#pragma once

#include <QWidget>

namespace quillmoth {

// imgSlider: a 16-pixel thumb dragged along a track as wide as the preview;
// where it stands is an opacity from 0 to 100 percent.
class OpacitySlider : public QWidget {
    Q_OBJECT

public:
    explicit OpacitySlider(QWidget *parent = nullptr);

    int percent() const { return m_percent; }
    // Places the thumb for an opacity, without telling.
    void setPercent(double percent);

signals:
    // The thumb moved under the pointer.
    void percentChanged(int percent);
    // The thumb was let go.
    void released();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void follow(int pointerX);

    int m_percent = 100;
    int m_thumbLeft = 0;
    bool m_dragging = false;
    int m_grabOffset = 0;
};

} // namespace quillmoth
