#include "create_file.h"

#include "text/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace quillmoth {
namespace {

CreateFileResult fail(std::string *error, const std::string &message, int code)
{
    if (error != nullptr)
        *error = message + ": " + std::strerror(code);
    return CreateFileResult::Failed;
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

    const std::optional<std::filesystem::path> temporary = writeTemporaryBeside(path, bytes, error);
    if (!temporary)
        return CreateFileResult::Failed;
    return publish(*temporary, path, error);
}

} // namespace quillmoth
