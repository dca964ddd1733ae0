#pragma once

#include <stop_token>
#include <thread>

class GridTables;

// Building the tables every pass shares ahead of the first pass. They depend on no pattern,
// so a thread of their own can build them while the toolkit starts, and the first pass finds
// them ready, or nearly.

// Builds every angular table of tables that is not yet built, one after another, until all
// are or a stop is requested. A pass that needs a table meanwhile builds it or waits for
// it; none is built twice. Memory that cannot be had ends it early: a pass tries again.
void warmUp(GridTables& tables, const std::stop_token& stop);

// Starts warming up the process's shared tables, geometry first, on a thread of its own.
// Destroying the thread asks it to stop after the table in hand and waits for that one
// only. Where no thread can be started, the one returned is empty and the passes build
// what they need themselves.
std::jthread startTableWarmUp();
