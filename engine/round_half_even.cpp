#include "round_half_even.h"

#include <cmath>
#include <limits>

std::int32_t roundHalfEven(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    if (v <= lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (v >= highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    // Decided from the fraction rather than by the floating-point environment's rounding
    // mode, so the result cannot change if that mode is ever switched; and in integer
    // arithmetic, because the library's floor and fmod cost more than the rest of a level.
    auto whole = static_cast<std::int64_t>(v); // towards zero
    if (static_cast<double>(whole) > v) {
        --whole; // now floor(v)
    }
    const double fraction = v - static_cast<double>(whole); // exact within the int32 range
    if (fraction > 0.5 || (fraction == 0.5 && (whole & 1) != 0)) {
        ++whole;
    }
    return static_cast<std::int32_t>(whole);
}
