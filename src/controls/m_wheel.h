#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

namespace quillmoth {

// Adds up wheel rotation into whole notches: touchpads and fine wheels send
// parts of a notch, and a part alone turns nothing.
class NotchCounter {
public:
    static constexpr int kNotch = 120;

    // The whole notches reached with this rotation, positive away from the
    // user; what is left over waits for the next.
    int add(int rotation)
    {
        m_rest += rotation;
        const int notches = m_rest / kNotch;
        m_rest -= notches * kNotch;
        return notches;
    }
    void reset() { m_rest = 0; }

private:
    int m_rest = 0;
};

// Delivers the wheel turns of another widget as the signal WheelScroll.
// While the hook is on, the watched widget never sees a vertical wheel
// event; switching it off gives the widget its normal wheel handling back.
class MWheel : public QObject {
    Q_OBJECT

public:
    explicit MWheel(QObject *parent = nullptr);
    ~MWheel() override;

    // The widget to watch; nullptr for none. Changing it while hooked moves
    // the hook to the new widget.
    QWidget *hWndCapture() const { return m_watched; }
    void setHWndCapture(QWidget *widget);

    // Switches the hook on (when there is a widget to watch). Hooking twice
    // keeps one hook.
    void EnableWheel();
    // Switches the hook off (when it is on).
    void DisableWheel();

    // The hook is on (a watched widget that went away ends it).
    bool isHooked() const { return m_hooked && m_watched; }

signals:
    // One wheel turn: the mouse buttons and Shift/Control held (Windows key
    // state bits: 1 left, 2 right, 4 Shift, 8 Control, 16 middle), the
    // rotation (+120 per notch away from the user, -120 towards), and the
    // pointer's position in screen coordinates.
    void WheelScroll(int keys, int rotation, double x, double y);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void hook();
    void unhook();

    QPointer<QWidget> m_watched;
    bool m_hooked = false;
};

} // namespace quillmoth
