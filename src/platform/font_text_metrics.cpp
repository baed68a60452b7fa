#include "font_text_metrics.h"

#include "platform/qt_text.h"

#include <QFontMetricsF>
#include <QTextLayout>

namespace quillmoth {
namespace {

constexpr int kDotsPerMeterAt96Dpi = 3780;

} // namespace

FontTextMetrics::FontTextMetrics(const QFont &font)
    : m_font(font), m_device(1, 1, QImage::Format_ARGB32_Premultiplied)
{
    m_device.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
    m_device.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
}

QFont FontTextMetrics::themeFont(const QString &family, double points)
{
    QFont font(family);
    font.setPointSizeF(points > 0 ? points : 9.0);
    return font;
}

double FontTextMetrics::width(std::u16string_view text) const
{
    return QFontMetricsF(m_font, &m_device).horizontalAdvance(qtText(text));
}

double FontTextMetrics::height(std::u16string_view text) const
{
    // A line's height covers every font that draws the text, so a Chinese
    // sample in a Western theme font measures as tall as it is drawn.
    QTextLayout layout(qtText(text), m_font, &m_device);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    if (!line.isValid())
        return QFontMetricsF(m_font, &m_device).height();
    return line.height();
}

} // namespace quillmoth
