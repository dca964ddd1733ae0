#include "pixel_colour.h"

#include "round_half_even.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double centre = 250.0;
constexpr double scale = 500.0 / 6.0; // grid steps per plane unit; divided by, not multiplied
constexpr std::int16_t centreColumn = 250;

// A level is rounded before the remainder is taken; the unsigned view makes the remainder
// non-negative for any integer, though the levels here are never negative.
std::int32_t levelModulo256(double product) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(roundHalfEven(product)) & 0xFFU);
}

// A gain of 255.5 and above rounds to 256, which shows as the full level 255.
std::int16_t fixedLevel(float gain) {
    return static_cast<std::int16_t>(std::clamp(roundHalfEven(gain), 0, 255));
}

// A drawn mode is always a whole number 1..7; anything else is treated as mode 1.
int modeNumber(float mode) {
    return mode >= 1.0F && mode < 8.0F ? static_cast<int>(mode) : 1;
}

} // namespace

ColourValue PixelColour(std::int16_t X, std::int16_t Y, const PatternParameters& parameters,
                        PixelState& state) {
    const double a1 = parameters.a1;
    const double a2 = parameters.a2;
    const double a3 = parameters.a3;
    const double n1 = parameters.n1;
    const double n2 = parameters.n2;
    const double n3 = parameters.n3;

    state.x = (X - centre) / scale;
    state.y = (centre - Y) / scale;
    state.r = std::sqrt(state.x * state.x + state.y * state.y);
    // On the centre column x is 0 and y / x has no value, so the angle of the point before
    // is kept.
    if (X != centreColumn) {
        state.t = std::atan(state.y / state.x);
    }
    const double r = state.r;
    const double t = state.t;

    state.R =
        levelModulo256(parameters.c1 * ((a1 + std::sin(a1 * r)) + (a2 + std::cos((2.0 * n1) * t))));
    state.G =
        levelModulo256(parameters.c2 * ((a2 + std::cos(a2 * r)) + (a3 + std::sin((2.0 * n2) * t))));
    state.B =
        levelModulo256(parameters.c3 * ((a3 + std::sin(a3 * r)) + (a1 + std::cos((2.0 * n3) * t))));

    const auto R = static_cast<std::int16_t>(state.R);
    const auto G = static_cast<std::int16_t>(state.G);
    const auto B = static_cast<std::int16_t>(state.B);
    // The fixed levels are worked out only in the modes that show them.
    switch (modeNumber(parameters.mode)) {
    case 2:
        return packRgb(fixedLevel(parameters.c1), G, B);
    case 3:
        return packRgb(R, fixedLevel(parameters.c2), B);
    case 4:
        return packRgb(R, G, fixedLevel(parameters.c3));
    case 5:
        return packRgb(fixedLevel(parameters.c1), fixedLevel(parameters.c2), B);
    case 6:
        return packRgb(R, fixedLevel(parameters.c2), fixedLevel(parameters.c3));
    case 7:
        return packRgb(fixedLevel(parameters.c1), G, fixedLevel(parameters.c3));
    default: // mode 1
        return packRgb(R, G, B);
    }
}
