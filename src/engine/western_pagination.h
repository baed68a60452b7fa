#pragma once

#include "engine_error.h"

#include <string_view>

namespace quillmoth {

class AnsiCodePage;
class TextMetrics;
struct Book;
struct BookSettings;

namespace text {
class WorkMeter;
}

// The sample whose average character width sets the Western line length.
inline constexpr std::u16string_view kWesternSample =
    u"AIJLDWX bcdefghijk lmnop qrstuv wxyz A bcdefghijk lmnop qrstuv wxyz";

// Lays out a Western book: wraps paragraphs at spaces, cuts pages into
// spreads, lists chapters and puts bookmarked characters back, reporting to an
// optional meter. Returns the error that stopped it, None on success.
EngineError Book_MakePagesWest(Book &book, const BookSettings &settings,
                               const TextMetrics &metrics, const AnsiCodePage &codePage,
                               text::WorkMeter *meter = nullptr);

} // namespace quillmoth
