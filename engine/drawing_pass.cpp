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

namespace {

void drawFromTheSource(DrawingWindow& window, RandomSource& source, PointPlotter plot) {
    // From here on a step that fails is abandoned and the pass goes on with the next one,
    // so a misbehaving window costs at most the pixels it failed to set.
    try {
        window.clearWindowDrawing();
    } catch (...) {
    }
    const PatternParameters parameters = drawPatternParameters(source);
    plot(parameters, window.canvas());
}

} // namespace

std::uint64_t DrawPattern(DrawingWindow& window, PointPlotter plot) {
    RandomSource& source = randomSource();
    source.reseed(source.timeOfDaySeconds());
    const std::uint64_t reseeded = source.state();
    drawFromTheSource(window, source, plot);
    return reseeded;
}

void RedrawPattern(DrawingWindow& window, std::uint64_t sourceState, PointPlotter plot) {
    RandomSource& source = randomSource();
    source.restoreState(sourceState);
    drawFromTheSource(window, source, plot);
}
