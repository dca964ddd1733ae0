#pragma once

#include "drawing_window.h"
#include "pattern_parameters.h"

#include <cstdint>

// Plots all 501 x 501 points of a pattern onto a canvas, column by column, each column top
// to bottom.
using PointPlotter = void (*)(const PatternParameters& parameters, Canvas& canvas);

// Plots them by the colour rule: through the process's shared tables, or point by point
// where memory for the tables cannot be had.
void plotByTheRule(const PatternParameters& parameters, Canvas& canvas);

// Draws one complete pattern onto window's canvas: reseeds the random source from the
// clock, clears the window's own drawing, draws fresh parameters and plots the points.
// Returns the source's state after the reseed, which names the pattern for RedrawPattern.
std::uint64_t DrawPattern(DrawingWindow& window, PointPlotter plot = plotByTheRule);

// Draws the pattern that the source's state after a reseed named, as DrawPattern drew it:
// the source is put back in that state, and the same pattern follows, bit for bit.
void RedrawPattern(DrawingWindow& window, std::uint64_t sourceState,
                   PointPlotter plot = plotByTheRule);
