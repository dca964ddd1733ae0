#include "grid_tables.h"

#include <bit>
#include <cmath>
#include <utility>

namespace {

// Every distinct value once, in the order of first appearance, and which of them stands at
// each place. The values are never NaN, and +0 and -0 never both occur, so equal values have
// equal bits: the bits are what is looked up.
std::pair<std::vector<double>, std::vector<std::uint16_t>>
distinctValues(const std::vector<double>& values) {
    // Open addressing, at most half full; a slot holds the number of a distinct value plus
    // one, and 0 while empty.
    std::vector<std::uint32_t> slots(std::bit_ceil(2 * values.size()));
    const std::size_t lastSlot = slots.size() - 1;
    std::vector<double> distinct;
    std::vector<std::uint16_t> index(values.size());
    for (std::size_t place = 0; place < values.size(); ++place) {
        const auto bits = std::bit_cast<std::uint64_t>(values[place]);
        // Multiplying by 2^64 over the golden ratio spreads close values over the slots.
        auto slot = static_cast<std::size_t>((bits * 0x9E3779B97F4A7C15U) >> 32U) & lastSlot;
        while (slots[slot] != 0 &&
               std::bit_cast<std::uint64_t>(distinct[slots[slot] - 1]) != bits) {
            slot = (slot + 1) & lastSlot;
        }
        if (slots[slot] == 0) {
            distinct.push_back(values[place]);
            slots[slot] = static_cast<std::uint32_t>(distinct.size());
        }
        index[place] = static_cast<std::uint16_t>(slots[slot] - 1);
    }
    return {std::move(distinct), std::move(index)};
}

} // namespace

GridTables::GridTables() {
    // A quadrant holds fewer values than a 16-bit index can name.
    static_assert(quadrantStride * quadrantStride <= 0x10000);
    std::vector<double> radii;
    std::vector<double> slopes;
    radii.reserve(quadrantStride * quadrantStride);
    slopes.reserve(quadrantStride * quadrantStride);
    for (int X = 0; X <= plane::centreIndex; ++X) {
        for (int Y = 0; Y <= plane::centreIndex; ++Y) {
            const double x = plane::x(X);
            const double y = plane::y(Y);
            radii.push_back(std::sqrt(x * x + y * y));
            // The centre column has no y / x; it repeats its neighbour's, which adds no
            // value of its own and keeps the table free of NaN.
            slopes.push_back(X == plane::centreIndex ? slopes[slopes.size() - quadrantStride]
                                                     : y / x);
        }
        // The padding repeats the column's last values, which adds none of its own either.
        radii.push_back(radii.back());
        slopes.push_back(slopes.back());
    }
    std::tie(m_radii, m_radiusIndex) = distinctValues(radii);
    std::vector<double> distinctSlopes;
    std::tie(distinctSlopes, m_slopeIndex) = distinctValues(slopes);
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
