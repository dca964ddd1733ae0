#pragma once

#include <algorithm>

// Form1's layout, in logical pixels of its client area, and the grid its canvas shows: the
// numbers every front end lays the window out by, and that whatever reads the window from
// outside finds its controls by. Plain numbers, so that no toolkit is needed to use them.
namespace layout {

struct Rectangle {
    int left;
    int top;
    int width;
    int height;
};

constexpr int right(const Rectangle& rectangle) {
    return rectangle.left + rectangle.width;
}

constexpr int bottom(const Rectangle& rectangle) {
    return rectangle.top + rectangle.height;
}

constexpr int centreX(const Rectangle& rectangle) {
    return rectangle.left + rectangle.width / 2;
}

constexpr int centreY(const Rectangle& rectangle) {
    return rectangle.top + rectangle.height / 2;
}

constexpr Rectangle picture1{56, 64, 500, 500};
constexpr Rectangle command1{576, 544, 57, 17};

// The client area is never smaller than the controls reach: to the furthest right edge and
// the lowest bottom edge of the two.
constexpr int smallestClientWidth = std::max(right(picture1), right(command1));
constexpr int smallestClientHeight = std::max(bottom(picture1), bottom(command1));

// The window opens with the same margin on the right and at the bottom as on the left and
// at the top.
constexpr int openingClientWidth = smallestClientWidth + picture1.left;
constexpr int openingClientHeight = smallestClientHeight + picture1.top;

} // namespace layout
