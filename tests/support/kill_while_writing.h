#pragma once

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
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

inline std::string fileBytes(const std::filesystem::path &path)
{
    std::ifstream stream(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(stream)), {});
}

// Starts a process that writes the file over and over; returns its id.
using WriterStart = std::function<pid_t()>;

// Lets a writer process write `path` over and over, version 0, 1, 0, ...,
// through the program's own writing code, and kills it (SIGKILL) `rounds`
// times, the waits spread evenly up to `longestWait`. After each kill the
// file must hold one of the two versions, whole. The versions are made first
// by calling `write` here, so they are exactly what the program writes. The
// writer is this process forked, or, where forking a process with threads
// is not safe (Qt's picture code), a program `startWriter` starts.
inline KillReport killWhileWriting(const std::filesystem::path &path,
                                   const std::function<void(int version)> &write, int rounds,
                                   std::chrono::microseconds longestWait,
                                   const WriterStart &startWriter = {})
{
    namespace fs = std::filesystem;
    write(1);
    const std::string second = fileBytes(path);
    const auto started = std::chrono::steady_clock::now();
    write(0);
    const std::string first = fileBytes(path);
    // On a busy machine a write takes longer: the kills still spread over
    // several writes.
    longestWait = std::max(longestWait, std::chrono::duration_cast<std::chrono::microseconds>(
                                            (std::chrono::steady_clock::now() - started) * 6));
    const std::string temporaryPrefix = "." + path.filename().string() + ".tmp";

    KillReport report;
    // A busy machine may let every kill of a series land before or between
    // writes; the series is then repeated, up to four times.
    for (int round = 0; round < rounds || (report.duringWrite == 0 && round < 4 * rounds);
         ++round) {
        const pid_t child = startWriter ? startWriter() : ::fork();
        if (child == 0) {
            for (int i = 1;; ++i)
                write(i % 2);
        }
        if (child < 0)
            break;
        std::this_thread::sleep_for(longestWait * (round % rounds + 1) / rounds);
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ++report.kills;

        std::error_code error;
        bool during = false;
        for (const fs::directory_entry &entry : fs::directory_iterator(path.parent_path(), error)) {
            if (entry.path().filename().string().rfind(temporaryPrefix, 0) != 0)
                continue;
            during = true;
            fs::remove(entry.path(), error);
        }
        report.duringWrite += during ? 1 : 0;
        const std::string now = fileBytes(path);
        if (now != first && now != second)
            report.torn.push_back(now.substr(0, 200));
    }
    return report;
}

} // namespace quillmoth::testing
