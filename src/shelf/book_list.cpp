#include "shelf/book_list.h"

#include "text/text_paths.h"

namespace quillmoth {

std::u16string BookEntry::fileName() const
{
    return text::textFromPath(name);
}

std::u16string BookEntry::title() const
{
    // "a.txt" shows as "a"; a name of fewer than four characters is shown whole.
    std::u16string text = fileName();
    if (text.size() >= 4)
        text.resize(text.size() - 4);
    return text;
}

} // namespace quillmoth
