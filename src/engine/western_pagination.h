#pragma once

#include "engine_error.h"
#include "measured_texts.h"

#include <string_view>

namespace quillmoth {

class AnsiCodePage;
class TextMetrics;
struct Book;
struct BookSettings;

namespace text {
class WorkMeter;
}

// Lays out a Western book: wraps paragraphs at spaces, cuts pages into
// spreads, lists chapters and puts bookmarked characters back, reporting to an
// optional meter. Returns the error that stopped it, None on success.
EngineError Book_MakePagesWest(Book &book, const BookSettings &settings,
                               const TextMetrics &metrics, const AnsiCodePage &codePage,
                               text::WorkMeter *meter = nullptr);

} // namespace quillmoth
