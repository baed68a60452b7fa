#pragma once

#include <array>
#include <string_view>

namespace quillmoth {

// The texts book creation measures, and no others: metrics recorded for
// these (RecordedTextMetrics) serve every book.

// Its height sets the lines per page of a Chinese book, its width the
// characters per line.
inline constexpr std::u16string_view kChineseSample = u"的";

// The height of a line of Chinese text, for the illustrated pages.
inline constexpr std::u16string_view kChineseLineSample = u"啊";

// Its height sets the lines per page of a Western book.
inline constexpr std::u16string_view kWesternLetterSample = u"A";

// The sample whose average character width sets the Western line length.
inline constexpr std::u16string_view kWesternSample =
    u"AIJLDWX bcdefghijk lmnop qrstuv wxyz A bcdefghijk lmnop qrstuv wxyz";

// Every text above.
inline constexpr std::array<std::u16string_view, 4> kEngineMeasuredTexts = {
    kChineseSample, kChineseLineSample, kWesternLetterSample, kWesternSample};

} // namespace quillmoth
