#include "colour_mode.h"

#include "round_half_even.h"

#include <algorithm>

namespace {

// Which channels each mode fixes, for modes 1..7.
constexpr std::array<std::array<bool, 3>, 7> fixedChannels = {{
    {false, false, false},
    {true, false, false},
    {false, true, false},
    {false, false, true},
    {true, true, false},
    {false, true, true},
    {true, false, true},
}};

// A gain of 255.5 and above rounds to 256, which shows as the full level 255.
std::int16_t fixedLevel(float gain) {
    return static_cast<std::int16_t>(std::clamp(roundHalfEven(gain), 0, 255));
}

} // namespace

ColourMode colourMode(const PatternParameters& parameters) {
    const float drawn = parameters.mode;
    const std::size_t mode = drawn >= 1.0F && drawn < 8.0F ? static_cast<std::size_t>(drawn) : 1;
    ColourMode result;
    result.fixed = fixedChannels[mode - 1];
    const std::array<float, 3> gains = {parameters.c1, parameters.c2, parameters.c3};
    for (std::size_t channel = 0; channel < 3; ++channel) {
        if (result.fixed[channel]) {
            result.fixedLevels[channel] = fixedLevel(gains[channel]);
        }
    }
    return result;
}
