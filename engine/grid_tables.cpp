#include "grid_tables.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace {

// Every distinct value once, in the order of first appearance, and which of them stands at
// each place. The values are never NaN, and +0 and -0 never both occur, so equal values have
// equal bits.
std::pair<std::vector<double>, std::vector<std::uint16_t>>
distinctValues(const std::vector<double>& values) {
    std::vector<std::uint32_t> byValue(values.size());
    std::iota(byValue.begin(), byValue.end(), 0U);
    // Stable, so that equal values stay in the order they stand in.
    std::ranges::stable_sort(
        byValue, [&values](std::uint32_t a, std::uint32_t b) { return values[a] < values[b]; });
    std::vector<std::uint32_t> firstPlace(values.size());
    for (std::size_t i = 0; i < byValue.size(); ++i) {
        const bool repeated = i > 0 && values[byValue[i]] == values[byValue[i - 1]];
        firstPlace[byValue[i]] = repeated ? firstPlace[byValue[i - 1]] : byValue[i];
    }
    std::vector<double> distinct;
    std::vector<std::uint16_t> index(values.size());
    for (std::size_t place = 0; place < values.size(); ++place) {
        if (firstPlace[place] == place) {
            index[place] = static_cast<std::uint16_t>(distinct.size());
            distinct.push_back(values[place]);
        } else {
            index[place] = index[firstPlace[place]];
        }
    }
    return {std::move(distinct), std::move(index)};
}

} // namespace

GridTables::GridTables() {
    // A quadrant holds fewer values than a 16-bit index can name.
    static_assert(quadrantSide * quadrantSide <= 0x10000);
    std::vector<double> radii;
    std::vector<double> slopes;
    radii.reserve(quadrantSide * quadrantSide);
    slopes.reserve(quadrantSide * quadrantSide);
    for (int X = 0; X <= plane::centreIndex; ++X) {
        for (int Y = 0; Y <= plane::centreIndex; ++Y) {
            const double x = plane::x(X);
            const double y = plane::y(Y);
            radii.push_back(std::sqrt(x * x + y * y));
            // The centre column has no y / x; it repeats its neighbour's, which adds no
            // value of its own and keeps the table free of NaN.
            slopes.push_back(X == plane::centreIndex ? slopes[slopes.size() - quadrantSide]
                                                     : y / x);
        }
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
