#include "table_warm_up.h"

#include "grid_tables.h"

#include <new>

bool warmUpStep(GridTables& tables, int step) {
    constexpr int tablesPerWave = GridTables::mostFolds - GridTables::fewestFolds + 1;
    if (step < 0 || step >= 2 * tablesPerWave) {
        return false;
    }
    // Red and blue take the cosine of the angular argument, green the sine, so the cosine
    // tables are needed twice as often and come first.
    const Wave kind = step < tablesPerWave ? Wave::Cosine : Wave::Sine;
    try {
        tables.angularTerms(kind, GridTables::fewestFolds + (step % tablesPerWave));
    } catch (const std::bad_alloc&) {
    }
    return true;
}
