#include "text/text_ops.h"

#include <unicode/uchar.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#if defined(__linux__)
#include <sys/mman.h>
#endif

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

namespace quillmoth::text {

namespace {

constexpr std::size_t npos = std::u16string_view::npos;

bool matchesAt(std::u16string_view text, std::u16string_view needle, std::size_t position)
{
    for (std::size_t i = 0; i < needle.size(); ++i) {
        if (text[position + i] != needle[i])
            return false;
    }
    return true;
}

} // namespace

std::size_t find(std::u16string_view text, char16_t unit, std::size_t from)
{
    const char16_t *data = text.data();
    const std::size_t size = text.size();
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i target = _mm_set1_epi16(static_cast<short>(unit));
    for (; i + 8 <= size; i += 8) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(block, target)));
        if (mask != 0)
            return i + std::size_t(std::countr_zero(mask)) / 2;
    }
#endif
    for (; i < size; ++i) {
        if (data[i] == unit)
            return i;
    }
    return npos;
}

std::size_t find(std::u16string_view text, std::u16string_view needle, std::size_t from)
{
    if (needle.empty())
        return from <= text.size() ? from : npos;
    if (needle.size() == 1)
        return text::find(text, needle[0], from);
    if (text.size() < needle.size())
        return npos;
    if (needle.size() == 2) {
        // Look for the second unit alone, the cheapest search, and check the
        // one before it: line ends are found this way, one per line.
        for (std::size_t second = text::find(text, needle[1], from + 1); second != npos;
             second = text::find(text, needle[1], second + 1)) {
            if (text[second - 1] == needle[0])
                return second - 1;
        }
        return npos;
    }
    const std::size_t lastStart = text.size() - needle.size();
    std::size_t i = from;
#if defined(__SSE2__)
    // Eight starts at a time: where two neighbouring units of the needle match,
    // check the rest. A line end is too common to pick out anything, so the
    // pair looked at is the first one that is not CR LF.
    std::size_t anchor = 0;
    while (anchor + 2 < needle.size() && needle[anchor] == u'\r' && needle[anchor + 1] == u'\n')
        ++anchor;
    const char16_t *data = text.data() + anchor;
    const __m128i first = _mm_set1_epi16(static_cast<short>(needle[anchor]));
    const __m128i second = _mm_set1_epi16(static_cast<short>(needle[anchor + 1]));
    for (; i + 8 <= lastStart; i += 8) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i *>(data + i + 1));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi16(here, first), _mm_cmpeq_epi16(next, second))));
        while (mask != 0) {
            const auto bit = unsigned(std::countr_zero(mask));
            const std::size_t position = i + bit / 2;
            if (matchesAt(text, needle, position))
                return position;
            mask &= ~(3u << (bit & ~1u));
        }
    }
#endif
    for (; i <= lastStart; ++i) {
        if (text[i] == needle[0] && matchesAt(text, needle, i))
            return i;
    }
    return npos;
}

std::size_t find(std::u16string_view text, std::u16string_view needle, std::size_t from,
                 WorkMeter *meter)
{
    if (meter == nullptr)
        return text::find(text, needle, from);
    // One window at a time; windows overlap by the needle's length less one,
    // so that no match is cut in two.
    const std::size_t window = meter->stride();
    while (from < text.size() && text.size() - from > window + needle.size()) {
        const std::size_t found =
            text::find(text.substr(0, from + window + needle.size() - 1), needle, from);
        if (found != npos)
            return found;
        from += window;
        meter->reached(from, text.size());
    }
    return text::find(text, needle, from);
}

std::size_t find(std::u16string_view text, char16_t unit, std::size_t from, WorkMeter *meter)
{
    return text::find(text, std::u16string_view(&unit, 1), from, meter);
}

