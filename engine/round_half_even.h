#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// The integer nearest to v, ties to the even one (2.5 -> 2, 3.5 -> 4). Values beyond the
// range of a signed 32-bit integer give its nearest end, and NaN gives 0. Inline, because
// every point of a pattern rounds three levels.
inline std::int32_t roundHalfEven(double v) {
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (std::isnan(v)) {
        return 0;
    }
    if (v <= lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (v >= highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    // Adding 1.5 * 2^52 leaves no bits below the unit, so the processor rounds the sum to a
    // whole number in its rounding mode: to nearest with ties to even, the IEEE default,
    // which nothing in this program changes. Subtracting it again is exact. This is several
    // times cheaper than floor and fmod, and has no branch for the predictor to miss.
    constexpr double shifter = 0x1.8p52;
    const double rounded = (v + shifter) - shifter;
    return static_cast<std::int32_t>(rounded);
}
