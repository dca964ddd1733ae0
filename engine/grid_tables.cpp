#include "grid_tables.h"

#include <bit>
#include <cmath>
#include <utility>

namespace {

// Numbers the distinct values of value(place), for place from 0 to count - 1, in the order
// of first appearance: returns each distinct value once, and writes the number of the one
// at each place to index. The values are never NaN, and +0 and -0 never both occur, so
// equal values have equal bits: the bits are what is looked up. The values are worked out
// as they are needed, so that no copy of them is ever held, and a place for which
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
    // Room for every value at once, so that none is copied as the count grows; only what is
    // written is ever touched.
    std::vector<double> distinct;
    distinct.reserve(count);
    index.resize(count);
    for (std::size_t place = 0; place < count; ++place) {
        if (const std::size_t earlier = earlierEqual(place); earlier != place) {
            index[place] = index[earlier];
            continue;
        }
        const double next = value(place);
        const auto bits = std::bit_cast<std::uint64_t>(next);
        // Folded, then multiplied by 2^64 over the golden ratio, whose top bits pick the
        // slot: close values, which differ in the low bits alone, land far apart.
        auto slot = static_cast<std::size_t>(((bits ^ (bits >> 32U)) * 0x9E3779B97F4A7C15U) >>
                                             (64U - slotBits));
        while (slots[slot] != 0 &&
               std::bit_cast<std::uint64_t>(distinct[slots[slot] - 1U]) != bits) {
            slot = (slot + 1) & lastSlot;
        }
        if (slots[slot] == 0) {
            distinct.push_back(next);
            slots[slot] = static_cast<std::uint16_t>(distinct.size());
        }
        index[place] = static_cast<std::uint16_t>(slots[slot] - 1U);
    }
    // A copy that holds no more than the values.
    return {distinct.begin(), distinct.end()};
}

// The quadrant's column and row at a place of its tables.
struct QuadrantPoint {
    int X;
    int Y;
};

QuadrantPoint quadrantPoint(std::size_t place) {
    return {static_cast<int>(place / GridTables::quadrantStride),
            static_cast<int>(place % GridTables::quadrantStride)};
}

// The padding at the end of each column repeats the row before it.
std::size_t paddedRowBefore(std::size_t place) {
    return place % GridTables::quadrantStride > plane::centreIndex ? place - 1 : place;
}

} // namespace

GridTables::GridTables() {
    // A quadrant holds fewer values than a 16-bit index can name, with one to spare for the
    // empty slots of the look-up.
    static_assert(quadrantStride * quadrantStride < 0x10000);
    const std::size_t places = (plane::centreIndex + 1) * quadrantStride;
    m_radii = distinctValues(
        places,
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
            const std::size_t column = place / quadrantStride;
            const std::size_t row = place % quadrantStride;
            return row < column ? (row * quadrantStride) + column : paddedRowBefore(place);
        },
        m_radiusIndex);
    const std::vector<double> distinctSlopes = distinctValues(
        places,
        [](std::size_t place) {
            const auto [X, Y] = quadrantPoint(place);
            return plane::y(Y) / plane::x(X);
        },
        [](std::size_t place) {
            // The centre column has no y / x; it repeats its neighbour's, which adds no
            // value of its own and keeps the table free of NaN.
            return place / quadrantStride == plane::centreIndex ? place - quadrantStride
                                                                : paddedRowBefore(place);
        },
        m_slopeIndex);
    m_angles.reserve(2 * distinctSlopes.size());
    for (const double slope : distinctSlopes) {
        m_angles.push_back(std::atan(slope));
        m_angles.push_back(std::atan(-slope));
    }
    m_carriedAngleIndex = angleIndex(plane::centreIndex - 1, plane::lastIndex);
}

GridTables& GridTables::shared() {
    static GridTables tables;
    return tables;
}

const std::vector<double>& GridTables::angularTerms(Wave kind, int foldCount) {
    AngularTable& table = m_angularTables.at(kind == Wave::Sine ? 0 : 1)
                              .at(static_cast<std::size_t>(foldCount - fewestFolds));
    std::call_once(table.built, [&] {
        std::vector<double> terms;
        terms.reserve(m_angles.size());
        for (const double t : m_angles) {
            terms.push_back(angularTerm(kind, foldCount, t));
        }
        table.terms = std::move(terms);
    });
    return table.terms;
}

std::size_t GridTables::bytes() const {
    std::size_t total =
        (m_radii.capacity() + m_angles.capacity()) * sizeof(double) +
        (m_radiusIndex.capacity() + m_slopeIndex.capacity()) * sizeof(std::uint16_t);
    for (const auto& wave : m_angularTables) {
        for (const AngularTable& table : wave) {
            total += table.terms.capacity() * sizeof(double);
        }
    }
    return total;
}
