#include "pixel_colour.h"

#include "channel_level.h"
#include "colour_mode.h"
#include "math_library.h"
#include "plane_coordinates.h"

ColourValue PixelColour(std::int16_t X, std::int16_t Y, const PatternParameters& parameters,
                        PixelState& state) {
    state.x = plane::x(X);
    state.y = plane::y(Y);
    state.r = mathLibrary().sqrt(state.x * state.x + state.y * state.y);
    // On the centre column x is 0 and y / x has no value, so the angle of the point before
    // is kept.
    if (X != plane::centreIndex) {
        state.t = mathLibrary().atan(state.y / state.x);
    }

    const auto [red, green, blue] = channelTerms(parameters);
    const auto level = [&state](const ChannelTerms& channel) {
        return channelLevel(channel, radialSum(channel, state.r),
                            angularTerm(channel.angularWave, channel.foldCount, state.t));
    };
    state.R = level(red);
    state.G = level(green);
    state.B = level(blue);
    return modeColour(colourMode(parameters), state.R, state.G, state.B);
}
