#pragma once

#include <cstdint>

// The integer nearest to v, ties to the even one (2.5 -> 2, 3.5 -> 4). Values beyond the
// range of a signed 32-bit integer give its nearest end, and NaN gives 0.
std::int32_t roundHalfEven(double v);
