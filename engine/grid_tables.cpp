#include "grid_tables.h"

#include <cmath>
#include <utility>

GridTables::GridTables() {
    m_slopeAngles.reserve(gridGeometry.slopes.size());
    for (const double slope : gridGeometry.slopes) {
        m_slopeAngles.push_back(std::atan(slope));
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
        terms.reserve(m_slopeAngles.size());
        for (const double t : m_slopeAngles) {
            terms.push_back(angularTerm(kind, foldCount, t));
        }
        table.terms = std::move(terms);
    });
    return table.terms;
}

std::size_t GridTables::bytes() const {
    std::size_t total = m_slopeAngles.capacity() * sizeof(double);
    for (const auto& wave : m_angularTables) {
        for (const AngularTable& table : wave) {
            total += table.terms.capacity() * sizeof(double);
        }
    }
    return total;
}
