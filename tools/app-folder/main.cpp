// Assembles the ready-to-run application folder from the resources folder.
// The build runs it every time; it only writes what is missing or what still
// holds an older shipped version, never a file the user changed.
#include "app_folder_assembly.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::string utf8(const std::filesystem::path &path)
{
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: quillmoth-assemble <resources folder> <application folder>\n");
        return 2;
    }
    const std::filesystem::path resources = argv[1];
    const std::filesystem::path appFolder = argv[2];
    const quillmoth::AssemblyReport report = quillmoth::assembleAppFolder(resources, appFolder);

    if (!report.added.empty() || !report.updated.empty())
        std::printf("Application folder %s: %zu added, %zu updated\n", utf8(appFolder).c_str(),
                    report.added.size(), report.updated.size());
    for (const std::filesystem::path &kept : report.kept)
        std::printf("  kept your changed %s (the shipped version is in %s)\n", utf8(kept).c_str(),
                    utf8(resources).c_str());
    for (const std::string &error : report.errors)
        std::fprintf(stderr, "quillmoth-assemble: %s\n", error.c_str());
    return report.errors.empty() ? 0 : 1;
}
