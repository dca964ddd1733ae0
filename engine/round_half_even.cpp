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
    // Adding 1.5 * 2^52 leaves no bits below the unit, so the processor rounds the sum to a
    // whole number in its rounding mode: to nearest with ties to even, the IEEE default,
    // which nothing in this program changes. Subtracting it again is exact. This is several
    // times cheaper than floor and fmod, and has no branch for the predictor to miss.
    constexpr double shifter = 0x1.8p52;
    const double rounded = (v + shifter) - shifter;
    return static_cast<std::int32_t>(rounded);
}
