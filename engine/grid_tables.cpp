#include "grid_tables.h"

#include "bits_of.h"
#include "math_library.h"

#include <cstdint>
#include <utility>

namespace {

bool sameBits(double a, double b) {
    return bitsOf(a) == bitsOf(b);
}

} // namespace

GridTables::GridTables() {
    m_slopeAngles.reserve(gridGeometry.slopes.size());
    bool odd = true;
    for (const double slope : gridGeometry.slopes) {
        const double t = mathLibrary().atan(slope);
        m_slopeAngles.push_back(t);
        odd = odd && sameBits(mathLibrary().atan(-slope), -t);
    }
    if (!odd) {
        m_negatedSlopeAngles.reserve(gridGeometry.slopes.size());
        for (const double slope : gridGeometry.slopes) {
            m_negatedSlopeAngles.push_back(mathLibrary().atan(-slope));
        }
    }
    m_carriedAngleIndex = angleIndex(plane::centreIndex - 1, plane::lastIndex);
}

GridTables& GridTables::shared() {
    static GridTables tables;
    return tables;
}

const GridTables::AngularTerms& GridTables::angularTerms(Wave kind, int foldCount) {
    AngularTable& table = m_angularTables.at(kind == Wave::Sine ? 0 : 1)
                              .at(static_cast<std::size_t>(foldCount - fewestFolds));
    std::call_once(table.built, [&] {
        AngularTerms terms;
        terms.atSlopes.reserve(m_slopeAngles.size());
        terms.atNegatedSlopes.reserve(m_slopeAngles.size());
        bool symmetric = true;
        for (std::size_t s = 0; s < m_slopeAngles.size(); ++s) {
            const double term = angularTerm(kind, foldCount, m_slopeAngles[s]);
            const double negatedTerm = angularTerm(kind, foldCount, angle((2 * s) + 1));
            terms.atSlopes.push_back(term);
            terms.atNegatedSlopes.push_back(negatedTerm);
            symmetric = symmetric && sameBits(negatedTerm, kind == Wave::Sine ? -term : term);
        }
        if (symmetric) {
            terms.atNegatedSlopes = std::vector<double>();
        }
        table.terms = std::move(terms);
    });
    return table.terms;
}

std::size_t GridTables::bytes() const {
    std::size_t total =
        (m_slopeAngles.capacity() + m_negatedSlopeAngles.capacity()) * sizeof(double);
    for (const auto& wave : m_angularTables) {
        for (const AngularTable& table : wave) {
            total += (table.terms.atSlopes.capacity() + table.terms.atNegatedSlopes.capacity()) *
                     sizeof(double);
        }
    }
    return total;
}
