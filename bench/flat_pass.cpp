// The floor of a press: linked into the program in place of the engine's plotting, so that
// its pass plots one flat colour at every point, in scan order, instead of working the rule
// out. The colour comes from the pattern's gains, so that each press shows. Everything else is the
// program's own: the reseed, the draws, the 251,001 plots, the repaint. The engine's definitions
// are then never linked in.

#include "table_pass.h"

#include <cstdint>

namespace {

constexpr int lastIndex = 500;

void plotFlat(const PatternParameters& parameters, Canvas& canvas) {
    const auto level = [](float gain) {
        return static_cast<std::int16_t>(gain);
    };
    const ColourValue flatColour =
        packRgb(level(parameters.c1), level(parameters.c2), level(parameters.c3));
    for (int X = 0; X <= lastIndex; ++X) {
        for (int Y = 0; Y <= lastIndex; ++Y) {
            try {
                canvas.plot(X, Y, flatColour);
            } catch (...) {
            }
        }
    }
}

} // namespace

void plotPattern(const PatternParameters& parameters, GridTables& /*tables*/, Canvas& canvas) {
    plotFlat(parameters, canvas);
}

void plotPointByPoint(const PatternParameters& parameters, Canvas& canvas) {
    plotFlat(parameters, canvas);
}
