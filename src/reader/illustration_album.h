#pragma once

#include <QImage>
#include <QString>

#include <filesystem>
#include <list>
#include <utility>
#include <vector>

namespace quillmoth {

// The pictures of an illustration album folder, handed out in turn to the
// right-hand pages as they are drawn.
class IllustrationAlbum {
public:
    IllustrationAlbum() = default;

    // The ".jpg" and ".gif" files of the folder (any letter case), in name
    // order. A folder that cannot be listed gives an empty album.
    static IllustrationAlbum list(const std::filesystem::path &folder);

    const std::vector<std::filesystem::path> &AlbumFiles() const { return m_files; }
    bool isEmpty() const { return m_files.empty(); }

    // Index of the picture handed out last; 0 before the first.
    int AlbumIndex() const { return m_index; }

    // Advances to the next picture (the first comes after index 0, so a new
    // album starts with its second picture, and wraps round) and returns it;
    // a null image when it cannot be read or the album is empty.
    QImage next();

private:
    QImage load(std::size_t index);

    std::vector<std::filesystem::path> m_files;
    int m_index = 0;
    // The few pictures decoded last, so that turning back and forth does not
    // decode the same files over and over.
    std::list<std::pair<std::size_t, QImage>> m_cache;
};

} // namespace quillmoth
