#pragma once

#include <cstdint>
#include <vector>

// The grid's geometry worked out, as GridGeometry holds it: the radius and the slope y / x
// of every point of the top-left quadrant, each distinct value once, and at every place the
// number of its value. Square roots and quotients are IEEE operations, rounded alike on
// every processor, so they come out the same wherever this runs.
struct GridGeometryValues {
    std::vector<double> radii;
    std::vector<std::uint16_t> radiusIndex;
    std::vector<double> slopes;
    std::vector<std::uint16_t> slopeIndex;
};

GridGeometryValues workOutGridGeometry();
