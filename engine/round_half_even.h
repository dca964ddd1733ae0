#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// The ends of the range of a signed 32-bit integer, as doubles.
inline constexpr double wholeLowest = std::numeric_limits<std::int32_t>::min();
inline constexpr double wholeHighest = std::numeric_limits<std::int32_t>::max();

// v rounded to the nearest whole number, ties to the even one, for |v| < 2^51. Real is
// double, or a vector of doubles whose operators are the same IEEE operations lane by lane.
// Adding 1.5 * 2^52 leaves no bits below the unit, so the processor rounds the sum to a
// whole number in its rounding mode: to nearest with ties to even, the IEEE default, which
// nothing in this program changes. Subtracting it again is exact. This is several times
// cheaper than floor and fmod, and has no branch for the predictor to miss.
template <typename Real> [[gnu::always_inline]] inline Real roundedToWhole(Real v) {
    constexpr double shifter = 0x1.8p52;
    return (v + shifter) - shifter;
}

// The integer nearest to v, ties to the even one (2.5 -> 2, 3.5 -> 4). Values beyond the
// range of a signed 32-bit integer give its nearest end, and NaN gives 0. Inline, because
// every point of a pattern rounds three levels.
inline std::int32_t roundHalfEven(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    if (v <= wholeLowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (v >= wholeHighest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(roundedToWhole(v));
}
