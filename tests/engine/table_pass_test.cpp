// The drawing pass works its colours out from shared tables; every colour must still be
// the colour rule's own, bit for bit, at every point and in every pattern.

#include "drawing_pass.h"
#include "example_patterns.h"
#include "grid_digest.h"
#include "grid_tables.h"
#include "math_library.h"
#include "pattern_parameters.h"
#include "pixel_colour.h"
#include "plane_coordinates.h"
#include "point_colours.h"
#include "recording_window.h"
#include "scripted_random_source.h"
#include "table_pass.h"
#include "table_warm_up.h"
#ifndef PATTERN_NO_THREADS
#include "table_warm_up_threads.h"
#endif

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdlib>
#include <random>
#include <set>
#include <string_view>

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
        ASSERT_EQ(plot.X, static_cast<int>(point / plane::gridSide)) << "point " << point;
        ASSERT_EQ(plot.Y, static_cast<int>(point % plane::gridSide)) << "point " << point;
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

// Two hundred and ten parameter sets, in seven groups of thirty that can run side by side.
constexpr int parameterSets = 210;
constexpr int parameterSetsPerGroup = 30;

class TablePassOverParameterSets : public testing::TestWithParam<int> {};

} // namespace

TEST(TablePass, ParameterSetsReachEveryFoldCountModeAndEdge) {
    std::array<std::set<float>, 3> foldCounts;
    std::set<float> modes;
    std::set<float> rates;
    std::set<float> gains;
    bool equalFoldCounts = false;
    bool equalRates = false;
    for (const std::vector<float>& script : parameterScripts(parameterSets)) {
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
}

TEST_P(TablePassOverParameterSets, EqualsTheRuleAtEveryPoint) {
    const std::vector<std::vector<float>> scripts = parameterScripts(parameterSets);
    const int first = GetParam() * parameterSetsPerGroup;
    for (int i = first; i < first + parameterSetsPerGroup; ++i) {
        SCOPED_TRACE("parameter set " + std::to_string(i));
        expectPassEqualsTheRule(scripts[static_cast<std::size_t>(i)]);
        if (HasFatalFailure()) {
            return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(GroupOfThirty, TablePassOverParameterSets,
                         testing::Range(0, parameterSets / parameterSetsPerGroup));

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

// A channel the mode fixes is never shown, so a pass builds no angular table for it.
TEST(TablePass, BuildsNoTableForAChannelTheModeFixes) {
    // Mode 5 fixes red and green; blue takes the cosine of 4 folds.
    ScriptedRandomSource source({0.3F, 0.6F, 0.9F, foldCountDraw(2), foldCountDraw(3),
                                 foldCountDraw(4), 0.4F, 0.7F, 0.2F, modeDraw(5)});
    const PatternParameters parameters = drawPatternParameters(source);
    GridTables tables;
    const std::size_t anglesOnly = tables.bytes();
    Journal journal;
    RecordingWindow canvas(journal);
    plotPattern(parameters, tables, canvas);
    EXPECT_EQ(tables.bytes(), anglesOnly + (tables.slopeAngles().size() * sizeof(double)));
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

// Gains no draw gives, handed to the pass: levels just inside the 32-bit range, which the
// pass knows need no clamp, and levels beyond it or NaN, which do.
TEST(TablePass, GainsFarBeyondTheDrawnRangeStillGiveTheRulesColours) {
    ScriptedRandomSource source({0.3F, 0.6F, 0.9F, foldCountDraw(4), foldCountDraw(7),
                                 foldCountDraw(9), 0.4F, 0.7F, 0.2F, modeDraw(1)});
    const PatternParameters drawn = drawPatternParameters(source);
    const std::array<std::array<float, 3>, 3> gainSets = {
        {{4.0e7F, -4.0e7F, 3.0e7F}, {3.0e9F, 100.0F, 200.0F}, {100.0F, -1.0e30F, std::nanf("")}}};
    for (const std::array<float, 3>& gains : gainSets) {
        PatternParameters parameters = drawn;
        parameters.c1 = gains[0];
        parameters.c2 = gains[1];
        parameters.c3 = gains[2];
        Journal journal;
        RecordingWindow canvas(journal);
        plotPattern(parameters, GridTables::shared(), canvas);
        expectPlotsEqualTheRule(journal, 0, parameters);
    }
}

namespace {

// C libraries whose functions break the symmetries the tables take: an arctangent one unit
// in the last place off for negative arguments, as two libraries' may differ, and all three
// functions far off there, enough to move levels.
double atanAnUlpOffBelowZero(double v) {
    const double t = std::atan(v);
    return v < 0.0 ? std::nextafter(t, 0.0) : t;
}
double atanFarOffBelowZero(double v) {
    return v < 0.0 ? std::atan(v) + 1e-3 : std::atan(v);
}
double sinFarOffBelowZero(double v) {
    return v < 0.0 ? std::sin(v) + 1e-3 : std::sin(v);
}
double cosFarOffBelowZero(double v) {
    return v < 0.0 ? std::cos(v) * (1.0 - 1e-3) : std::cos(v);
}

// Puts a library in place for a test's length.
class MathLibraryInPlace {
public:
    explicit MathLibraryInPlace(const MathLibrary& library) { useMathLibrary(library); }
    MathLibraryInPlace(const MathLibraryInPlace&) = delete;
    MathLibraryInPlace& operator=(const MathLibraryInPlace&) = delete;
    ~MathLibraryInPlace() { useMathLibrary(cLibraryMath()); }
};

} // namespace

// Under a library that breaks each symmetry, the tables notice as they are built and the
// pass, on either arithmetic, still gives the rule's colours as that library makes them.
TEST(TablePass, EqualsTheRuleUnderALibraryWithoutTheSymmetries) {
    const MathLibrary c = cLibraryMath();
    const PatternParameters parameters = secondExample(180.0F);
    const std::vector<ColourValue> ownColours = gridColours(parameters);
    const LevelArithmetic chosen = passArithmetic();
    for (const MathLibrary& library :
         {MathLibrary{c.sqrt, atanAnUlpOffBelowZero, c.sin, c.cos},
          MathLibrary{c.sqrt, atanFarOffBelowZero, sinFarOffBelowZero, cosFarOffBelowZero}}) {
        const MathLibraryInPlace inPlace(library);
        GridTables tables;
        bool negatedAnglesOfTheirOwn = false;
        for (std::size_t s = 0; s < tables.slopeAngles().size(); ++s) {
            negatedAnglesOfTheirOwn =
                negatedAnglesOfTheirOwn || tables.angle((2 * s) + 1) != -tables.angle(2 * s);
        }
        EXPECT_TRUE(negatedAnglesOfTheirOwn) << "the tables took the arctangent to be odd";
        const std::vector<ColourValue> expected = gridColours(parameters);
        if (library.sin == sinFarOffBelowZero) {
            EXPECT_NE(expected, ownColours) << "the library moved no level";
        }
        for (const LevelArithmetic arithmetic : {LevelArithmetic::Plain, LevelArithmetic::Wide}) {
            choosePassArithmetic(arithmetic);
            Journal journal;
            RecordingWindow canvas(journal);
            plotPattern(parameters, tables, canvas);
            expectPlotsEqualTheRule(journal, 0, parameters);
        }
        choosePassArithmetic(chosen);
    }
}

// With PATTERN_TEST_ARITHMETIC=plain the whole suite runs on the plain arithmetic, as it
// does on processors without AVX2; otherwise on the widest this one offers.
const bool plainArithmeticChosen = [] {
    const char* chosen = std::getenv("PATTERN_TEST_ARITHMETIC");
    const bool plain = chosen != nullptr && std::string_view(chosen) == "plain";
    if (plain) {
        choosePassArithmetic(LevelArithmetic::Plain);
    }
    return plain;
}();

TEST(TablePass, TakesTheArithmeticChosenForTheRun) {
    bool wideExpected = false;
#ifdef __x86_64__
    // GCC gives an int and clang a bool.
    // NOLINTNEXTLINE(readability-redundant-casting)
    wideExpected = !plainArithmeticChosen && static_cast<bool>(__builtin_cpu_supports("avx2"));
#endif
    EXPECT_EQ(passArithmetic() == LevelArithmetic::Wide, wideExpected);
}

// Step by step, as a page builds them between frames, the warm-up builds every table a
// pass may ask for, and then ends.
TEST(TableWarmUp, StepsBuildEveryTableAndThenEnd) {
    GridTables tables;
    int steps = 0;
    while (warmUpStep(tables, steps)) {
        ++steps;
    }
    const std::size_t warmed = tables.bytes();
    for (const Wave kind : {Wave::Sine, Wave::Cosine}) {
        for (int n = GridTables::fewestFolds; n <= GridTables::mostFolds; ++n) {
            tables.angularTerms(kind, n);
        }
    }
    EXPECT_EQ(tables.bytes(), warmed) << "a table was left for the passes to build";
    EXPECT_FALSE(warmUpStep(tables, -1));
}

#ifndef PATTERN_NO_THREADS
// The warm-up thread builds the tables a pass may be asking for at the same moment: the
// pass's colours are the rule's whoever builds each table, and a stop ends the warm-up
// before its next table. The test command's tsan stage runs it under ThreadSanitizer, which
// sees a pass that reads a table another thread is still building.
TEST(TableWarmUp, RacingAPassForItsTablesGivesTheRulesColours) {
    ScriptedRandomSource source({0.3F, 0.6F, 0.9F, foldCountDraw(2), foldCountDraw(2),
                                 foldCountDraw(3), 0.4F, 0.7F, 0.2F, modeDraw(1)});
    const PatternParameters parameters = drawPatternParameters(source);
    for (int round = 0; round < 3; ++round) {
        GridTables tables;
        Journal journal;
        RecordingWindow canvas(journal);
        std::jthread warming([&tables](const std::stop_token& stop) { warmUp(tables, stop); });
        plotPattern(parameters, tables, canvas);
        warming.join();
        expectPlotsEqualTheRule(journal, 0, parameters);
    }

    GridTables stopped;
    const std::size_t geometryBytes = stopped.bytes();
    std::stop_source stop;
    stop.request_stop();
    warmUp(stopped, stop.get_token());
    EXPECT_EQ(stopped.bytes(), geometryBytes);
}
#endif
