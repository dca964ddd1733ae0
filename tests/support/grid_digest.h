#pragma once

#include "colour_value.h"
#include "pattern_parameters.h"
#include "plane_coordinates.h"

#include <cstddef>
#include <string>
#include <vector>

// Where point (X, Y) stands in the scan order.
constexpr std::size_t scanIndex(int X, int Y) {
    return static_cast<std::size_t>(X) * plane::gridSide + static_cast<std::size_t>(Y);
}

// The 251,001 colours of a pattern in scan order, column by column, each column top to
// bottom, evaluated the way a drawing pass evaluates them.
std::vector<ColourValue> gridColours(const PatternParameters& parameters);

// The same colours as the drawing pass works them out, from the shared tables.
std::vector<ColourValue> tablePassColours(const PatternParameters& parameters);

// The SHA-256 of a pattern's colours in scan order, each written as four little-endian
// bytes, as 64 lowercase hexadecimal digits.
std::string gridDigest(const std::vector<ColourValue>& colours);
