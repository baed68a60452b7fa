#pragma once

#include "engine_error.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace quillmoth {

// Far beyond any page or line count, yet small enough that adding a few of them
// never overflows a 64-bit integer.
inline constexpr std::int64_t kCountLimit = std::int64_t{1} << 40;

// Nearest integer with ties going to the even neighbour; a value that is not a
// number or lies beyond kCountLimit is an overflow.
inline std::int64_t roundHalfEven(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > double(kCountLimit))
        throw EngineFailure{EngineError::Overflow};
    // Doubles this small are exact, so the half-way test is exact too.
    const double floorValue = std::floor(value);
    const double fraction = value - floorValue;
    auto result = static_cast<std::int64_t>(floorValue);
    if (fraction > 0.5 || (fraction == 0.5 && (result % 2 != 0)))
        ++result;
    return result;
}

// Floating division that fails the way a division of the program's numbers
// fails: x / 0 is a division by zero, 0 / 0 an overflow.
inline double divide(double numerator, double denominator)
{
    if (denominator == 0.0)
        throw EngineFailure{numerator == 0.0 ? EngineError::Overflow : EngineError::DivisionByZero};
    return numerator / denominator;
}

// The same for single-precision values, which the layout keeps for widths.
inline float divide(float numerator, float denominator)
{
    if (denominator == 0.0f)
        throw EngineFailure{numerator == 0.0f ? EngineError::Overflow : EngineError::DivisionByZero};
    return numerator / denominator;
}

// Integer division that drops the fraction (truncates toward zero).
inline std::int64_t divideDroppingFraction(std::int64_t numerator, std::int64_t denominator)
{
    if (denominator == 0)
        throw EngineFailure{EngineError::DivisionByZero};
    return numerator / denominator;
}

} // namespace quillmoth
