#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QWidget>

#include <memory>

class QShortcut;
class QTimer;

namespace quillmoth {

class WavePlayer;

// The owner-drawn button of every window: a push button, a caption, a check
// box or an option button (BtnStyle 0 to 3). It can wear a skin, a picture
// of four frames stacked vertically (normal, hover, pressed, hit mask: black
// marks the points inside the button), follows the pointer with a 10 ms
// timer for its hover and pressed looks, and can play a click sound.
//
// Colours are values R + 256 G + 65536 B (see colors.h). Enabled and Font
// are the widget's own.
class EasyButton : public QWidget {
    Q_OBJECT

public:
    enum Look { NormalLook = 0, HoverLook = 1, PressedLook = 2 };

    explicit EasyButton(QWidget *parent = nullptr);
    ~EasyButton() override;

    // Caption placement, 0 to 9 (see textFormat()).
    int Align() const { return m_align; }
    void setAlign(int align);
    // The caption; the character after the first "&" becomes the access key.
    const QString &Caption() const { return m_caption; }
    void setCaption(const QString &caption);
    int BackColor() const { return m_backColor; }
    void setBackColor(int color);
    int ForeColor() const { return m_foreColor; }
    void setForeColor(int color);
    // The skin; a null image for none.
    const QImage &Picture() const { return m_skin; }
    void setPicture(const QImage &skin);
    const QPixmap &MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap &icon);
    // Cursor kind with the numbering of Windows controls (0 default, 1 arrow,
    // 2 cross, 3 I-beam, 5 and 15 size all, 6 to 9 the size arrows, 10 up
    // arrow, 11 hourglass, 12 no drop, 13 arrow and hourglass, 14 arrow and
    // question mark, 99 MouseIcon).
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    // The access key (Alt + the key clicks the button); "" for none.
    const QString &AccessKey() const { return m_accessKey; }
    void setAccessKey(const QString &key);
    // 0 silent, 1 the built-in sound, 2 the wave file SoundFileName.
    int UseSound() const { return m_useSound; }
    void setUseSound(int mode);
    const QString &SoundFileName() const { return m_soundFileName; }
    // A path that does not exist shows "File not found" and switches the
    // sound off; a blank name switches it off silently.
    void setSoundFileName(const QString &path);
    // 0 three-dimensional look; anything else flat (no hover frame, a red
    // frame while pressed).
    int BGstyle() const { return m_bgStyle; }
    void setBGstyle(int style);
    int BackStyle() const { return BGstyle(); }
    void setBackStyle(int style) { setBGstyle(style); }
    // 0 push button, 1 caption only, 2 check box, 3 option button.
    int BtnStyle() const { return m_btnStyle; }
    void setBtnStyle(int style);
    // Option button state. Selecting clears the other option buttons of the
    // same container.
    bool OptValue() const { return m_optValue; }
    void setOptValue(bool selected);
    bool ChkValue() const { return m_chkValue; }
    void setChkValue(bool checked);
    // 1 draws a thin light grey box around the face.
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int style);

    QWidget *hWnd() { return this; }
    bool GetOptValue() const { return m_optValue; }
    // Sets the option state without touching the rest of the group.
    void Set_tmpOptValue(bool selected);
    // Clears the option state.
    void UncheckOption();
    void Set_tCaption(const QString &caption) { setCaption(caption); }
    // Fills the sound buffer with the built-in sound.
    void GetBytes();

    // The look on screen now.
    Look look() const { return m_look; }
    // Whether the hover timer follows the pointer now.
    bool isTracking() const;
    // Whether a point of the button is inside it (the skin's mask decides).
    bool isInside(const QPoint &point) const;
    // The sound played on a click.
    const QByteArray &soundBuffer() const { return m_sound; }
    // The player of the click sound; buttons of one window may share one.
    void setWavePlayer(std::shared_ptr<WavePlayer> player);
    // DrawText flags for an Align value.
    static int textFormat(int align);

    QSize sizeHint() const override;

signals:
    void Click();
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void KeyPress(int character);
    void KeyUp(int key, Qt::KeyboardModifiers modifiers);
    void MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &position);
    void MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, const QPoint &position);
    void MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, const QPoint &position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void changeEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    bool isFlat() const { return m_bgStyle != 0; }
    bool hasSkin() const { return !m_skin.isNull(); }
    void setLook(Look look);
    void trackPointer(const QPoint &local);
    void hoverTick();
    void toggleByStyle();
    void playAndClick();
    void loadSound();
    void updateCursor();
    void updateShortcut();
    void showError(const QString &text);
    void paintFace(QPainter &painter);
    void paintMark(QPainter &painter);

    int m_align = 5;
    QString m_caption = QStringLiteral("Command");
    int m_backColor = 0xE0E0E0;
    int m_foreColor = 0;
    QImage m_skin;
    QPixmap m_mouseIcon;
    int m_mousePointer = 0;
    QString m_accessKey;
    int m_useSound = 1;
    QString m_soundFileName;
    int m_bgStyle = 0;
    int m_btnStyle = 0;
    bool m_optValue = false;
    bool m_chkValue = false;
    int m_borderStyle = 1;

    Look m_look = NormalLook;
    bool m_leftDownInside = false;
    bool m_keyDown = false;
    QByteArray m_sound;
    QTimer *m_hoverTimer;
    QShortcut *m_shortcut = nullptr;
    std::shared_ptr<WavePlayer> m_player;
};

} // namespace quillmoth
