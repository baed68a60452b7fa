#include "dialogs/theme_preview.h"

#include "engine/book.h"
#include "platform/font_text_metrics.h"
#include "reader/page_surfaces.h"
#include "reader/reader_geometry.h"
#include "settings/theme_record.h"

#include <QFontMetrics>
#include <QPainter>

namespace quillmoth {

QImage paintThemePreview(const ThemeRecord &theme, const AppFolder &folder,
                         const AnsiCodePage &codePage, const ThemePreviewInput &input)
{
    // A pad whose spread is exactly the preview: 30 pixels of margin all round.
    const ReaderGeometry geometry = ReaderGeometry::forClientSize(
        input.size.width() + 60, input.size.height() + 60);
    PageSurfaces surfaces;
    surfaces.create(geometry, input.devicePixelRatio);
    surfaces.setPadSize(input.padSize);
    const PadTheme padTheme = PadTheme::fromTheme(theme);
    surfaces.LoadThemeImages(padTheme);
    surfaces.LoadShadowImages(folder);
    surfaces.listAlbum();

    const FontTextMetrics metrics(padTheme.font);
    const Book book = Book_CreatBOOK(input.sample, true, surfaces.bookSettings(theme), metrics,
                                     codePage, nullptr, nullptr);
    surfaces.setBook(book, metrics, theme.LineSpace);
    surfaces.DrawBGround();
    surfaces.DrawSpread(2);
    return surfaces.picBase2();
}

void ThemePreview::setImage(QImage image)
{
    m_image = std::move(image);
    update();
}

void ThemePreview::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(90, 90, 90));
    painter.drawImage(QPoint(0, 0), m_image);
    painter.setPen(QColor(120, 120, 120));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace quillmoth
