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

// The frame of a page turn to draw instead of a spread.
struct TurnOption {
    enum class Direction { Forward, Back } direction = Direction::Forward;
    double offset = 0;
};

// Drawing what the reading pad shows, instead of only printing the record.
struct RenderOption {
    int page = 2;              // the right-hand page of the spread
    std::string outFile;       // the PNG to write
    int padWidth = 1263;       // the pad's client area
    int padHeight = 912;
    std::optional<TurnOption> turn;
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
    bool fontGiven = false;       // --font was given
    bool lineSpaceGiven = false;  // --line-space was given
    std::optional<std::string> themeFile;
    std::optional<RenderOption> render;
};

// The command line parsed, or a one-line message saying what is wrong with it.
std::variant<BookCommand, std::string> parseBookCommand(std::span<const std::string> arguments);

// The usage text printed by --help.
std::string bookCommandUsage();

} // namespace quillmoth
