#pragma once

#include <QPixmap>
#include <QWidget>

namespace quillmoth {

// A picture that acts as a button: it shows Picture and tells its container
// of presses, moves, releases and clicks, each with its Index (its place in
// a row of image buttons).
class MyImage : public QWidget {
    Q_OBJECT

public:
    explicit MyImage(QWidget *parent = nullptr, int index = 0);

    const QPixmap &Picture() const { return m_picture; }
    // Sets the picture; without Stretch the widget takes the picture's size.
    void setPicture(const QPixmap &picture);
    int Index() const { return m_index; }
    void setIndex(int index) { m_index = index; }
    // Stretch the picture over the whole widget instead of sizing the widget
    // to the picture.
    bool Stretch() const { return m_stretch; }
    void setStretch(bool on);

    QSize sizeHint() const override;

signals:
    void MouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                   const QPoint &position);
    void MouseMove(int index, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                   const QPoint &position);
    void MouseUp(int index, Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                 const QPoint &position);
    // A left press and release, both on the picture.
    void Click(int index);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QPixmap m_picture;
    int m_index;
    bool m_stretch = false;
    bool m_leftDown = false;
};

} // namespace quillmoth
