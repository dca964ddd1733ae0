#include "pattern_plot.h"

#include "channel_level.h"
#include "colour_mode.h"
#include "grid_tables.h"
#include "pixel_colour.h"
#include "pixel_state.h"
#include "plane_coordinates.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <new>
#include <optional>
#include <vector>

namespace {

using plane::centreIndex;
using plane::lastIndex;

constexpr std::size_t scanIndex(int X, int Y) {
    return static_cast<std::size_t>(X) * (lastIndex + 1) + static_cast<std::size_t>(Y);
}

// The radial partial sums of red, green and blue at one distinct radius, side by side so
// that a point reads them from one place.
using RadialSums = std::array<double, 3>;

// What one pattern needs beyond the shared tables. It lives for one pass only.
struct PassTerms {
    std::array<ChannelTerms, 3> channels;
    ColourMode mode;
    std::vector<RadialSums> radial;         // by radius index
    std::array<const double*, 3> angular{}; // the channels' angular terms, by angle index
    std::vector<ColourValue> left;          // the colours of columns 0..249, in scan order
};

std::optional<int> wholeFoldCount(double foldCount) {
    if (!(foldCount >= GridTables::fewestFolds && foldCount <= GridTables::mostFolds) ||
        foldCount != std::floor(foldCount)) {
        return std::nullopt;
    }
    return static_cast<int>(foldCount);
}

// The pattern's partial sums, or nothing where the shared tables do not serve.
std::optional<PassTerms> passTerms(const PatternParameters& parameters, GridTables& tables) {
    PassTerms terms{channelTerms(parameters), colourMode(parameters), {}, {}, {}};
    try {
        for (std::size_t channel = 0; channel < 3; ++channel) {
            const ChannelTerms& rule = terms.channels[channel];
            const std::optional<int> folds = wholeFoldCount(rule.foldCount);
            if (!folds) {
                return std::nullopt;
            }
            terms.angular[channel] = tables.angularTerms(rule.angularWave, *folds).data();
        }
        terms.radial.reserve(tables.radii().size());
        terms.left.reserve(static_cast<std::size_t>(centreIndex) * (lastIndex + 1));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    // A channel the mode shows at a fixed level needs no radial terms: its computed level is
    // never shown.
    const auto radial = [&terms](std::size_t channel, double r) {
        return terms.mode.fixed[channel] ? 0.0 : radialSum(terms.channels[channel], r);
    };
    for (const double r : tables.radii()) {
        terms.radial.push_back({radial(0, r), radial(1, r), radial(2, r)});
    }
    return terms;
}

ColourValue colourAt(const PassTerms& terms, const GridTables& tables, int X, int Y) {
    const RadialSums& radial = terms.radial[tables.radiusIndex(X, Y)];
    const std::size_t angle = tables.angleIndex(X, Y);
    const auto level = [&](std::size_t channel) {
        const ChannelTerms& rule = terms.channels[channel];
        return channelLevel(rule, radial[channel], angularSum(rule, terms.angular[channel][angle]));
    };
    return modeColour(terms.mode, level(0), level(1), level(2));
}

void plotOrPassOver(Canvas& canvas, int X, int Y, ColourValue colour) {
    try {
        canvas.plot(X, Y, colour);
    } catch (...) {
    }
}

} // namespace

void plotPattern(const PatternParameters& parameters, GridTables& tables, Canvas& canvas) {
    std::optional<PassTerms> terms = passTerms(parameters, tables);
    if (!terms) {
        plotPointByPoint(parameters, canvas);
        return;
    }
    for (int X = 0; X <= lastIndex; ++X) {
        for (int Y = 0; Y <= lastIndex; ++Y) {
            // A half turn about the centre negates x and y, which leaves the radius and
            // y / x as they were, so the right half repeats the left. Only on the centre row
            // does y / x change, from -0 to +0, and there each point is worked out again.
            const bool mirrored = X > centreIndex && Y != centreIndex;
            const ColourValue colour = mirrored
                                           ? terms->left[scanIndex(lastIndex - X, lastIndex - Y)]
                                           : colourAt(*terms, tables, X, Y);
            if (X < centreIndex) {
                terms->left.push_back(colour);
            }
            plotOrPassOver(canvas, X, Y, colour);
        }
    }
}

void plotPointByPoint(const PatternParameters& parameters, Canvas& canvas) {
    PixelState state;
    for (std::int16_t X = 0; X <= lastIndex; ++X) {
        for (std::int16_t Y = 0; Y <= lastIndex; ++Y) {
            plotOrPassOver(canvas, X, Y, PixelColour(X, Y, parameters, state));
        }
    }
}