void reserveBulk(std::u16string &text, std::size_t size)
{
    text.reserve(size);
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    const std::size_t bytes = text.capacity() * sizeof(char16_t);
    if (bytes < 4 * kHugePage)
        return;
    // Only whole huge pages inside the buffer; advice that is refused changes nothing.
    const auto start = reinterpret_cast<std::uintptr_t>(text.data());
    const std::uintptr_t first = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t last = (start + bytes) & ~(kHugePage - 1);
    if (last > first)
        ::madvise(reinterpret_cast<void *>(first), last - first, MADV_HUGEPAGE);
#endif
}

namespace {

// Makes room for `needed` units the way a string grows, copying what is
// already there a part at a time.
void growWatched(std::u16string &out, std::size_t needed, WorkMeter *meter)
{
    std::u16string grown;
    grown.reserve(std::max(needed, 2 * out.capacity()));
    PassReporter copying(meter, out.size());
    for (std::size_t done = 0; done < out.size(); done += meter->stride()) {
        grown.append(out, done, meter->stride());
        copying.at(done + meter->stride());
    }
    out = std::move(grown);
}

// Moves `length` units from `read` down to `write` (not after it), a part at a
// time with a meter: moving left, a part never overwrites what is still to be read.
void moveLeft(std::u16string &text, std::size_t write, std::size_t read, std::size_t length,
              PassReporter &reporter)
{
    if (reporter.meter() != nullptr) {
        const std::size_t part = reporter.meter()->stride();
        while (length > part) {
            std::char_traits<char16_t>::move(&text[write], &text[read], part);
            write += part;
            read += part;
            length -= part;
            reporter.at(read);
        }
    }
    std::char_traits<char16_t>::move(&text[write], &text[read], length);
}

} // namespace

void appendPiece(std::u16string &out, std::u16string_view piece, std::size_t position,
                 PassReporter &reporter)
{
    if (reporter.meter() != nullptr) {
        if (piece.size() > out.capacity() - out.size())
            growWatched(out, out.size() + piece.size(), reporter.meter());
        const std::size_t part = reporter.meter()->stride();
        while (piece.size() > part) {
            out.append(piece.substr(0, part));
            piece.remove_prefix(part);
            position += part;
            reporter.at(position);
        }
    }
    out.append(piece);
}

std::u16string replaceAll(std::u16string_view text, std::u16string_view from,
                          std::u16string_view to, WorkMeter *meter)
{
    std::u16string result;
    PassReporter reporter(meter, text.size());
    if (from.empty()) {
        if (meter != nullptr)
            result.reserve(text.size());
        appendPiece(result, text, 0, reporter);
        return result;
    }
    std::size_t position = text::find(text, from, 0, meter);
    if (position == std::u16string_view::npos) {
        if (meter != nullptr)
            result.reserve(text.size());
        appendPiece(result, text, 0, reporter);
        return result;
    }
    reserveBulk(result, to.size() > from.size() ? text.size() + text.size() / 4 : text.size());
    std::size_t start = 0;
    while (position != std::u16string_view::npos) {
        appendPiece(result, text.substr(start, position - start), start, reporter);
        appendPiece(result, to, position, reporter);
        start = position + from.size();
        reporter.at(start);
        position = text::find(text, from, start, meter);
    }
    appendPiece(result, text.substr(start), start, reporter);
    return result;
}

void replaceAllInPlace(std::u16string &text, std::u16string_view from, std::u16string_view to,
                       WorkMeter *meter)
{
    if (from.empty() || to.size() > from.size()) {
        text = replaceAll(text, from, to, meter);
        return;
    }
    std::size_t position = text::find(text, from, 0, meter);
    if (position == std::u16string::npos)
        return;
    PassReporter reporter(meter, text.size());
    std::size_t write = position;
    std::size_t read = position;
    while (position != std::u16string::npos) {
        if (write != read)
            moveLeft(text, write, read, position - read, reporter);
        write += position - read;
        std::char_traits<char16_t>::copy(&text[write], to.data(), to.size());
        write += to.size();
        read = position + from.size();
        reporter.at(read);
        position = text::find(text, from, read, meter);
    }
    moveLeft(text, write, read, text.size() - read, reporter);
    text.resize(write + text.size() - read);
}

