// The tables every pass shares: the grid's radii and angles, and the angular terms, each the
// rule's own, bit for bit.

#include "bits_of.h"
#include "channel_level.h"
#include "example_patterns.h"
#include "grid_tables.h"
#include "pixel_colour.h"
#include "pixel_state.h"
#include "point_colours.h"

#include <cstddef>
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

TEST(GridTables, HoldTheRulesOwnRadiusAndAngleAtEveryPoint) {
    const GridTables& tables = GridTables::shared();
    PixelState state;
    for (std::int16_t X = 0; X <= 500; ++X) {
        for (std::int16_t Y = 0; Y <= 500; ++Y) {
            PixelColour(X, Y, workedExample(1.0F), state);
            const double r = GridTables::radii()[GridTables::radiusIndex(X, Y)];
            const double t = tables.angle(tables.angleIndex(X, Y));
            ASSERT_EQ(bitsOf(r), bitsOf(state.r)) << "at (" << X << ", " << Y << ")";
            ASSERT_EQ(bitsOf(t), bitsOf(state.t)) << "at (" << X << ", " << Y << ")";
        }
    }
}

// The tables take each negated angle, and its cosine and sine, from the angle's own: that
// holds only where the C library's arctangent and sine are odd and its cosine even.
TEST(GridTables, HoldTheRulesOwnAngularTermAtEveryAngle) {
    GridTables& tables = GridTables::shared();
    const std::size_t angles = 2 * tables.slopeAngles().size();
    for (const Wave kind : {Wave::Sine, Wave::Cosine}) {
        ChannelTerms channel{};
        channel.angularWave = kind;
        for (int n = GridTables::fewestFolds; n <= GridTables::mostFolds; ++n) {
            const GridTables::AngularTerms& table = tables.angularTerms(kind, n);
            const double* negated =
                table.atNegatedSlopes.empty() ? nullptr : table.atNegatedSlopes.data();
            for (std::size_t angle = 0; angle < angles; ++angle) {
                const double t = tables.angle(angle);
                ASSERT_EQ(bitsOf(angularTermAt(channel, table.atSlopes.data(), negated, angle)),
                          bitsOf(angularTerm(kind, n, t)))
                    << "n = " << n << " at angle " << t;
            }
        }
    }
}

TEST(GridTables, StayWithinTheirCeilingWithEveryTableBuiltAndNeverChange) {
    GridTables tables;
    const std::vector<double>& first = tables.angularTerms(Wave::Cosine, 7).atSlopes;
    const std::vector<double> copy = first;
    for (const Wave kind : {Wave::Sine, Wave::Cosine}) {
        for (int n = GridTables::fewestFolds; n <= GridTables::mostFolds; ++n) {
            EXPECT_EQ(tables.angularTerms(kind, n).atSlopes.size(), tables.slopeAngles().size());
        }
    }
    EXPECT_LE(tables.bytes(), GridTables::byteCeiling);
    EXPECT_EQ(&tables.angularTerms(Wave::Cosine, 7).atSlopes, &first);
    EXPECT_EQ(first, copy);
    // A table per point instead of per distinct value would not fit.
    EXPECT_LT(GridTables::radii().size(), 30000U);
    EXPECT_LT(tables.slopeAngles().size(), 50000U);
}
