#pragma once

#include "canvas.h"

// What a drawing pass needs of the window it draws for.
class DrawingWindow {
public:
    virtual ~DrawingWindow() = default;

    // Clears whatever was drawn directly on the window's own surface; the controls and
    // the canvas's pixels stay as they are. Never lets a failure out.
    virtual void clearWindowDrawing() = 0;

    virtual Canvas& canvas() = 0;

protected:
    DrawingWindow() = default;
    DrawingWindow(const DrawingWindow&) = default;
    DrawingWindow& operator=(const DrawingWindow&) = default;
};
