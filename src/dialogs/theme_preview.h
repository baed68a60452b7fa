#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

#include <string_view>

namespace quillmoth {

class AnsiCodePage;
class AppFolder;
struct ThemeRecord;

// What the theme editor's preview shows.
struct ThemePreviewInput {
    QSize size;                  // the preview's size in logical pixels
    qreal devicePixelRatio = 1;
    int padSize = 90;            // corners scale with the reading pad
    std::u16string_view sample;  // a short book, laid out as any other
};

// The first spread of a small book, laid out by the book engine and drawn
// by the reading pad's own code exactly as the pad draws a book in this
// theme: background, opacities, corners, font, colours, outline, chapter
// titles and line spacing.
QImage paintThemePreview(const ThemeRecord &theme, const AppFolder &folder,
                         const AnsiCodePage &codePage, const ThemePreviewInput &input);

// picDemo: shows the preview picture it is given.
class ThemePreview : public QWidget {
    Q_OBJECT

public:
    explicit ThemePreview(QWidget *parent = nullptr) : QWidget(parent) {}

    const QImage &image() const { return m_image; }
    void setImage(QImage image);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
};

} // namespace quillmoth
