#pragma once

#include <cstdint>

namespace quillmoth {

// Run-time error numbers the book engine reports, as the reader shows them in
// its "Format error:" message.
enum class EngineError : std::int16_t {
    None = 0,
    InvalidArgument = 5,
    Overflow = 6,
    OutOfMemory = 7,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    TypeMismatch = 13,
    Cancelled = 18,  // the caller asked book creation to stop
};

// Carries an engine error from deep inside a procedure to the handler of the
// procedure that reports it. It never leaves the engine's public functions.
struct EngineFailure {
    EngineError error;
};

} // namespace quillmoth
