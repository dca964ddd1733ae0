#include "grid_tables.h"

#include <cmath>
#include <utility>

GridTables::GridTables() {
    m_angles.reserve(2 * gridGeometry.slopes.size());
    for (const double slope : gridGeometry.slopes) {
        const double angle = std::atan(slope);
        m_angles.push_back(angle);
        m_angles.push_back(-angle);
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
        std::vector<double> terms(m_angles.size());
        for (std::size_t angle = 0; angle < m_angles.size(); angle += 2) {
            const double term = angularTerm(kind, foldCount, m_angles[angle]);
            terms[angle] = term;
            terms[angle + 1] = kind == Wave::Sine ? -term : term;
        }
        table.terms = std::move(terms);
    });
    return table.terms;
}

std::size_t GridTables::bytes() const {
    std::size_t total = m_angles.capacity() * sizeof(double);
    for (const auto& wave : m_angularTables) {
        for (const AngularTable& table : wave) {
            total += table.terms.capacity() * sizeof(double);
        }
    }
    return total;
}
