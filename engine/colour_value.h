#pragma once

#include <algorithm>
#include <cstdint>

// A colour as the engine hands it to a canvas: red in bits 0-7, green in bits 8-15,
// blue in bits 16-23 and zero above (0x00BBGGRR).
using ColourValue = std::uint32_t;

// Packs three levels into a ColourValue. A level above 255 counts as 255; a negative one,
// which the colour rule never produces, counts as 0 so that it cannot spill into a
// neighbouring channel.
constexpr ColourValue packRgb(std::int16_t red, std::int16_t green, std::int16_t blue) {
    const auto level = [](std::int16_t value) {
        return static_cast<ColourValue>(std::clamp<std::int16_t>(value, 0, 255));
    };
    return level(red) + 256U * level(green) + 65536U * level(blue);
}
