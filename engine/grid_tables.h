#pragma once

#include "channel_level.h"
#include "grid_geometry.h"
#include "plane_coordinates.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <vector>

// The tables every drawing pass shares: the radius and the angle of every grid point, each
// distinct value held once, and the angular terms at every distinct angle, per wave and
// fold count. They depend on the fixed grid alone, never on a pattern, and every value is
// the one the colour rule computes at the point, bit for bit; docs/design.md says how the
// grid's symmetries let the tables hold each value once. Those symmetries hold only where the
// C library's arctangent and sine are odd and its cosine even, bit for bit, at the grid's
// values; each table checks this as it is built, and where a value breaks it, the table
// holds the values at the negated angles as well.
class GridTables {
public:
    // What the tables may hold at most; with every fold count of both waves built they hold
    // 6.5 MiB, where the C library keeps the symmetries.
    static constexpr std::size_t byteCeiling = std::size_t{8} << 20U;
    static constexpr int fewestFolds = 2;
    static constexpr int mostFolds = 11;

    GridTables();
    GridTables(const GridTables&) = delete;
    GridTables& operator=(const GridTables&) = delete;

    // The process's tables, built on first use.
    static GridTables& shared();

    // The distinct radii, and which of them point (X, Y) has.
    static std::span<const double> radii() { return gridGeometry.radii; }
    static std::size_t radiusIndex(int X, int Y) {
        return gridGeometry.radiusIndex[quadrantPlace(X, Y)];
    }

    // The arctangent of each of the quadrant's distinct slopes.
    const std::vector<double>& slopeAngles() const { return m_slopeAngles; }

    // Which angle point (X, Y) has: angle index 2s is the arctangent of the quadrant's slope
    // s, and 2s + 1 its negation, that of -s. The centre column has the angle of the point
    // scanned just before it, (249, 500), as the rule carries it over.
    double angle(std::size_t angleIndex) const {
        const double t = m_slopeAngles[angleIndex / 2];
        if (angleIndex % 2 == 0) {
            return t;
        }
        return m_negatedSlopeAngles.empty() ? -t : m_negatedSlopeAngles[angleIndex / 2];
    }
    std::size_t angleIndex(int X, int Y) const {
        if (X == plane::centreIndex) {
            return m_carriedAngleIndex;
        }
        // Mirrored in one line only, y / x changes sign; so it does across the centre row,
        // where it goes from -0 to +0.
        const bool negated = (X < plane::centreIndex) == (Y > plane::centreIndex);
        return 2 * std::size_t{gridGeometry.slopeIndex[quadrantPlace(X, Y)]} + (negated ? 1 : 0);
    }

    // The radius and slope indices of rows 0..250 of column X, for X from 0 to 249, and
    // row 250's again up to quadrantStride, so that a pass can take a column in whole groups
    // of vector lanes.
    static constexpr std::size_t quadrantStride = GridGeometry::quadrantStride;
    static const std::uint16_t* radiusIndices(int X) {
        return &gridGeometry.radiusIndex[quadrantPlace(X, 0)];
    }
    static const std::uint16_t* slopeIndices(int X) {
        return &gridGeometry.slopeIndex[quadrantPlace(X, 0)];
    }

    // kind((2n) * t) at the angle t of every distinct slope, in the order of slopeAngles();
    // foldCount is a whole number from fewestFolds to mostFolds. The terms at the negated
    // angles are the same, negated for the sine (see angularTermAt), or where the C library
    // breaks that symmetry, atNegatedSlopes holds them.
    struct AngularTerms {
        std::vector<double> atSlopes;
        std::vector<double> atNegatedSlopes; // empty where the symmetry holds
    };
    const AngularTerms& angularTerms(Wave kind, int foldCount);

    // What the tables hold now, in bytes; not while another thread may be building one.
    std::size_t bytes() const;

private:
    static constexpr std::size_t foldCounts = mostFolds - fewestFolds + 1;

    // Where the mirror image of (X, Y) in the top-left quadrant stands in a table of it,
    // column by column.
    static std::size_t quadrantPlace(int X, int Y) {
        const auto mirrored = [](int index) {
            return static_cast<std::size_t>(index <= plane::centreIndex ? index
                                                                        : plane::lastIndex - index);
        };
        return (mirrored(X) * quadrantStride) + mirrored(Y);
    }

    struct AngularTable {
        std::once_flag built;
        AngularTerms terms;
    };

    std::vector<double> m_slopeAngles;
    std::vector<double> m_negatedSlopeAngles; // empty where the arctangent is odd
    std::size_t m_carriedAngleIndex = 0;
    std::array<std::array<AngularTable, foldCounts>, 2> m_angularTables;
};
