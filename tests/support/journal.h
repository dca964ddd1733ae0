#pragma once

#include "colour_value.h"

#include <vector>

// One call a drawing pass, or the program around it, made of the random source or of the
// window, in the order made.
struct JournalEntry {
    enum class Step {
        TimeOfDay,
        Reseed,
        RestoreState,
        NextUniform,
        ClearWindowDrawing,
        Plot,
        ShowWindow,
        PresentPicture
    } step;
    int X = 0;
    int Y = 0;
    ColourValue colour = 0;
};

using Journal = std::vector<JournalEntry>;
using Step = JournalEntry::Step;
