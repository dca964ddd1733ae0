#pragma once

#include "drawing_window.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the program needs of Form1 from the toolkit that makes it: beside what a drawing
// pass needs, showing the window and putting a drawn pattern on the screen.
class Form1View : public DrawingWindow {
public:
    // Shows the window, with the keyboard focus on the canvas.
    virtual void showWindow() = 0;

    // Puts what has been plotted on the screen now, ahead of any input already waiting.
    virtual void presentPicture() = 0;

    // Tells the eye and screen readers the code of the pattern on show.
    virtual void showPatternCode(const std::string& code) = 0;

    // What the toolkit's image reader finds in PNG bytes: nothing where they are not a
    // whole image it can read, else the text the image keeps under the code's key, empty
    // where it keeps none.
    virtual std::optional<std::string> codeTextOfPng(const std::vector<std::uint8_t>& png) = 0;

    // Says in one short line what could not be done; nothing else changes.
    virtual void tellProblem(const std::string& line) = 0;

    // The window paints only its background and controls, so its own surface never holds
    // drawing of the program's to clear.
    void clearWindowDrawing() override {}

protected:
    Form1View() = default;
    Form1View(const Form1View&) = default;
    Form1View& operator=(const Form1View&) = default;
};
