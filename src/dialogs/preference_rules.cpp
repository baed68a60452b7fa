#include "dialogs/preference_rules.h"

#include "text/text_paths.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace quillmoth {

namespace fs = std::filesystem;

namespace {

template <std::size_t N>
int optionIn(const std::array<std::u16string_view, N> &values, std::u16string_view value,
             int first, int fallback)
{
    const auto found = std::find(values.begin(), values.end(), value);
    return found == values.end() ? fallback : first + int(found - values.begin());
}

// Regular files directly in a folder, links left out.
template <typename Visit> void forEachThumbnailFile(const fs::path &folder, Visit visit)
{
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code kindError;
        if (entry->is_symlink(kindError) || !entry->is_regular_file(kindError))
            continue;
        if (!visit(entry->path()))
            return;
    }
}

} // namespace

int coverStyleOption(std::u16string_view style)
{
    return optionIn(kCoverStyles, style, 0, 0);
}

int padSizeOption(std::u16string_view padSize)
{
    return optionIn(kPadSizes, padSize, kFirstPadSizeOption, kFirstPadSizeOption + 4);
}

int languageOption(std::u16string_view language)
{
    return optionIn(kLanguages, language, kFirstLanguageOption, kFirstLanguageOption);
}

fs::path pathFromTypedText(std::u16string_view text)
{
    std::u16string slashed(text);
    std::replace(slashed.begin(), slashed.end(), u'\\', u'/');
    return text::pathFromText(slashed);
}

bool isSamePath(const fs::path &a, const fs::path &b, const fs::path &base)
{
    const auto normal = [&base](const fs::path &path) {
        const fs::path slashed = pathFromTypedText(text::textFromPath(path));
        const fs::path absolute = slashed.is_relative() ? base / slashed : slashed;
        std::error_code error;
        const fs::path resolved = fs::weakly_canonical(absolute, error);
        return error ? absolute.lexically_normal() : resolved;
    };
    if (a.empty() || b.empty())
        return a.empty() && b.empty();
    return normal(a) == normal(b);
}

bool hasSubfolder(const fs::path &folder)
{
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::error_code kindError;
        if (entry->is_directory(kindError))
            return true;
    }
    return false;
}

bool hasThumbnailFiles(const fs::path &thumbsFolder)
{
    bool found = false;
    forEachThumbnailFile(thumbsFolder, [&found](const fs::path &) {
        found = true;
        return false;
    });
    return found;
}

int deleteThumbnailFiles(const fs::path &thumbsFolder)
{
    int deleted = 0;
    forEachThumbnailFile(thumbsFolder, [&deleted](const fs::path &file) {
        std::error_code error;
        if (fs::remove(file, error))
            ++deleted;
        return true;
    });
    return deleted;
}

} // namespace quillmoth
