#include "book_command.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace quillmoth {
namespace {

std::optional<long long> parseInteger(std::string_view text)
{
    long long value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<double> parseNumber(std::string_view text)
{
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::optional<int> parseIntegerIn(std::string_view text, long long low, long long high)
{
    const auto value = parseInteger(text);
    if (!value || *value < low || *value > high)
        return std::nullopt;
    return int(*value);
}

constexpr int kLargestPageSide = 1000000;

} // namespace

std::string bookCommandUsage()
{
    return "usage: quillmoth-book [OPTIONS] PATH\n"
           "       quillmoth-book [OPTIONS] --clipboard FILE   (FILE holds UTF-8 text; - reads stdin)\n"
           "\n"
           "Prints the Book record of a book as JSON.\n"
           "\n"
           "  --page WxH              page width and height in pixels (600x900)\n"
           "  --metrics fixed:N,W,H   narrow width, wide width and height of fixed metrics\n"
           "  --font FAMILY:POINTS    real metrics of this font (Tahoma:9)\n"
           "  --line-space N          extra pixels between lines, 0 to 5 (0)\n"
           "  --pad-size N            reading pad size in percent, 60 to 100 (90)\n"
           "  --reformat              reformat paragraphs\n"
           "  --chapters              list chapters\n"
           "  --illustrations         leave room for illustrations\n"
           "  --big5                  decode the file as Big5\n"
           "  --bookmarks FILE        restore bookmarks from this bookmark file\n"
           "  --codepage NAME         ANSI code page (CP936, CP950, CP932, CP949, CP1252, ...)\n"
           "  --text                  also print the decoded text\n"
           "  --theme FILE.thm        use this theme's font, switches and pictures\n"
           "  --render P --out FILE   draw the pad showing the spread of page P as a PNG\n"
           "  --pad WxH               the pad's client area for --render (1263x912)\n"
           "  --turn forward|back     with --render: a frame of a turn from that spread ...\n"
           "  --offset D              ... with the corner D pixels along (0 to the page width)\n"
           "  --help                  show this text\n";
}

std::variant<BookCommand, std::string> parseBookCommand(std::span<const std::string> arguments)
{
    BookCommand command;
    bool haveFont = false;
    bool havePage = false;
    std::optional<std::string> positional;
    std::optional<int> renderPage;
    std::optional<std::string> outFile;
    std::optional<std::pair<int, int>> pad;
    std::optional<TurnOption::Direction> turn;
    std::optional<double> offset;

    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string option = arguments[i];
        std::optional<std::string> inlineValue;
        if (option.starts_with("--") && option.find('=') != std::string::npos) {
            inlineValue = option.substr(option.find('=') + 1);
            option = option.substr(0, option.find('='));
        }
        // The value of an option that takes one.
        const auto value = [&]() -> std::optional<std::string> {
            if (inlineValue)
                return inlineValue;
            if (i + 1 >= arguments.size())
                return std::nullopt;
            return arguments[++i];
        };
        const auto flag = [&](bool &target) -> std::optional<std::string> {
            if (inlineValue)
                return option + " takes no value";
            target = true;
            return std::nullopt;
        };

        std::optional<std::string> problem;
        if (option == "--help" || option == "-h") {
            command.showHelp = true;
        } else if (option == "--reformat") {
            problem = flag(command.settings.ReformatParagraphs);
        } else if (option == "--chapters") {
            problem = flag(command.settings.ListUpChapters);
        } else if (option == "--illustrations") {
            problem = flag(command.settings.IllustrationsOn);
        } else if (option == "--big5") {
            problem = flag(command.settings.ForceBIG5);
        } else if (option == "--text") {
            problem = flag(command.printText);
        } else if (option == "--page") {
            const auto text = value();
            const std::size_t x = text ? text->find('x') : std::string::npos;
            const auto width =
                x == std::string::npos ? std::nullopt
                                       : parseIntegerIn(text->substr(0, x), 1, kLargestPageSide);
            const auto height =
                x == std::string::npos ? std::nullopt
                                       : parseIntegerIn(text->substr(x + 1), 1, kLargestPageSide);
            if (!width || !height)
                return "--page needs WIDTHxHEIGHT in pixels, for example 600x900";
            command.settings.PageWidth = *width;
            command.settings.PageHeight = *height;
            havePage = true;
        } else if (option == "--metrics") {
            const auto text = value();
            if (!text || !text->starts_with("fixed:"))
                return "--metrics needs fixed:N,W,H, for example fixed:8,16,18";
            const std::string numbers = text->substr(6);
            const std::size_t first = numbers.find(',');
            const std::size_t second =
                first == std::string::npos ? std::string::npos : numbers.find(',', first + 1);
            std::optional<double> n, w, h;
            if (second != std::string::npos) {
                n = parseNumber(std::string_view(numbers).substr(0, first));
                w = parseNumber(std::string_view(numbers).substr(first + 1, second - first - 1));
                h = parseNumber(std::string_view(numbers).substr(second + 1));
            }
            if (!n || !w || !h || *n < 0 || *w < 0 || *h < 0)
                return "--metrics needs three numbers of 0 or more: fixed:N,W,H";
            command.fixedMetrics = FixedMetricsOption{*n, *w, *h};
        } else if (option == "--font") {
            const auto text = value();
            const std::size_t colon = text ? text->rfind(':') : std::string::npos;
            const auto points = colon == std::string::npos
                                    ? std::nullopt
                                    : parseNumber(std::string_view(*text).substr(colon + 1));
            if (!points || *points <= 0 || *points > 1000 || colon == 0)
                return "--font needs FAMILY:POINTS, for example Tahoma:9";
            command.fontFamily = text->substr(0, colon);
            command.fontPoints = *points;
            haveFont = true;
            command.fontGiven = true;
        } else if (option == "--line-space") {
            const auto text = value();
            const auto number = text ? parseIntegerIn(*text, 0, 5) : std::nullopt;
            if (!number)
                return "--line-space needs a whole number from 0 to 5";
            command.settings.LineSpace = *number;
            command.lineSpaceGiven = true;
        } else if (option == "--pad-size") {
            const auto text = value();
            const auto number = text ? parseIntegerIn(*text, 60, 100) : std::nullopt;
            if (!number)
                return "--pad-size needs a whole number from 60 to 100";
            command.settings.PadSize = *number;
        } else if (option == "--bookmarks") {
            command.bookmarksFile = value();
            if (!command.bookmarksFile || command.bookmarksFile->empty())
                return "--bookmarks needs a file";
        } else if (option == "--codepage") {
            command.codePage = value();
            if (!command.codePage || command.codePage->empty())
                return "--codepage needs a code page name, for example CP936";
        } else if (option == "--clipboard") {
            command.clipboardFile = value();
            if (!command.clipboardFile || command.clipboardFile->empty())
                return "--clipboard needs a file holding UTF-8 text, or - for standard input";
        } else if (option == "--theme") {
            command.themeFile = value();
            if (!command.themeFile || command.themeFile->empty())
                return "--theme needs a theme file";
        } else if (option == "--render") {
            const auto text = value();
            renderPage = text ? parseIntegerIn(*text, 1, kLargestPageSide) : std::nullopt;
            if (!renderPage)
                return "--render needs a page number, for example 2";
        } else if (option == "--out") {
            outFile = value();
            if (!outFile || outFile->empty())
                return "--out needs a file to write the picture to";
        } else if (option == "--pad") {
            const auto text = value();
            const std::size_t x = text ? text->find('x') : std::string::npos;
            const auto width =
                x == std::string::npos ? std::nullopt : parseIntegerIn(text->substr(0, x), 160, 20000);
            const auto height =
                x == std::string::npos ? std::nullopt : parseIntegerIn(text->substr(x + 1), 160, 20000);
            if (!width || !height)
                return "--pad needs WIDTHxHEIGHT in pixels, each 160 or more, for example 1263x912";
            pad = std::make_pair(*width, *height);
        } else if (option == "--turn") {
            const auto text = value();
            if (text == "forward")
                turn = TurnOption::Direction::Forward;
            else if (text == "back")
                turn = TurnOption::Direction::Back;
            else
                return "--turn needs forward or back";
        } else if (option == "--offset") {
            const auto text = value();
            offset = text ? parseNumber(*text) : std::nullopt;
            if (!offset || *offset < 0)
                return "--offset needs a number of pixels, 0 or more";
        } else if (option == "--") {
            if (i + 1 < arguments.size() && !positional && i + 2 == arguments.size()) {
                positional = arguments[++i];
            } else {
                return "-- must be followed by exactly one PATH";
            }
        } else if (option.starts_with("-") && option != "-") {
            return "unknown option " + option + " (see --help)";
        } else if (positional) {
            return "only one PATH may be given";
        } else {
            positional = option;
        }
        if (problem)
            return *problem;
    }

    if (command.showHelp)
        return command;
    if (command.fixedMetrics && haveFont)
        return "--metrics and --font cannot be used together";
    if (command.clipboardFile && positional)
        return "give either PATH or --clipboard FILE, not both";
    if (!command.clipboardFile && !positional)
        return "missing PATH (see --help)";
    if (positional)
        command.bookPath = *positional;

    if (!renderPage && (outFile || pad || turn || offset))
        return "--out, --pad, --turn and --offset go with --render";
    if (renderPage) {
        if (!outFile)
            return "--render needs --out FILE";
        if (havePage)
            return "--render takes its page size from --pad, not --page";
        if (turn.has_value() != offset.has_value())
            return "--turn and --offset go together";
        RenderOption render;
        render.page = *renderPage;
        render.outFile = *outFile;
        if (pad) {
            render.padWidth = pad->first;
            render.padHeight = pad->second;
        }
        if (turn)
            render.turn = TurnOption{*turn, *offset};
        command.render = render;
    }
    return command;
}

} // namespace quillmoth
