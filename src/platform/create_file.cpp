#include "create_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace quillmoth {
namespace {

CreateFileResult fail(std::string *error, const std::string &message, int code)
{
    if (error != nullptr)
        *error = message + ": " + std::strerror(code);
    return CreateFileResult::Failed;
}

std::filesystem::path temporaryPath(const std::filesystem::path &path)
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    const std::filesystem::path folder =
        path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    return folder / ("." + path.filename().string() + ".new" +
                     std::to_string(generator() % 1000000000));
}

bool writeAll(int descriptor, std::string_view bytes)
{
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t chunk = ::write(descriptor, bytes.data() + written, bytes.size() - written);
        if (chunk < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        written += std::size_t(chunk);
    }
    return true;
}

// Moves the finished temporary file to `path` unless something is there.
// Hard links give that guarantee everywhere links exist; file systems without
// them get the no-replace rename, and the last resort is a check then rename.
CreateFileResult publish(const std::filesystem::path &temporary,
                         const std::filesystem::path &path, std::string *error)
{
    if (::link(temporary.c_str(), path.c_str()) == 0) {
        ::unlink(temporary.c_str());
        return CreateFileResult::Created;
    }
    int code = errno;
    if (code == EEXIST) {
        ::unlink(temporary.c_str());
        return CreateFileResult::AlreadyExists;
    }
    if (code == EPERM || code == ENOTSUP || code == EOPNOTSUPP || code == EMLINK) {
        if (::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) == 0)
            return CreateFileResult::Created;
        code = errno;
        if (code == EEXIST) {
            ::unlink(temporary.c_str());
            return CreateFileResult::AlreadyExists;
        }
        if (code == EINVAL || code == ENOSYS) {
            std::error_code ignored;
            if (std::filesystem::exists(std::filesystem::symlink_status(path, ignored))) {
                ::unlink(temporary.c_str());
                return CreateFileResult::AlreadyExists;
            }
            if (::rename(temporary.c_str(), path.c_str()) == 0)
                return CreateFileResult::Created;
            code = errno;
        }
    }
    ::unlink(temporary.c_str());
    return fail(error, "cannot create " + path.string(), code);
}

} // namespace

CreateFileResult createFileAtomically(const std::filesystem::path &path, std::string_view bytes,
                                      std::string *error)
{
    std::error_code ignored;
    if (std::filesystem::exists(std::filesystem::symlink_status(path, ignored)))
        return CreateFileResult::AlreadyExists;

    const std::filesystem::path temporary = temporaryPath(path);
    const int descriptor =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return fail(error, "cannot create " + temporary.string(), errno);
    if (!writeAll(descriptor, bytes)) {
        const int code = errno;
        ::close(descriptor);
        ::unlink(temporary.c_str());
        return fail(error, "cannot write " + temporary.string(), code);
    }
    const bool synced = ::fsync(descriptor) == 0;
    int code = errno;
    const bool closed = ::close(descriptor) == 0;
    if (synced && !closed)
        code = errno;
    if (!synced || !closed) {
        ::unlink(temporary.c_str());
        return fail(error, "cannot finish " + temporary.string(), code);
    }
    return publish(temporary, path, error);
}

} // namespace quillmoth
