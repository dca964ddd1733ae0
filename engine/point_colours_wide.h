#pragma once

#include "colour_value.h"
#include "point_colours.h"

#include <cstddef>
#include <cstdint>

// The wide level arithmetic: four points and their four mirror images at a time, in
// 256-bit registers, with the same IEEE operations in the same grouping as the plain
// arithmetic. Built for x86-64 alone, and called only where the processor has AVX2.
void colourMirroredPointsWide(const PointTerms& terms, const std::uint16_t* radiusIndices,
                              const std::uint16_t* slopeIndices, std::size_t count,
                              ColourValue* colours, ColourValue* mirrorColours);
