#pragma once

#include "colour_value.h"

#include <cstdint>
#include <vector>

// The program's icon, the same on every platform.

// The icon's pattern as the canvas would show it: 500 x 500 colours, rows top to bottom.
std::vector<ColourValue> iconPattern();

// The icon at side x side pixels: the pattern scaled by averaging the points each pixel
// covers, cut to a disc whose edge is smoothed by sampling it 4 x 4 times a pixel. Rows top
// to bottom, each pixel 0xAARRGGBB with straight alpha.
std::vector<std::uint32_t> iconImage(const std::vector<ColourValue>& pattern, int side);
