#pragma once

#include <cstdint>

// The colour rule's working values for the point last evaluated. A drawing pass owns one
// and hands it from point to point, because the angle t is carried over where it cannot
// be computed.
struct PixelState {
    double x = 0.0; // plane coordinate, -3 at column 0, +3 at column 500
    double y = 0.0; // plane coordinate, +3 at row 0, -3 at row 500 (up is positive)
    double r = 0.0; // distance from the grid centre
    double t = 0.0; // angle arctan(y / x), in (-pi/2, pi/2)
    std::int32_t R = 0;
    std::int32_t G = 0;
    std::int32_t B = 0;
};
