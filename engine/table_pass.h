#pragma once

#include "canvas.h"
#include "pattern_parameters.h"

class GridTables;

// Plotting every point of one pattern onto a canvas, in scan order: column by column from
// X = 0 to 500, each column from Y = 0 to 500. A plot that fails is passed over.

// Works the colours out from the shared tables and the pattern's radial terms, each equal
// bit for bit to what the colour rule gives. Parameters that were never drawn (a fold count
// that is not a whole number 2..11), or memory that cannot be had for the radial terms,
// leave it to plotPointByPoint.
void plotPattern(const PatternParameters& parameters, GridTables& tables, Canvas& canvas);

// Evaluates the colour rule afresh at every point.
void plotPointByPoint(const PatternParameters& parameters, Canvas& canvas);
