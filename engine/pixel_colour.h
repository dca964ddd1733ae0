#pragma once

#include "colour_value.h"
#include "pattern_parameters.h"
#include "pixel_state.h"

#include <cstdint>

// The colour of grid point (X, Y), both 0..500, of the pattern fixed by parameters.
// Leaves the point's working values in state; the angle t is read from state where it
// cannot be computed, so a pass hands the same state from point to point.
ColourValue PixelColour(std::int16_t X, std::int16_t Y, const PatternParameters& parameters,
                        PixelState& state);
