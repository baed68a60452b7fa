#pragma once

#include "engine/book.h"

#include <optional>
#include <span>
#include <string>
#include <variant>

namespace quillmoth {

// Deterministic metrics given on the command line: narrow width, wide width, height.
struct FixedMetricsOption {
    double narrowWidth = 0;
    double wideWidth = 0;
    double height = 0;
};

// What one run of quillmoth-book is asked to do.
struct BookCommand {
    std::string bookPath;               // the book file, unless clipboardFile is set
    std::optional<std::string> clipboardFile;  // "-" for standard input
    BookSettings settings;
    std::optional<FixedMetricsOption> fixedMetrics;
    std::string fontFamily = "Tahoma";
    double fontPoints = 9;
    std::optional<std::string> bookmarksFile;
    std::optional<std::string> codePage;
    bool printText = false;
    bool showHelp = false;
};

// The command line parsed, or a one-line message saying what is wrong with it.
std::variant<BookCommand, std::string> parseBookCommand(std::span<const std::string> arguments);

// The usage text printed by --help.
std::string bookCommandUsage();

} // namespace quillmoth
