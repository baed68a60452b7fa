#include "text_metrics.h"

#include <algorithm>
#include <limits>

namespace quillmoth {
namespace {

// The place of a text in kEngineMeasuredTexts, or the list's size when it is not there.
std::size_t recordedIndex(std::u16string_view text)
{
    return std::size_t(std::find(kEngineMeasuredTexts.begin(), kEngineMeasuredTexts.end(), text) -
                       kEngineMeasuredTexts.begin());
}

constexpr double kNotRecorded = std::numeric_limits<double>::quiet_NaN();

} // namespace

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

RecordedTextMetrics::RecordedTextMetrics(const TextMetrics &source)
{
    for (std::size_t i = 0; i < kEngineMeasuredTexts.size(); ++i) {
        m_widths[i] = source.width(kEngineMeasuredTexts[i]);
        m_heights[i] = source.height(kEngineMeasuredTexts[i]);
    }
}

double RecordedTextMetrics::width(std::u16string_view text) const
{
    const std::size_t index = recordedIndex(text);
    return index < m_widths.size() ? m_widths[index] : kNotRecorded;
}

double RecordedTextMetrics::height(std::u16string_view text) const
{
    const std::size_t index = recordedIndex(text);
    return index < m_heights.size() ? m_heights[index] : kNotRecorded;
}

} // namespace quillmoth
