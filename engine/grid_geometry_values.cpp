#include "grid_geometry_values.h"

#include "bits_of.h"
#include "grid_geometry.h"
#include "plane_coordinates.h"

#include <bit>
#include <cmath>
#include <cstddef>

namespace {

constexpr std::size_t stride = GridGeometry::quadrantStride;

// Numbers the distinct values of value(place), for place from 0 to count - 1, in the order
// of first appearance: returns each distinct value once, and writes the number of the one
// at each place to index. The values are never NaN, and +0 and -0 never both occur, so
// equal values have equal bits: the bits are what is looked up. A place for which
// earlierEqual names an earlier place of the same value takes that place's number without
// a look-up; elsewhere earlierEqual gives the place itself.
template <typename Value, typename EarlierEqual>
std::vector<double> distinctValues(std::size_t count, const Value& value,
                                   const EarlierEqual& earlierEqual,
                                   std::vector<std::uint16_t>& index) {
    // Open addressing, at most half full; a slot holds the number of a distinct value plus
    // one, and 0 while empty.
    const auto slotBits = static_cast<unsigned>(std::bit_width(2 * count - 1));
    std::vector<std::uint16_t> slots(std::size_t{1} << slotBits);
    const std::size_t lastSlot = slots.size() - 1;
    std::vector<double> distinct;
    index.resize(count);
    for (std::size_t place = 0; place < count; ++place) {
        if (const std::size_t earlier = earlierEqual(place); earlier != place) {
            index[place] = index[earlier];
            continue;
        }
        const double next = value(place);
        const auto bits = bitsOf(next);
        // Folded, then multiplied by 2^64 over the golden ratio, whose top bits pick the
        // slot: close values, which differ in the low bits alone, land far apart.
        auto slot = static_cast<std::size_t>(((bits ^ (bits >> 32U)) * 0x9E3779B97F4A7C15U) >>
                                             (64U - slotBits));
        while (slots[slot] != 0 && bitsOf(distinct[slots[slot] - 1U]) != bits) {
            slot = (slot + 1) & lastSlot;
        }
        if (slots[slot] == 0) {
            distinct.push_back(next);
            slots[slot] = static_cast<std::uint16_t>(distinct.size());
        }
        index[place] = static_cast<std::uint16_t>(slots[slot] - 1U);
    }
    return distinct;
}

// The quadrant's column and row at a place.
struct QuadrantPoint {
    int X;
    int Y;
};

QuadrantPoint quadrantPoint(std::size_t place) {
    return {static_cast<int>(place / stride), static_cast<int>(place % stride)};
}

// The padding at the end of each column repeats the row before it.
std::size_t paddedRowBefore(std::size_t place) {
    return place % stride > plane::centreIndex ? place - 1 : place;
}

} // namespace

GridGeometryValues workOutGridGeometry() {
    // A quadrant holds fewer values than a 16-bit index can name, with one to spare for the
    // empty slots of the look-up.
    static_assert(GridGeometry::places < 0x10000);
    GridGeometryValues values;
    values.radii = distinctValues(
        GridGeometry::places,
        [](std::size_t place) {
            const auto [X, Y] = quadrantPoint(place);
            const double x = plane::x(X);
            const double y = plane::y(Y);
            return std::sqrt(x * x + y * y);
        },
        [](std::size_t place) {
            // Column k's x is the negation of row k's y, both (250 - k) / scale, so a point
            // and its transpose square the same two numbers and add them in the other order,
            // which gives the same sum: below the diagonal the radius is the transpose's,
            // met in an earlier column.
            const std::size_t column = place / stride;
            const std::size_t row = place % stride;
            return row < column ? (row * stride) + column : paddedRowBefore(place);
        },
        values.radiusIndex);
    values.slopes = distinctValues(
        GridGeometry::places,
        [](std::size_t place) {
            const auto [X, Y] = quadrantPoint(place);
            return plane::y(Y) / plane::x(X);
        },
        [](std::size_t place) {
            return place / stride == plane::centreIndex ? place - stride : paddedRowBefore(place);
        },
        values.slopeIndex);
    return values;
}