std::u16string copyOf(std::u16string_view text, WorkMeter *meter)
{
    std::u16string copy;
    // Growing by parts would copy what is already there again and again.
    if (meter != nullptr)
        copy.reserve(text.size());
    PassReporter reporter(meter, text.size());
    appendPiece(copy, text, 0, reporter);
    return copy;
}

void removePrefix(std::u16string &text, std::size_t count, WorkMeter *meter)
{
    count = std::min(count, text.size());
    if (meter == nullptr || count == 0) {
        text.erase(0, count);
        return;
    }
    PassReporter reporter(meter, text.size());
    moveLeft(text, 0, count, text.size() - count, reporter);
    text.resize(text.size() - count);
}

std::u16string join(const std::vector<std::u16string_view> &parts, std::u16string_view separator)
{
    std::size_t size = 0;
    for (const auto &part : parts)
        size += part.size() + separator.size();
    std::u16string result;
    reserveBulk(result, size);
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0)
            result.append(separator);
        result.append(parts[i]);
    }
    return result;
}

namespace {

// Length, in units, of the run of `unit` starting at `position`.
std::size_t runLength(std::u16string_view text, std::u16string_view unit, std::size_t position,
                      PassReporter &reporter)
{
    std::size_t run = 0;
    while (position + unit.size() <= text.size() && matchesAt(text, unit, position)) {
        position += unit.size();
        ++run;
        reporter.at(position);
    }
    return run;
}

} // namespace

void collapseRuns(std::u16string &text, std::u16string_view unit, std::size_t minimumRun,
                  WorkMeter *meter)
{
    if (unit.empty() || minimumRun < 2)
        return;
    std::u16string repeated;
    for (std::size_t i = 0; i < minimumRun; ++i)
        repeated += unit;
    PassReporter reporter(meter, text.size());
    // The first place a long run starts is the start of that whole run, so only
    // the text from there on is rewritten, run by run.
    std::size_t read = text::find(text, repeated, 0, meter);
    std::size_t write = read;
    while (read != npos) {
        const std::size_t run = runLength(text, unit, read, reporter);
        for (std::size_t i = 0; i < minimumRun - 1; ++i) {
            std::char_traits<char16_t>::copy(&text[write], unit.data(), unit.size());
            write += unit.size();
        }
        read += run * unit.size();
        const std::size_t next = text::find(text, repeated, read, meter);
        const std::size_t end = next == npos ? text.size() : next;
        moveLeft(text, write, read, end - read, reporter);
        write += end - read;
        read = next;
    }
    if (write != npos)
        text.resize(write);
}

void removeAll(std::u16string &text, char16_t character, WorkMeter *meter)
{
    if (meter == nullptr) {
        text.erase(std::remove(text.begin(), text.end(), character), text.end());
        return;
    }
    std::size_t write = 0;
    forEachBlock(meter, text.size(), [&](std::size_t begin, std::size_t end) {
        for (std::size_t read = begin; read < end; ++read) {
            if (text[read] != character)
                text[write++] = text[read];
        }
        return true;
    });
    text.resize(write);
}

std::u16string_view trimSpaces(std::u16string_view text)
{
    const std::size_t first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(u' ');
    return text.substr(first, last - first + 1);
}

std::u16string_view trimSpaces(std::u16string_view text, WorkMeter *meter)
{
    if (meter == nullptr)
        return trimSpaces(text);
    PassReporter reporter(meter, text.size());
    std::size_t first = 0;
    while (first < text.size() && text[first] == u' ') {
        ++first;
        reporter.at(first);
    }
    std::size_t last = text.size();
    while (last > first && text[last - 1] == u' ') {
        --last;
        reporter.at(first + (text.size() - last));
    }
    return text.substr(first, last - first);
}

namespace {

// Upper case of every UTF-16 unit, computed once: searches upper-case whole books.
const std::array<char16_t, 65536> &upperCaseTable()
{
    static const std::array<char16_t, 65536> table = [] {
        std::array<char16_t, 65536> upper{};
        for (std::uint32_t unit = 0; unit < 65536; ++unit) {
            upper[unit] = char16_t(unit);
            if (unit >= 0xD800 && unit <= 0xDFFF)
                continue;
            const UChar32 mapped = u_toupper(UChar32(unit));
            if (mapped <= 0xFFFF)
                upper[unit] = char16_t(mapped);
        }
        return upper;
    }();
    return table;
}

} // namespace

