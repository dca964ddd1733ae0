#pragma once

#include "colour_value.h"

#include <cstdint>

// A colour as displays and images hold it, 0x00RRGGBB: a ColourValue holds red in its low
// byte and blue in its third, the other way round.
constexpr std::uint32_t displayColour(ColourValue colour) {
    return ((colour & 0xFFU) << 16U) | (colour & 0xFF00U) | ((colour >> 16U) & 0xFFU);
}
