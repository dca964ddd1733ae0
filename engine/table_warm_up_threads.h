#pragma once

#include <stop_token>
#include <thread>

class GridTables;

// Building the tables every pass shares ahead of the passes that need them, on threads of
// their own: the angles while the toolkit starts, and the angular tables once the first
// picture is up. docs/design.md says why then.

// Builds every angular table of tables that is not yet built, one after another, until all
// are or a stop is requested. A pass that needs a table meanwhile builds it or waits for
// it; none is built twice.
void warmUp(GridTables& tables, const std::stop_token& stop);

// Start building the process's shared tables' angles, or the angular tables (the angles
// first if they are not yet built), on a thread of their own. Destroying the thread asks it
// to stop after the table in hand and waits for that one only. Where no thread can be
// started, the one returned is empty and the passes build what they need themselves.
std::jthread startAngleWarmUp();
std::jthread startTableWarmUp();
