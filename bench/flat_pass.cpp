#include "flat_pass.h"

#include "colour_value.h"
#include "plane_coordinates.h"

#include <cstdint>

void plotFlat(const PatternParameters& parameters, Canvas& canvas) {
    const auto level = [](float gain) {
        return static_cast<std::int16_t>(gain);
    };
    const ColourValue flatColour =
        packRgb(level(parameters.c1), level(parameters.c2), level(parameters.c3));
    for (int X = 0; X <= plane::lastIndex; ++X) {
        for (int Y = 0; Y <= plane::lastIndex; ++Y) {
            try {
                canvas.plot(X, Y, flatColour);
            } catch (...) {
            }
        }
    }
}
