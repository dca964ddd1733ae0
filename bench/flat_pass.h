#pragma once

#include "drawing_pass.h"

// The floor of a press: plots one flat colour at every point, in scan order, instead of
// working the rule out. The colour comes from the pattern's gains, so that each press
// shows. Everything else is the program's own: the reseed, the draws, the 251,001 plots,
// the repaint.
void plotFlat(const PatternParameters& parameters, Canvas& canvas);
