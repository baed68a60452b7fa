#pragma once

#include "scratch_folder.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <poll.h>
#include <string>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace quillmoth::testing {

// What killing a writer again and again found.
struct KillReport {
    int kills = 0;
    // Kills that landed while a write was under way: they left the write's
    // temporary file behind.
    int duringWrite = 0;
    // Contents of the file that were neither version: a torn file.
    std::vector<std::string> torn;
};

// Starts a process that writes the file over and over; returns its id.
using WriterStart = std::function<pid_t()>;

// Removes the temporary files writes left in the folder; returns whether
// there were any.
inline bool removeTemporaryFiles(const std::filesystem::path &folder, const std::string &prefix)
{
    namespace fs = std::filesystem;
    std::error_code error;
    bool found = false;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder, error)) {
        if (entry.path().filename().string().rfind(prefix, 0) != 0)
            continue;
        found = true;
        fs::remove(entry.path(), error);
    }
    return found;
}

// Tells of files created in a folder, as they are created.
class TemporaryFileWatch {
public:
    explicit TemporaryFileWatch(const std::filesystem::path &folder)
        : m_descriptor(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK))
    {
        if (m_descriptor >= 0)
            ::inotify_add_watch(m_descriptor, folder.c_str(), IN_CREATE);
    }
    ~TemporaryFileWatch()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    TemporaryFileWatch(const TemporaryFileWatch &) = delete;
    TemporaryFileWatch &operator=(const TemporaryFileWatch &) = delete;

    // Waits up to `timeout` for the next created file; returns its name, or
    // nothing when none came.
    std::optional<std::string> next(std::chrono::milliseconds timeout) const
    {
        if (m_pending.empty()) {
            pollfd ready{m_descriptor, POLLIN, 0};
            if (m_descriptor < 0 || ::poll(&ready, 1, int(timeout.count())) <= 0)
                return std::nullopt;
            alignas(inotify_event) char buffer[16 * 1024];
            const ssize_t size = ::read(m_descriptor, buffer, sizeof buffer);
            for (ssize_t at = 0; at + ssize_t(sizeof(inotify_event)) <= size;) {
                const auto *event = reinterpret_cast<const inotify_event *>(buffer + at);
                if (event->len > 0)
                    m_pending.emplace_back(event->name);
                at += ssize_t(sizeof(inotify_event) + event->len);
            }
            if (m_pending.empty())
                return std::string();
        }
        std::string name = std::move(m_pending.front());
        m_pending.erase(m_pending.begin());
        return name;
    }

    // Drops what was created so far.
    void forget() const
    {
        while (next(std::chrono::milliseconds(0)))
            ;
    }

private:
    int m_descriptor;
    mutable std::vector<std::string> m_pending;
};

// Waits until a file named with `prefix` is created, up to `timeout`;
// returns how long it waited.
inline std::chrono::microseconds waitForTemporaryFile(const TemporaryFileWatch &watch,
                                                      const std::string &prefix,
                                                      std::chrono::microseconds timeout)
{
    using namespace std::chrono;
    const auto started = steady_clock::now();
    for (;;) {
        const auto waited = duration_cast<microseconds>(steady_clock::now() - started);
        if (waited >= timeout)
            return waited;
        const auto name = watch.next(duration_cast<milliseconds>(timeout - waited) +
                                     milliseconds(1));
        if (name && name->rfind(prefix, 0) == 0)
            return duration_cast<microseconds>(steady_clock::now() - started);
    }
}

// Lets a writer process write `path` over and over, version 0, 1, 0, ...,
// through the program's own writing code, and kills it (SIGKILL) `rounds`
// times. After each kill the file must hold one of the two versions, whole.
// Half the kills come after waits spread evenly up to `longestWait`; the
// other half come the moment the writer creates its temporary file, so that
// some kills land in the middle of a write however fast or slow this machine
// writes and however short the write is beside the work before it. The versions
// are made first by calling `write` here, so they are exactly what the
// program writes. The writer is this process forked, or, where forking a
// process with threads is not safe (Qt's picture code), a program
// `startWriter` starts.
inline KillReport killWhileWriting(const std::filesystem::path &path,
                                   const std::function<void(int version)> &write, int rounds,
                                   std::chrono::microseconds longestWait,
                                   const WriterStart &startWriter = {})
{
    using namespace std::chrono;
    write(1);
    const std::string second = readFile(path);
    const auto started = steady_clock::now();
    write(0);
    const std::string first = readFile(path);
    const auto oneWrite = duration_cast<microseconds>(steady_clock::now() - started);
    // On a busy machine a write takes longer: the kills still spread over
    // several writes.
    longestWait = std::max(longestWait, oneWrite * 6);
    const std::string temporaryPrefix = "." + path.filename().string() + ".tmp";
    const std::filesystem::path folder = path.parent_path();

    // Writers that never write must not hold the test up for long.
    auto watchingLeft = duration_cast<microseconds>(seconds(20));
    const TemporaryFileWatch watch(folder);
    KillReport report;
    for (int round = 0; round < rounds; ++round) {
        watch.forget();
        const pid_t child = startWriter ? startWriter() : ::fork();
        if (child == 0) {
            for (int i = 1;; ++i)
                write(i % 2);
        }
        if (child < 0)
            break;
        if (round % 2 == 0)
            std::this_thread::sleep_for(longestWait * (round + 1) / rounds);
        else
            watchingLeft -= waitForTemporaryFile(watch, temporaryPrefix, watchingLeft);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ++report.kills;

        report.duringWrite += removeTemporaryFiles(folder, temporaryPrefix) ? 1 : 0;
        const std::string now = readFile(path);
        if (now != first && now != second)
            report.torn.push_back(now.substr(0, 200));
    }
    return report;
}

} // namespace quillmoth::testing
