#pragma once

#include "colour_value.h"

// A square drawing surface addressed in whole pixels: (X, Y) is X pixels right of and
// Y pixels below the top-left corner of its drawable interior.
class Canvas {
public:
    virtual ~Canvas() = default;

    // Sets one pixel. A point outside the drawable interior is clipped; a failure of the
    // surface leaves the pixel as it was and never escapes.
    virtual void plot(int X, int Y, ColourValue colour) = 0;

protected:
    Canvas() = default;
    Canvas(const Canvas&) = default;
    Canvas& operator=(const Canvas&) = default;
};
