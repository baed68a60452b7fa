// Helper process for app_tests.
//
//   app_test_helper lock <lock file>
//       Tries the instance lock and prints "acquired", "running" or
//       "unavailable". Holding the lock, it waits until its input is closed.
//   app_test_helper extract <resource> <file> <size limit> ignore|default
//       Extracts a resource with the file size limited, so that the write
//       fails ("ignore": the signal is ignored and the write returns an
//       error) or the process is killed mid-way ("default"). The exit code
//       is the ExtractResult.
#include "platform/resource_extraction.h"
#include "platform/single_instance.h"

#include <QCoreApplication>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <sys/resource.h>

namespace {

int holdLock(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    quillmoth::SingleInstance instance{std::filesystem::path(argv[2])};
    using Status = quillmoth::SingleInstance::Status;
    const Status status = instance.acquire();
    std::cout << (status == Status::Acquired         ? "acquired"
                  : status == Status::AlreadyRunning ? "running"
                                                     : "unavailable")
              << std::endl;
    for (std::string line; status == Status::Acquired && std::getline(std::cin, line);) {
    }
    return 0;
}

int extract(char *argv[])
{
    rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    const auto limit = rlim_t(std::strtoull(argv[4], nullptr, 10));
    rlimit size{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &size);
    if (std::strcmp(argv[5], "ignore") == 0)
        std::signal(SIGXFSZ, SIG_IGN);
    return int(quillmoth::ExtractResourceFile(QString::fromUtf8(argv[2]), std::filesystem::path(argv[3])));
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "lock") == 0)
        return holdLock(argc, argv);
    if (argc == 6 && std::strcmp(argv[1], "extract") == 0)
        return extract(argv);
    std::fprintf(stderr, "usage: app_test_helper lock <file> | extract <name> <file> <limit> ignore|default\n");
    return 64;
}
