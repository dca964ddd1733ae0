#include "pattern_parameters.h"
#include "scripted_random_source.h"

#include <cmath>

#include <gtest/gtest.h>

namespace {

PatternParameters drawnFrom(std::vector<float> uniforms) {
    ScriptedRandomSource source(std::move(uniforms));
    return drawPatternParameters(source);
}

PatternParameters drawnFromOneValue(float u) {
    return drawnFrom({u});
}

constexpr float largestBelowOne = 1.0F - 0x1p-24F;
constexpr float nextBelowThat = 1.0F - 0x1p-23F;

} // namespace

TEST(ParameterDraw, TakesTenValuesInFieldOrder) {
    const PatternParameters p =
        drawnFrom({0.0F, 0.5F, 0.25F, 0.05F, 0.15F, 0.95F, 0.5F, 0.125F, 0.75F, 0.5F});
    EXPECT_EQ(p.a1, 5.0F);
    EXPECT_EQ(p.a2, 7.5F);
    EXPECT_EQ(p.a3, 6.25F);
    EXPECT_EQ(p.n1, 2.0F);
    EXPECT_EQ(p.n2, 3.0F);
    EXPECT_EQ(p.n3, 11.0F);
    EXPECT_EQ(p.c1, 128.0F);
    EXPECT_EQ(p.c2, 32.0F);
    EXPECT_EQ(p.c3, 192.0F);
    EXPECT_EQ(p.mode, 4.0F);
}

TEST(ParameterDraw, ZeroGivesTheLowestOfEveryRange) {
    const PatternParameters p = drawnFromOneValue(0.0F);
    EXPECT_EQ(p.a1, 5.0F);
    EXPECT_EQ(p.n1, 2.0F);
    EXPECT_EQ(p.c1, 0.0F);
    EXPECT_EQ(p.mode, 1.0F);
}

TEST(ParameterDraw, TheLargestValueBelowOneGivesTheHighestOfEveryRange) {
    const PatternParameters p = drawnFromOneValue(largestBelowOne);
    EXPECT_EQ(p.a1, 10.0F);
    EXPECT_EQ(p.n1, 11.0F);
    EXPECT_EQ(p.c1, 255.99998474121094F);
    EXPECT_EQ(p.mode, 7.0F);
}

TEST(ParameterDraw, RatesAreRoundedToSingleOnce) {
    EXPECT_EQ(drawnFromOneValue(nextBelowThat).a1, 9.999999046325684F);
    EXPECT_EQ(drawnFromOneValue(0x1p-30F).a1, 5.0F);
}

TEST(ParameterDraw, WholeNumbersAreFlooredFromTheExactValue) {
    // 0.9 * 10 + 2 is 10.999999761581421 exactly; rounding it to single first would give 11.
    const PatternParameters p = drawnFromOneValue(0.8999999761581421F);
    EXPECT_EQ(p.n1, 10.0F);
    EXPECT_EQ(drawnFromOneValue(std::nextafter(1.0F / 7.0F, 0.0F)).mode, 1.0F);
}

TEST(ParameterDraw, EveryFoldCountAndModeIsReachable) {
    for (int n = 2; n <= 11; ++n) {
        const auto u = static_cast<float>((n - 2 + 0.5) / 10.0);
        EXPECT_EQ(drawnFromOneValue(u).n2, static_cast<float>(n)) << "u = " << u;
    }
    for (int mode = 1; mode <= 7; ++mode) {
        const auto u = static_cast<float>((mode - 1 + 0.5) / 7.0);
        EXPECT_EQ(drawnFromOneValue(u).mode, static_cast<float>(mode)) << "u = " << u;
    }
}
