// The drawing pass works its colours out from shared tables; every colour must still be
// the colour rule's own, bit for bit, at every point and in every pattern.

#include "drawing_pass.h"
#include "example_patterns.h"
#include "grid_digest.h"
#include "grid_tables.h"
#include "pattern_parameters.h"
#include "pattern_plot.h"
#include "pixel_colour.h"
#include "recording_window.h"
#include "scripted_random_source.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <random>
#include <set>

#include <gtest/gtest.h>

namespace {

constexpr std::size_t pointsPerPattern = scanIndex(500, 500) + 1;
constexpr float largestBelowOne = 1.0F - 0x1p-24F;

// The uniform values that draw a fold count, a mode, a rate or a gain.
float foldCountDraw(int n) {
    return (static_cast<float>(n) - 1.5F) / 10.0F;
}
float modeDraw(int mode) {
    return (static_cast<float>(mode) - 0.5F) / 7.0F;
}

// Ten uniform values per pattern, from a fixed seed. Every fold count meets every channel,
// every mode comes round, and the edges of the ranges are mixed in: equal rates, rates of
// 5 and 10, gains of 0, 255.5 and just below 256.
std::vector<std::vector<float>> parameterScripts(int count) {
    std::mt19937 generator(20261208U);
    const auto uniform = [&generator] {
        return static_cast<float>(generator() >> 8U) * 0x1p-24F;
    };
    std::vector<std::vector<float>> scripts;
    for (int i = 0; i < count; ++i) {
        std::vector<float> u = {uniform(),
                                uniform(),
                                uniform(),
                                foldCountDraw(2 + i % 10),
                                foldCountDraw(2 + (i / 10) % 10),
                                foldCountDraw(2 + (7 * i + 3) % 10),
                                uniform(),
                                uniform(),
                                uniform(),
                                modeDraw(1 + i % 7)};
        switch (i % 6) {
        case 0:
            u[1] = u[0];
            break; // equal rates
        case 1:
            u[0] = u[1] = u[2];
            break; // all rates equal
        case 2:
            u[static_cast<std::size_t>(i % 3)] = 0.0F;
            break; // a rate of 5
        case 3:
            u[static_cast<std::size_t>(i % 3)] = largestBelowOne;
            break; // a rate of 10
        default:
            break;
        }
        switch (i % 5) {
        case 0:
            u[6 + static_cast<std::size_t>(i % 3)] = 0.0F;
            break;
        case 1:
            u[6 + static_cast<std::size_t>(i % 3)] = 255.5F / 256.0F;
            break;
        case 2:
            u[6 + static_cast<std::size_t>(i % 3)] = largestBelowOne;
            break;
        default:
            break;
        }
        scripts.push_back(std::move(u));
    }
    return scripts;
}

// Checks every plot a journal holds after its first `before` entries against the rule's
// colours for parameters, in scan order.
void expectPlotsEqualTheRule(const Journal& journal, std::size_t before,
                             const PatternParameters& parameters) {
    const std::vector<ColourValue> expected = gridColours(parameters);
    ASSERT_EQ(journal.size(), before + pointsPerPattern);
    for (std::size_t point = 0; point < pointsPerPattern; ++point) {
        const JournalEntry& plot = journal[before + point];
        ASSERT_EQ(plot.X, static_cast<int>(point / 501)) << "point " << point;
        ASSERT_EQ(plot.Y, static_cast<int>(point % 501)) << "point " << point;
        ASSERT_EQ(plot.colour, expected[point]) << "at (" << plot.X << ", " << plot.Y << ")";
    }
}

// Runs one pass drawing script and checks every plot against the rule, in scan order.
void expectPassEqualsTheRule(const std::vector<float>& script) {
    Journal journal;
    ScriptedRandomSource source(script);
    RecordingWindow window(journal);
    DrawPattern(window);

    ScriptedRandomSource sameDraws(script);
    expectPlotsEqualTheRule(journal, 1, drawPatternParameters(sameDraws));
}

} // namespace

TEST(TablePass, EqualsTheRuleAtEveryPointForTwoHundredAndTenParameterSets) {
    const std::vector<std::vector<float>> scripts = parameterScripts(210);

    // The scripts reach what they claim to.
    std::array<std::set<float>, 3> foldCounts;
    std::set<float> modes;
    std::set<float> rates;
    std::set<float> gains;
    bool equalFoldCounts = false;
    bool equalRates = false;
    for (const std::vector<float>& script : scripts) {
        ScriptedRandomSource source(script);
        const PatternParameters p = drawPatternParameters(source);
        foldCounts[0].insert(p.n1);
        foldCounts[1].insert(p.n2);
        foldCounts[2].insert(p.n3);
        modes.insert(p.mode);
        rates.insert({p.a1, p.a2, p.a3});
        gains.insert({p.c1, p.c2, p.c3});
        equalFoldCounts = equalFoldCounts || p.n1 == p.n2 || p.n2 == p.n3 || p.n1 == p.n3;
        equalRates = equalRates || p.a1 == p.a2;
    }
    for (const std::set<float>& channel : foldCounts) {
        EXPECT_EQ(channel.size(), 10U);
    }
    EXPECT_EQ(modes.size(), 7U);
    EXPECT_TRUE(equalFoldCounts);
    EXPECT_TRUE(equalRates);
    EXPECT_TRUE(rates.contains(5.0F) && rates.contains(10.0F));
    EXPECT_TRUE(gains.contains(0.0F) && gains.contains(255.5F) &&
                gains.contains(largestBelowOne * 256.0F));

    for (std::size_t i = 0; i < scripts.size(); ++i) {
        SCOPED_TRACE("parameter set " + std::to_string(i));
        expectPassEqualsTheRule(scripts[i]);
        if (HasFatalFailure()) {
            return;
        }
    }
}

