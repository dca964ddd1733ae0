#pragma once

#include "drawing_pass.h"
#include "warm_up_thread.h"

#include <functional>

// What a run of the program may be given: the program itself starts the angular tables'
// warm-up and plots by the colour rule; tests leave the warm-up out, and the benchmarks'
// floor plots one flat colour.
struct ProgramOptions {
    // Starts the warm-up, as startTableWarmUp does; without one, the passes build the
    // tables they need themselves.
    std::function<WarmUpThread()> startWarmUp{};
    PointPlotter plot = plotByTheRule;
};
