#include "pattern_plot.h"

#include "channel_level.h"
#include "colour_mode.h"
#include "grid_tables.h"
#include "pixel_colour.h"
#include "pixel_state.h"
#include "plane_coordinates.h"
#include "point_colours.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <new>
#include <optional>
#include <vector>

namespace {

using plane::centreIndex;
using plane::lastIndex;

constexpr std::size_t columnLength = lastIndex + 1;

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
    std::vector<ColourValue> left;  // the colours of columns 0..249, in scan order
};

// The pattern's terms and partial sums, or nothing where the shared tables do not serve.
std::optional<PointTerms> passTerms(const PatternParameters& parameters, GridTables& tables,
                                    PassMemory& memory) {
    PointTerms terms{channelTerms(parameters), colourMode(parameters), nullptr, {}};
    memory.radialSums.clear();
    memory.left.clear();
    try {
        for (std::size_t channel = 0; channel < 3; ++channel) {
            const ChannelTerms& rule = terms.channels[channel];
            const std::optional<int> folds = wholeFoldCount(rule.foldCount);
            if (!folds) {
                return std::nullopt;
            }
            terms.angularTerms[channel] = tables.angularTerms(rule.angularWave, *folds).data();
        }
        memory.radialSums.reserve(3 * tables.radii().size());
        memory.left.reserve(centreIndex * columnLength);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    // A channel the mode shows at a fixed level needs no radial terms: its computed level is
    // never shown.
    for (const double r : tables.radii()) {
        for (std::size_t channel = 0; channel < 3; ++channel) {
            const ChannelTerms& rule = terms.channels[channel];
            memory.radialSums.push_back(terms.mode.fixed[channel] ? 0.0 : radialSum(rule, r));
        }
    }
    terms.radialSums = memory.radialSums.data();
    return terms;
}

void plotOrPassOver(Canvas& canvas, int X, int Y, ColourValue colour) {
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
    const LevelArithmetic arithmetic = passArithmetic();
    // A column rounded up to whole groups of lanes; the places beyond it name radius and
    // angle 0, and their colours are never plotted.
    constexpr std::size_t paddedColumn = (columnLength + wideLanes - 1) / wideLanes * wideLanes;
    std::array<std::uint32_t, paddedColumn> radiusIndices{};
    std::array<std::uint32_t, paddedColumn> angleIndices{};
    std::array<ColourValue, paddedColumn> column{};
    for (int X = 0; X <= lastIndex; ++X) {
        if (X <= centreIndex) {
            // The centre column's carried angle is in its angle index, so every lane reads
            // whatever index its point has.
            for (std::size_t Y = 0; Y < columnLength; ++Y) {
                const int row = static_cast<int>(Y);
                radiusIndices[Y] = static_cast<std::uint32_t>(tables.radiusIndex(X, row));
                angleIndices[Y] = static_cast<std::uint32_t>(tables.angleIndex(X, row));
            }
            colourPoints(arithmetic, *terms, radiusIndices.data(), angleIndices.data(),
                         paddedColumn, column.data());
            if (X < centreIndex) {
                memory.left.insert(memory.left.end(), column.begin(),
                                   column.begin() + columnLength);
            }
        } else {
            // A half turn about the centre negates x and y, which leaves the radius and
            // y / x as they were, so the right half repeats the left turned over. Only on
            // the centre row does y / x change, from -0 to +0, and there the point is worked
            // out again.
            const ColourValue* turned =
                &memory.left[static_cast<std::size_t>(lastIndex - X) * columnLength];
            for (std::size_t Y = 0; Y < columnLength; ++Y) {
                column[Y] = turned[lastIndex - Y];
            }
            radiusIndices[0] = static_cast<std::uint32_t>(tables.radiusIndex(X, centreIndex));
            angleIndices[0] = static_cast<std::uint32_t>(tables.angleIndex(X, centreIndex));
            colourPoints(LevelArithmetic::Plain, *terms, radiusIndices.data(), angleIndices.data(),
                         1, &column[centreIndex]);
        }
        for (std::size_t Y = 0; Y < columnLength; ++Y) {
            plotOrPassOver(canvas, X, static_cast<int>(Y), column[Y]);
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
