#pragma once

#include "engine_error.h"

namespace quillmoth {

class AnsiCodePage;
class TextMetrics;
struct Book;
struct BookSettings;

namespace text {
class WorkMeter;
}

// Lays out a Chinese book: cuts paragraphs into lines of CharsPerLine
// characters, pages into spreads, lists chapters and puts bookmarked
// characters back, reporting to an optional meter. Returns the error that
// stopped it, None on success.
EngineError Book_MakePagesChST(Book &book, const BookSettings &settings,
                               const TextMetrics &metrics, const AnsiCodePage &codePage,
                               text::WorkMeter *meter = nullptr);

} // namespace quillmoth