char16_t toUpper(char16_t unit)
{
    return upperCaseTable()[unit];
}

bool equalFoldingCase(std::u16string_view a, std::u16string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] &&
            u_foldCase(a[i], U_FOLD_CASE_DEFAULT) != u_foldCase(b[i], U_FOLD_CASE_DEFAULT))
            return false;
    }
    return true;
}

bool lessFoldingCase(std::u16string_view a, std::u16string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const UChar32 x = u_foldCase(a[i], U_FOLD_CASE_DEFAULT);
        const UChar32 y = u_foldCase(b[i], U_FOLD_CASE_DEFAULT);
        if (x != y)
            return x < y;
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return a < b;
}

std::u32string foldedCase(std::u16string_view text)
{
    std::u32string folded(text.size(), U'\0');
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        // ASCII, most of every name, folds without a table lookup.
        if (unit < 0x80)
            folded[i] = unit >= u'A' && unit <= u'Z' ? char32_t(unit | 0x20) : char32_t(unit);
        else
            folded[i] = char32_t(u_foldCase(unit, U_FOLD_CASE_DEFAULT));
    }
    return folded;
}

std::size_t findInUpperCased(std::u16string_view text, std::u16string_view upperNeedle,
                             std::size_t from)
{
    if (upperNeedle.empty())
        return from <= text.size() ? from : std::u16string_view::npos;
    if (text.size() < upperNeedle.size())
        return std::u16string_view::npos;
    const auto &upper = upperCaseTable();
    const std::size_t last = text.size() - upperNeedle.size();
    const char16_t first = upperNeedle[0];
    const bool asciiLetter = first >= u'A' && first <= u'Z';
    for (std::size_t position = from; position <= last; ++position) {
#if defined(__SSE2__)
        // Western text is mostly ASCII: skip eight units at a time that are
        // neither case of an ASCII first letter nor outside ASCII.
        if (asciiLetter) {
            const __m128i lowerFirst = _mm_set1_epi16(static_cast<short>(first | 0x20));
            const __m128i caseBit = _mm_set1_epi16(0x20);
            const __m128i asciiLimit = _mm_set1_epi16(0x7F);
            while (position + 8 <= last + 1) {
                const __m128i block =
                    _mm_loadu_si128(reinterpret_cast<const __m128i *>(text.data() + position));
                const __m128i letter = _mm_cmpeq_epi16(_mm_or_si128(block, caseBit), lowerFirst);
                // Units above 0x7F (signed compare: also those from 0x8000 up).
                const __m128i wide = _mm_or_si128(_mm_cmpgt_epi16(block, asciiLimit),
                                                  _mm_cmplt_epi16(block, _mm_setzero_si128()));
                const auto mask =
                    static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(letter, wide)));
                if (mask != 0) {
                    position += std::size_t(std::countr_zero(mask)) / 2;
                    break;
                }
                position += 8;
            }
            if (position > last)
                break;
        }
#endif
        if (upper[text[position]] != first)
            continue;
        std::size_t matched = 1;
        while (matched < upperNeedle.size() &&
               upper[text[position + matched]] == upperNeedle[matched])
            ++matched;
        if (matched == upperNeedle.size())
            return position;
    }
    return std::u16string_view::npos;
}

std::size_t count(std::u16string_view text, std::u16string_view separator, WorkMeter *meter)
{
    if (separator.empty())
        return 0;
    PassReporter reporter(meter, text.size());
    std::size_t occurrences = 0;
    for (std::size_t position = text::find(text, separator, 0, meter);
         position != std::u16string_view::npos;
         position = text::find(text, separator, position + separator.size(), meter)) {
        ++occurrences;
        reporter.at(position);
    }
    return occurrences;
}

} // namespace quillmoth::text
