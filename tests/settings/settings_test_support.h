#pragma once

#include "../platform/app_test_support.h"

#include "text/code_page.h"

#include <algorithm>
#include <vector>

namespace quillmoth::testing {

// The code page the tests read ANSI files in.
inline const AnsiCodePage &gbk()
{
    static const AnsiCodePage codePage = *AnsiCodePage::named("CP936");
    return codePage;
}

// The files of a folder, by name.
inline std::vector<std::string> fileNames(const std::filesystem::path &folder)
{
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace quillmoth::testing
