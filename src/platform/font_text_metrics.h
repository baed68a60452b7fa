#pragma once

#include "engine/text_metrics.h"

#include <QFont>
#include <QImage>

namespace quillmoth {

// Text measured in a real font at 96 dots per inch, the resolution the page
// surfaces are laid out for. Needs a QGuiApplication (offscreen will do).
class FontTextMetrics final : public TextMetrics {
public:
    explicit FontTextMetrics(const QFont &font);

    // A font of the family at the size in points, as the theme names it.
    static QFont themeFont(const QString &family, double points);

    double width(std::u16string_view text) const override;
    double height(std::u16string_view text) const override;

private:
    QFont m_font;
    QImage m_device;
};

} // namespace quillmoth
