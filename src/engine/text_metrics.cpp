#include "text_metrics.h"

namespace quillmoth {

bool FixedTextMetrics::isWide(char16_t unit)
{
    return (unit >= 0x1100 && unit <= 0x115F) || (unit >= 0x2E80 && unit <= 0xA4CF) ||
           (unit >= 0xAC00 && unit <= 0xD7A3) || (unit >= 0xF900 && unit <= 0xFAFF) ||
           (unit >= 0xFE30 && unit <= 0xFE4F) || (unit >= 0xFF00 && unit <= 0xFF60) ||
           (unit >= 0xFFE0 && unit <= 0xFFE6);
}

double FixedTextMetrics::width(std::u16string_view text) const
{
    double total = 0;
    for (char16_t unit : text)
        total += isWide(unit) ? m_wideWidth : m_narrowWidth;
    return total;
}

} // namespace quillmoth
