#pragma once

// Where a grid point lies on the plane: column 0 at x = -3, column 500 at x = +3, row 0 at
// y = +3 (up is positive). The offsets are divided by the scale, never multiplied by its
// reciprocal: the two differ in the last bit on about a quarter of the columns.
namespace plane {

constexpr int lastIndex = 500;          // grid indices run from 0 to 500
constexpr int gridSide = lastIndex + 1; // points a side of the grid
constexpr int centreIndex = 250;        // the centre column and row
constexpr double centre = 250.0;
constexpr double scale = 500.0 / 6.0; // grid steps per plane unit

constexpr double x(int X) {
    return (X - centre) / scale;
}

constexpr double y(int Y) {
    return (centre - Y) / scale;
}

} // namespace plane
