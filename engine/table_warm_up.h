#pragma once

class GridTables;

// Building the angular tables ahead of the passes that need them, one at a time, in the
// order a warm-up takes them: on a thread of its own where there are threads, or between
// frames where there are none (a page in a browser).

// Builds the angular table that comes step-th in that order, unless it is built already;
// returns false, building nothing, once step is past the last. Memory that cannot be had
// leaves the table to the pass that needs it.
bool warmUpStep(GridTables& tables, int step);
