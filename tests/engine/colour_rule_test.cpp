#include "channel_level.h"
#include "example_patterns.h"
#include "grid_digest.h"
#include "pixel_colour.h"

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include <gtest/gtest.h>

namespace {

// Worked-example colours at (0, 0) and (500, 500) for modes 1..7.
constexpr std::array<ColourValue, 7> cornerColours = {
    0x00F9A5C4, 0x00F9A564, 0x00F9C8C4, 0x00FFA5C4, 0x00F9C864, 0x00FFC8C4, 0x00FFA564};

constexpr double arctan250 = 1.5667963481280252;

} // namespace

// The worked example at its two corners, which a half turn about the centre maps onto each
// other: the same colour and levels in every mode, from mirrored coordinates.
TEST(ColourRule, WorkedExampleAtBothCornersInEveryMode) {
    struct Corner {
        std::int16_t index;
        double x;
        double y;
    };
    for (const Corner corner : {Corner{0, -3.0, 3.0}, Corner{500, 3.0, -3.0}}) {
        for (int mode = 1; mode <= 7; ++mode) {
            SCOPED_TRACE(testing::Message() << "corner " << corner.index << ", mode " << mode);
            PixelState state;
            EXPECT_EQ(PixelColour(corner.index, corner.index,
                                  workedExample(static_cast<float>(mode)), state),
                      cornerColours[static_cast<std::size_t>(mode - 1)]);
            EXPECT_EQ(state.x, corner.x);
            EXPECT_EQ(state.y, corner.y);
            EXPECT_EQ(state.r, 4.242640687119285);
            EXPECT_EQ(state.t, -0.7853981633974483);
            EXPECT_EQ(state.R, 196);
            EXPECT_EQ(state.G, 165);
            EXPECT_EQ(state.B, 249);
        }
    }
}

TEST(ColourRule, TheCentreColumnKeepsTheAngleOfThePointBefore) {
    const PatternParameters parameters = workedExample(1.0F);
    PixelState state;
    EXPECT_EQ(PixelColour(249, 500, parameters, state), 0x00FE0E87U);
    EXPECT_EQ(state.x, -0.012);
    EXPECT_EQ(state.t, arctan250);

    EXPECT_EQ(PixelColour(250, 0, parameters, state), 0x00FE0E87U);
    EXPECT_EQ(state.r, 3.0);
    EXPECT_EQ(state.t, arctan250);

    EXPECT_EQ(PixelColour(250, 250, parameters, state), 0x00FA8546U);
    EXPECT_EQ(state.x, 0.0);
    EXPECT_EQ(state.y, 0.0);
    EXPECT_EQ(state.r, 0.0);
    EXPECT_EQ(state.t, arctan250);
    EXPECT_EQ(state.R, 70);
    EXPECT_EQ(state.G, 133);
    EXPECT_EQ(state.B, 250);

    // Whatever angle the state held, the centre column never computes one of its own.
    state.t = 0.25;
    PixelColour(250, 17, parameters, state);
    EXPECT_EQ(state.t, 0.25);
}

TEST(ColourRule, AZeroRedGainGivesNoRedAnywhere) {
    PatternParameters parameters = workedExample(1.0F);
    parameters.c1 = 0.0F;
    for (const ColourValue colour : gridColours(parameters)) {
        ASSERT_EQ(colour & 0xFFU, 0U);
    }
}

TEST(ColourRule, EveryPatternIsUnchangedByAHalfTurn) {
    const std::vector<ColourValue> colours = gridColours(secondExample(13.0F));
    const auto at = [&](int X, int Y) {
        return colours[scanIndex(X, Y)];
    };
    for (int X = 0; X <= 500; ++X) {
        for (int Y = 0; Y <= 500; ++Y) {
            ASSERT_EQ(at(X, Y), at(500 - X, 500 - Y)) << "at (" << X << ", " << Y << ")";
        }
    }
}

TEST(ColourRule, ParametersOutsideTheirRangesStillGiveAColour) {
    PatternParameters parameters = workedExample(0.0F);
    parameters.c1 = 1e30F;
    parameters.c2 = -5.0F;
    parameters.a3 = std::nanf("");
    PixelState state;
    const ColourValue colour = PixelColour(3, 4, parameters, state);
    EXPECT_EQ(colour & 0xFF000000U, 0U);
    EXPECT_EQ(colour,
              packRgb(static_cast<std::int16_t>(state.R), static_cast<std::int16_t>(state.G),
                      static_cast<std::int16_t>(state.B)));
}

// A regrouped sum moves a level only where its terms nearly cancel, which no drawn grid is
// sure to reach, so the level's grouping is pinned with values that cancel: -1e16 + 1
// rounds back to -1e16, so 1e16 + (-1e16 + 1) is 0 where (1e16 + -1e16) + 1 would be 1, and
// 1 + (1e16 + -1e16) is 1 where (1 + 1e16) + -1e16 would be 0.
TEST(ColourRule, TheLevelsSumIsGroupedAsTheRuleWritesIt) {
    EXPECT_EQ(levelProduct(1.0, 1e16, -1e16, 1.0), 0.0);
    EXPECT_EQ(levelProduct(1.0, 1.0, 1e16, -1e16), 1.0);
}

// Digests of whole grids guard the evaluation order as a whole: a fused multiply-add, or
// a regrouping where the terms nearly cancel, changes them. The rule and the table-driven
// pass must both give them; they run once more under the C library's builds without fused
// multiply-adds.
namespace {

void expectDigest(const PatternParameters& parameters, const char* digest) {
    EXPECT_EQ(gridDigest(gridColours(parameters)), digest) << "the colour rule";
    EXPECT_EQ(gridDigest(tablePassColours(parameters)), digest) << "the table-driven pass";
}

} // namespace

TEST(GridDigest, WorkedExampleInModeOne) {
    expectDigest(workedExample(1.0F),
                 "e639b73a76fe2b247db7a9835aef6f2c01505312198fb3540d48e32e6e6e2f6d");
}

TEST(GridDigest, WorkedExampleInModeFive) {
    expectDigest(workedExample(5.0F),
                 "0ff658981212740aad7b17a518d135f352a5c563f28d7a2ac65b0850379b03f3");
}

TEST(GridDigest, ZeroRedGainInModeOne) {
    expectDigest(secondExample(0.0F),
                 "e2127268ad03a55f6563bbdb392cbd2406bd2d08a07a4b0862473a37e670b6ff");
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
