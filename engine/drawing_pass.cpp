#include "drawing_pass.h"

#include "grid_tables.h"
#include "random_source.h"
#include "table_pass.h"

#include <new>

void plotByTheRule(const PatternParameters& parameters, Canvas& canvas) {
    // The tables are built on the first pass; without memory for them every point is
    // worked out on its own.
    GridTables* tables = nullptr;
    try {
        tables = &GridTables::shared();
    } catch (const std::bad_alloc&) {
    }
    if (tables != nullptr) {
        plotPattern(parameters, *tables, canvas);
    } else {
        plotPointByPoint(parameters, canvas);
    }
}

void DrawPattern(DrawingWindow& window, PointPlotter plot) {
    RandomSource& source = randomSource();
    source.reseed(source.timeOfDaySeconds());

    // From here on a step that fails is abandoned and the pass goes on with the next one,
    // so a misbehaving window costs at most the pixels it failed to set.
    try {
        window.clearWindowDrawing();
    } catch (...) {
    }
    const PatternParameters parameters = drawPatternParameters(source);
    plot(parameters, window.canvas());
}
