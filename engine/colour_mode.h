#pragma once

#include "colour_value.h"
#include "pattern_parameters.h"

#include <array>
#include <cstdint>

// What a pattern's colour mode shows in each channel: the level computed at the point, or
// a level fixed for the whole pattern.
struct ColourMode {
    std::array<bool, 3> fixed{};               // red, green, blue
    std::array<std::int16_t, 3> fixedLevels{}; // set only where fixed
};

// The mode of parameters. A mode outside 1..7, which is never drawn, counts as mode 1.
ColourMode colourMode(const PatternParameters& parameters);

inline ColourValue modeColour(const ColourMode& mode, std::int32_t R, std::int32_t G,
                              std::int32_t B) {
    const auto shown = [&mode](std::size_t channel, std::int32_t level) {
        return mode.fixed[channel] ? mode.fixedLevels[channel] : static_cast<std::int16_t>(level);
    };
    return packRgb(shown(0, R), shown(1, G), shown(2, B));
}
