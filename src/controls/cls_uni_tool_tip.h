#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>

class QTimer;

namespace quillmoth {

class TipWindow;

// A tooltip for one widget, with a bold title and an icon, its own colours,
// delays and a balloon look. Set the properties, call Create with the widget,
// and Destroy when done (also done when the object or the widget goes away).
//
// As with the Windows tooltip control: TipText, ForeColor and BackColor
// change a live tip at once; Title and Icon only when Icon is not 0 and the
// title is not empty; Style, Centered, VisibleTime, DelayTime and MultiLine
// take effect at the next Create. A colour of 0 keeps the system colour.
class clsUniToolTip : public QObject {
    Q_OBJECT

public:
    explicit clsUniToolTip(QObject *parent = nullptr);
    ~clsUniToolTip() override;

    // 1 balloon; anything else a rectangle.
    int Style() const { return m_style; }
    void setStyle(int style) { m_style = style; }
    // The tip is centred below the widget instead of placed at the pointer.
    bool Centered() const { return m_centered; }
    void setCentered(bool on) { m_centered = on; }
    // Title icon: 0 none, 1 information, 2 warning, 3 error (4 to 6 the same,
    // large).
    int Icon() const { return m_icon; }
    void setIcon(int icon);
    const QString &Title() const { return m_title; }
    void setTitle(const QString &title);
    int ForeColor() const { return m_foreColor; }
    void setForeColor(int color);
    int BackColor() const { return m_backColor; }
    void setBackColor(int color);
    const QString &TipText() const { return m_tipText; }
    void setTipText(const QString &text);
    // How long the tip stays, in milliseconds.
    int VisibleTime() const { return m_visibleTime; }
    void setVisibleTime(int milliseconds) { m_visibleTime = milliseconds; }
    // How long the pointer must rest on the widget before the tip shows.
    int DelayTime() const { return m_delayTime; }
    void setDelayTime(int milliseconds) { m_delayTime = milliseconds; }
    // Line breaks in the text start new lines; otherwise the tip is one line.
    bool MultiLine() const { return m_multiLine; }
    void setMultiLine(bool on) { m_multiLine = on; }

    // Makes the tip for the widget (replacing an earlier one). False when the
    // widget is null.
    bool Create(QWidget *owner);
    // Removes the tip.
    void Destroy();

    // The tip's window, nullptr before Create and after Destroy.
    QWidget *tipWindow() const;
    // The widget the tip belongs to.
    QWidget *owner() const { return m_owner; }
    // Shows the tip now as if the pointer rested at the point (screen
    // coordinates); nothing without a window or text.
    void showTip(const QPoint &globalPosition);
    void hideTip();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refreshWindow();

    int m_style = 0;
    bool m_centered = false;
    int m_icon = 0;
    QString m_title;
    int m_foreColor = 0;
    int m_backColor = 0;
    QString m_tipText;
    int m_visibleTime = 5000;
    int m_delayTime = 300;
    bool m_multiLine = true;

    QPointer<QWidget> m_owner;
    std::unique_ptr<TipWindow> m_window;
    QTimer *m_delayTimer;
    QTimer *m_visibleTimer;
    QPoint m_lastPointer;
    bool m_suppressed = false;
    // Centred as it was at Create.
    bool m_createdCentred = false;
};

} // namespace quillmoth
