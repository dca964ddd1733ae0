// The pass's level arithmetic, wide and plain, compared directly.

#include "channel_level.h"
#include "colour_mode.h"
#include "example_patterns.h"
#include "pattern_parameters.h"
#include "point_colours.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

// A regrouped sum or a different rounding in the wide arithmetic can hide from the
// patterns' colours, so the two arithmetics are compared directly on terms no pattern
// reaches. Red's sums cancel in the rule's grouping, so that any other grouping shows in its
// level; green's are ordinary; blue's meet ties, NaN, infinities and levels beyond the
// 32-bit range. Every mode runs; in every other one red and green have terms of their own at
// the negated angles, as under a C library without the symmetries.
TEST(PointColours, WideAndPlainArithmeticGiveTheSameColours) {
    if (widestLevelArithmetic() != LevelArithmetic::Wide) {
        GTEST_SKIP() << "this processor has no wide arithmetic";
    }
    constexpr std::size_t count = 1 << 14;
    std::mt19937_64 generator(20261208U);
    std::uniform_real_distribution<double> term(-12.0, 12.0);
    const std::array<double, 9> edges = {0.5,      2.5,       -0.5, 255.5, std::nan(""),
                                         HUGE_VAL, -HUGE_VAL, 3e9,  -3e9};
    std::vector<double> radialSums;
    std::array<std::vector<double>, 3> angularTerms;
    for (std::size_t i = 0; i < count; ++i) {
        radialSums.push_back(1e16 + (4.0 * term(generator)));
        radialSums.push_back(term(generator));
        radialSums.push_back(edges.at(i % edges.size()));
        for (std::vector<double>& channel : angularTerms) {
            channel.push_back(term(generator) / 12.0);
        }
    }
    std::vector<std::uint16_t> radiusIndices(count);
    std::vector<std::uint16_t> slopeIndices(count);
    for (std::size_t i = 0; i < count; ++i) {
        radiusIndices[i] = static_cast<std::uint16_t>(generator() % count);
        slopeIndices[i] = static_cast<std::uint16_t>(generator() % (count / 2));
    }
    for (int mode = 1; mode <= 7; ++mode) {
        PatternParameters parameters = workedExample(static_cast<float>(mode));
        PointTerms terms{channelTerms(parameters),
                         colourMode(parameters),
                         radialSums.data(),
                         {angularTerms[0].data(), angularTerms[1].data(), angularTerms[2].data()},
                         {}};
        if (mode % 2 == 0) {
            terms.negatedAngularTerms = {angularTerms[2].data(), angularTerms[0].data(), nullptr};
        }
        terms.channels[0].gain = 1.0;
        terms.channels[0].angularOffset = -1e16;
        terms.channels[1].gain = 255.5;
        terms.channels[2].gain = 1.0;
        terms.channels[2].angularOffset = 0.0;
        std::array<std::vector<ColourValue>, 2> plain{std::vector<ColourValue>(count),
                                                      std::vector<ColourValue>(count)};
        std::array<std::vector<ColourValue>, 2> wide = plain;
        colourMirroredPoints(LevelArithmetic::Plain, terms, radiusIndices.data(),
                             slopeIndices.data(), count, plain[0].data(), plain[1].data());
        colourMirroredPoints(LevelArithmetic::Wide, terms, radiusIndices.data(),
                             slopeIndices.data(), count, wide[0].data(), wide[1].data());
        ASSERT_EQ(wide, plain) << "mode " << mode;
    }
}
