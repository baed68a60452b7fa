#pragma once

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quillmoth::testing {

// Runs a write in a child process that can write no more than a few bytes to
// any file, as on a full disk (without needing one), and tells whether the
// write reported its failure. The child's writes fail with EFBIG where a full
// disk gives ENOSPC; both end the same way in the program's writing code.
inline bool writeReportsAFullDisk(const std::function<bool()> &write)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{8, 8};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(write() ? 1 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace quillmoth::testing
