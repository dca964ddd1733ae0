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
    // mode, so the result cannot change if that mode is ever switched. Within the int32
    // range v - floor(v) is exact.
    const double below = std::floor(v);
    const double fraction = v - below;
    const bool belowIsOdd = std::fmod(below, 2.0) != 0.0;
    const bool roundUp = fraction > 0.5 || (fraction == 0.5 && belowIsOdd);
    return static_cast<std::int32_t>(roundUp ? below + 1.0 : below);
}
