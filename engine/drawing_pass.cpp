#include "drawing_pass.h"

#include "pattern_parameters.h"
#include "pixel_colour.h"
#include "pixel_state.h"
#include "random_source.h"

#include <cstdint>

namespace {

constexpr std::int16_t lastIndex = 500;

} // namespace

void DrawPattern(DrawingWindow& window) {
    RandomSource& source = randomSource();
    source.reseed(source.timeOfDaySeconds());

    // From here on a step that fails is abandoned and the pass goes on with the next one,
    // so a misbehaving window costs at most the pixels it failed to set.
    try {
        window.clearWindowDrawing();
    } catch (...) {
    }
    const PatternParameters parameters = drawPatternParameters(source);
    PixelState state;
    Canvas& canvas = window.canvas();
    for (std::int16_t X = 0; X <= lastIndex; ++X) {
        for (std::int16_t Y = 0; Y <= lastIndex; ++Y) {
            const ColourValue colour = PixelColour(X, Y, parameters, state);
            try {
                canvas.plot(X, Y, colour);
            } catch (...) {
            }
        }
    }
}
