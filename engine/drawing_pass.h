#pragma once

#include "drawing_window.h"

// Draws one complete pattern onto window's canvas: reseeds the random source from the
// clock, clears the window's own drawing, draws fresh parameters and plots all 501 x 501
// points column by column, each column top to bottom.
void DrawPattern(DrawingWindow& window);
