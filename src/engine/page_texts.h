#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quillmoth {

// The texts of a book's pages, numbered from 1. Pages are consecutive pieces
// of one laid-out text, so a huge book is held once, not twice.
class PageTexts {
public:
    struct Span {
        std::size_t offset = 0;
        std::size_t length = 0;
        friend bool operator==(const Span &, const Span &) = default;
    };

    PageTexts() = default;
    PageTexts(std::u16string store, std::vector<Span> spans)
        : m_store(std::move(store)), m_spans(std::move(spans))
    {
    }

    // Number of pages held (the book's PageCount, or one more).
    int size() const { return int(m_spans.size()); }

    // The text of page `number` (1-based); "" for a number out of range.
    std::u16string_view page(int number) const
    {
        if (number < 1 || number > size())
            return {};
        const Span &span = m_spans[std::size_t(number - 1)];
        return std::u16string_view(m_store).substr(span.offset, span.length);
    }

    friend bool operator==(const PageTexts &a, const PageTexts &b)
    {
        if (a.size() != b.size())
            return false;
        for (int number = 1; number <= a.size(); ++number) {
            if (a.page(number) != b.page(number))
                return false;
        }
        return true;
    }

private:
    std::u16string m_store;
    std::vector<Span> m_spans;
};

} // namespace quillmoth
