#include "table_pass.h"

#include "channel_level.h"
#include "colour_mode.h"
#include "grid_tables.h"
#include "pixel_colour.h"
#include "pixel_state.h"
#include "plane_coordinates.h"
#include "point_colours.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <optional>
#include <span>
#include <vector>

namespace {

using plane::centreIndex;
using plane::lastIndex;

std::optional<int> wholeFoldCount(double foldCount) {
    if (!(foldCount >= GridTables::fewestFolds && foldCount <= GridTables::mostFolds) ||
        foldCount != std::floor(foldCount)) {
        return std::nullopt;
    }
    return static_cast<int>(foldCount);
}

// The working memory of a pass. Each thread keeps its own from pass to pass, so that a
// press does not wait for fresh pages; every pass overwrites all that it reads, and no pass
// starts inside another on the same thread.
struct PassMemory {
    std::vector<double> radialSums; // red, green and blue per distinct radius
    // The colours of rows 0..250 of columns 0..249, laid out as the tables' indices are,
    // and at the same places the colours of their mirror images, rows 500..250.
    std::vector<ColourValue> upper;
    std::vector<ColourValue> lower;
};

// The pattern's terms and partial sums, or nothing where the shared tables do not serve.
std::optional<PointTerms> passTerms(const PatternParameters& parameters, GridTables& tables,
                                    PassMemory& memory) {
    PointTerms terms{channelTerms(parameters), colourMode(parameters), nullptr, {}, {}};
    const std::span<const double> radii = GridTables::radii();
    try {
        for (std::size_t channel = 0; channel < 3; ++channel) {
            const ChannelTerms& rule = terms.channels[channel];
            const std::optional<int> folds = wholeFoldCount(rule.foldCount);
            if (!folds) {
                return std::nullopt;
            }
            // A channel the mode fixes needs no table: its level is never shown.
            if (!terms.mode.fixed[channel]) {
                const GridTables::AngularTerms& table =
                    tables.angularTerms(rule.angularWave, *folds);
                terms.angularTerms[channel] = table.atSlopes.data();
                if (!table.atNegatedSlopes.empty()) {
                    terms.negatedAngularTerms[channel] = table.atNegatedSlopes.data();
                }
            }
        }
        memory.radialSums.resize(3 * radii.size());
        memory.upper.resize(centreIndex * GridTables::quadrantStride);
        memory.lower.resize(memory.upper.size());
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    // A channel the mode shows at a fixed level needs no radial terms: its computed level is
    // never shown.
    double* sums = memory.radialSums.data();
    for (std::size_t channel = 0; channel < 3; ++channel) {
        // A copy: the compiler cannot know that the calls into the C library leave the
        // pattern's terms as they were, and would read them again after every call.
        const ChannelTerms rule = terms.channels[channel];
        const bool fixed = terms.mode.fixed[channel];
        double* sum = sums + channel;
        for (const double r : radii) {
            *sum = fixed ? 0.0 : radialSum(rule, r);
            sum += 3;
        }
    }
    terms.radialSums = sums;
    // No sine or cosine exceeds 1, so no level exceeds |gain| * ((|rate| + 1) + (|offset| + 1)):
    // for every drawn pattern a few thousand.
    const auto inRange = [](const ChannelTerms& channel) {
        return std::fabs(channel.gain) *
                   ((std::fabs(channel.rate) + 1.0) + (std::fabs(channel.angularOffset) + 1.0)) <
               0x1p30;
    };
    // Not std::ranges::all_of, which emscripten's standard library (Debian 12's) lacks.
    // NOLINTNEXTLINE(modernize-use-ranges)
    terms.levelsInRange = std::all_of(terms.channels.begin(), terms.channels.end(), inRange);
    return terms;
}

[[gnu::always_inline]] inline void plotOrPassOver(Canvas& canvas, int X, int Y,
                                                  ColourValue colour) {
    try {
        canvas.plot(X, Y, colour);
    } catch (...) {
    }
}

} // namespace

void plotPattern(const PatternParameters& parameters, GridTables& tables, Canvas& canvas) {
    thread_local PassMemory memory;
    const std::optional<PointTerms> terms = passTerms(parameters, tables, memory);
    if (!terms) {
        plotPointByPoint(parameters, canvas);
        return;
    }
    static_assert(GridTables::quadrantStride % wideLanes == 0);
    const LevelArithmetic arithmetic = passArithmetic();
    // Where the colours of row Y of column X and of its mirror image, row 500 - Y, are.
    const auto place = [](int X, int Y) {
        return (static_cast<std::size_t>(X) * GridTables::quadrantStride) +
               static_cast<std::size_t>(Y);
    };
    for (int X = 0; X < centreIndex; ++X) {
        // Mirrored in the centre row, a point keeps its radius and the negation of its y / x.
        ColourValue* upper = &memory.upper[place(X, 0)];
        ColourValue* lower = &memory.lower[place(X, 0)];
        colourMirroredPoints(arithmetic, *terms, GridTables::radiusIndices(X),
                             GridTables::slopeIndices(X), GridTables::quadrantStride, upper, lower);
        for (int Y = 0; Y <= centreIndex; ++Y) {
            plotOrPassOver(canvas, X, Y, upper[Y]);
        }
        for (int Y = centreIndex + 1; Y <= lastIndex; ++Y) {
            plotOrPassOver(canvas, X, Y, lower[lastIndex - Y]);
        }
    }
    // The centre column carries one angle over for all its points, which pairs with no
    // mirror image's, so its points are worked out one at a time.
    for (int Y = 0; Y <= lastIndex; ++Y) {
        plotOrPassOver(canvas, centreIndex, Y,
                       pointColour(*terms, GridTables::radiusIndex(centreIndex, Y),
                                   tables.angleIndex(centreIndex, Y)));
    }
    for (int X = centreIndex + 1; X <= lastIndex; ++X) {
        // A half turn about the centre negates x and y, which leaves the radius and y / x as
        // they were, so the right half repeats the left turned over. Only on the centre row
        // does y / x change, from -0 to +0, and there the point is worked out again.
        const int turned = lastIndex - X;
        for (int Y = 0; Y < centreIndex; ++Y) {
            plotOrPassOver(canvas, X, Y, memory.lower[place(turned, Y)]);
        }
        plotOrPassOver(canvas, X, centreIndex,
                       pointColour(*terms, GridTables::radiusIndex(X, centreIndex),
                                   tables.angleIndex(X, centreIndex)));
        for (int Y = centreIndex + 1; Y <= lastIndex; ++Y) {
            plotOrPassOver(canvas, X, Y, memory.upper[place(turned, lastIndex - Y)]);
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
