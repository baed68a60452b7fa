#include "text/atomic_file.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace quillmoth {
namespace {

bool fail(std::string *error, std::string message)
{
    if (error != nullptr)
        *error = std::move(message) + ": " + std::strerror(errno);
    return false;
}

// The temporary file's name must fit where the file's own name fits: a name of
// 255 bytes leaves no room for the marks, so the name is shortened first.
std::string temporaryName(const std::filesystem::path &path)
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    constexpr std::size_t kLongestName = 255;
    constexpr std::size_t kMarks = 1 + 4 + 9; // ".", ".tmp" and the number
    std::string name = path.filename().string();
    if (name.size() > kLongestName - kMarks)
        name.resize(kLongestName - kMarks);
    return "." + name + ".tmp" + std::to_string(generator() % 1000000000);
}

} // namespace

std::optional<std::filesystem::path>
writeTemporaryBeside(const std::filesystem::path &path, std::string_view bytes, std::string *error)
{
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    const std::filesystem::path temporary = folder / temporaryName(path);

    const int descriptor = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (descriptor < 0) {
        fail(error, "cannot create " + temporary.string());
        return std::nullopt;
    }
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t chunk = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (chunk < 0) {
            if (errno == EINTR)
                continue;
            const int saved = errno;
            ::close(descriptor);
            ::unlink(temporary.c_str());
            errno = saved;
            fail(error, "cannot write " + temporary.string());
            return std::nullopt;
        }
        written += std::size_t(chunk);
    }
    const bool synced = ::fsync(descriptor) == 0;
    int saved = errno;
    const bool closed = ::close(descriptor) == 0;
    if (synced && !closed)
        saved = errno;
    if (!synced || !closed) {
        ::unlink(temporary.c_str());
        errno = saved;
        fail(error, "cannot finish " + temporary.string());
        return std::nullopt;
    }
    return temporary;
}

bool writeFileAtomically(const std::filesystem::path &path, std::string_view bytes,
                         std::string *error)
{
    const std::optional<std::filesystem::path> temporary = writeTemporaryBeside(path, bytes, error);
    if (!temporary)
        return false;
    if (::rename(temporary->c_str(), path.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temporary->c_str());
        errno = saved;
        return fail(error, "cannot replace " + path.string());
    }
    return true;
}

} // namespace quillmoth