TEST(TablePass, PassesInARowWithOtherFoldCountsEachEqualTheRule) {
    const std::vector<float> low = {
        0.1F, 0.2F, 0.3F, foldCountDraw(2), foldCountDraw(3), foldCountDraw(4),
        0.4F, 0.5F, 0.6F, modeDraw(1)};
    std::vector<float> high = low;
    high[3] = foldCountDraw(11);
    high[4] = foldCountDraw(10);
    high[5] = foldCountDraw(2);
    expectPassEqualsTheRule(low);
    expectPassEqualsTheRule(high);
    expectPassEqualsTheRule(low);
}

// A scripted source may hand out values the system's never does; the pass then works
// every point out on its own, with the same result as the rule.
TEST(TablePass, DrawsOutsideTheRangesStillGiveTheRulesColours) {
    expectPassEqualsTheRule({1.5F});                     // fold counts of 17, mode 11
    expectPassEqualsTheRule({0.5F, 0.5F, 0.5F, -0.05F}); // fold counts of 1 (1.5, floored)
}

// A fold count that is not a whole number never comes from a draw; handed to the pass, it
// has no angular table, and the pass works every point out by the rule.
TEST(TablePass, FoldCountsThatAreNotWholeNumbersFallBackToTheRule) {
    for (const float foldCount : {2.5F, 10.5F}) {
        ScriptedRandomSource source({0.3F, 0.6F, 0.9F, foldCountDraw(4), foldCountDraw(7),
                                     foldCountDraw(9), 0.4F, 0.7F, 0.2F, modeDraw(7)});
        PatternParameters parameters = drawPatternParameters(source);
        parameters.n2 = foldCount;
        Journal journal;
        RecordingWindow canvas(journal);
        plotPattern(parameters, GridTables::shared(), canvas);
        expectPlotsEqualTheRule(journal, 0, parameters);
    }
}

TEST(GridTables, HoldTheRulesOwnRadiusAndAngleAtEveryPoint) {
    const GridTables& tables = GridTables::shared();
    PixelState state;
    for (std::int16_t X = 0; X <= 500; ++X) {
        for (std::int16_t Y = 0; Y <= 500; ++Y) {
            PixelColour(X, Y, workedExample(1.0F), state);
            const double r = tables.radii()[tables.radiusIndex(X, Y)];
            const double t = tables.angles()[tables.angleIndex(X, Y)];
            ASSERT_EQ(std::bit_cast<std::uint64_t>(r), std::bit_cast<std::uint64_t>(state.r))
                << "at (" << X << ", " << Y << ")";
            ASSERT_EQ(std::bit_cast<std::uint64_t>(t), std::bit_cast<std::uint64_t>(state.t))
                << "at (" << X << ", " << Y << ")";
        }
    }
}

TEST(GridTables, StayWithinTheirCeilingWithEveryTableBuiltAndNeverChange) {
    GridTables tables;
    const std::vector<double>& first = tables.angularTerms(Wave::Cosine, 7);
    const std::vector<double> copy = first;
    for (const Wave kind : {Wave::Sine, Wave::Cosine}) {
        for (int n = GridTables::fewestFolds; n <= GridTables::mostFolds; ++n) {
            EXPECT_EQ(tables.angularTerms(kind, n).size(), tables.angles().size());
        }
    }
    EXPECT_LE(tables.bytes(), GridTables::byteCeiling);
    EXPECT_EQ(&tables.angularTerms(Wave::Cosine, 7), &first);
    EXPECT_EQ(first, copy);
    // A table per point instead of per distinct value would not fit.
    EXPECT_LT(tables.radii().size(), 30000U);
    EXPECT_LT(tables.angles().size(), 100000U);
}

// Multiplying by the reciprocal of the scale instead of dividing by it changes x and y in
// the last bit on 128 of the 501 columns and rows; no colour of the example patterns shows
// it, so the coordinates are checked themselves.
TEST(PlaneCoordinates, AreDividedByTheScaleNotMultipliedByItsReciprocal) {
    constexpr double scale = 500.0 / 6.0;
    constexpr double reciprocal = 6.0 / 500.0;
    int columnsThatDiffer = 0;
    int firstThatDiffers = -1;
    PixelState state;
    for (std::int16_t index = 0; index <= 500; ++index) {
        PixelColour(index, index, workedExample(1.0F), state);
        EXPECT_EQ(state.x, (index - 250.0) / scale) << index;
        EXPECT_EQ(state.y, (250.0 - index) / scale) << index;
        if (state.x != (index - 250.0) * reciprocal) {
            ++columnsThatDiffer;
            firstThatDiffers = firstThatDiffers < 0 ? index : firstThatDiffers;
        }
    }
    EXPECT_EQ(columnsThatDiffer, 128);
    EXPECT_EQ(firstThatDiffers, 6);
}
