#include "illustration_album.h"

#include "platform/imaging.h"

#include <QString>

#include <algorithm>
#include <system_error>

namespace quillmoth {
namespace {

constexpr std::size_t kCachedPictures = 6;

bool hasExtension(const std::filesystem::path &path, std::u16string_view extension)
{
    const std::u16string name = path.extension().u16string();
    return name.size() == extension.size() &&
           std::equal(name.begin(), name.end(), extension.begin(),
                      [](char16_t a, char16_t b) {
                          const auto lower = [](char16_t c) {
                              return c >= u'A' && c <= u'Z' ? char16_t(c - u'A' + u'a') : c;
                          };
                          return lower(a) == lower(b);
                      });
}

} // namespace

IllustrationAlbum IllustrationAlbum::list(const std::filesystem::path &folder)
{
    IllustrationAlbum album;
    std::error_code error;
    std::vector<std::filesystem::path> jpegs;
    std::vector<std::filesystem::path> gifs;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        std::error_code ignored;
        if (!it->is_regular_file(ignored))
            continue;
        const std::filesystem::path &path = it->path();
        if (hasExtension(path, u".jpg"))
            jpegs.push_back(path);
        else if (hasExtension(path, u".gif"))
            gifs.push_back(path);
    }
    if (error)
        return {};
    std::sort(jpegs.begin(), jpegs.end());
    std::sort(gifs.begin(), gifs.end());
    album.m_files = std::move(jpegs);
    album.m_files.insert(album.m_files.end(), gifs.begin(), gifs.end());
    return album;
}

QImage IllustrationAlbum::next()
{
    if (m_files.empty())
        return {};
    ++m_index;
    if (m_index > int(m_files.size()) - 1)
        m_index = 0;
    return load(std::size_t(m_index));
}

QImage IllustrationAlbum::load(std::size_t index)
{
    const auto cached = std::find_if(m_cache.begin(), m_cache.end(),
                                     [index](const auto &entry) { return entry.first == index; });
    if (cached != m_cache.end()) {
        m_cache.splice(m_cache.begin(), m_cache, cached);
        return m_cache.front().second;
    }
    QImage image = loadImage(QString::fromStdU16String(m_files[index].u16string()));
    m_cache.emplace_front(index, image);
    if (m_cache.size() > kCachedPictures)
        m_cache.pop_back();
    return image;
}

} // namespace quillmoth
