#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

// The radius and the slope y / x of every point of the grid's top-left quadrant, columns 0
// to 250 and rows 0 to 250, each distinct value held once and numbered in the order a scan
// first meets it. Square roots and quotients are IEEE operations, rounded alike on every
// processor, so the program is built with them (write_grid_geometry works them out) instead
// of working them out at every start; a page, for which they would be much to fetch, works
// them out as it starts.
struct GridGeometry {
    // Each column's indices take quadrantStride places: rows 0 to 250, then row 250's again,
    // so that a pass can take a column in whole groups of vector lanes.
    static constexpr std::size_t quadrantStride = 252;
    static constexpr std::size_t places = 251 * quadrantStride;

    std::span<const double> radii;
    std::span<const std::uint16_t> radiusIndex; // by place
    std::span<const double> slopes;
    // By place. The centre column has no y / x; it repeats its neighbour's, which adds no
    // value of its own and keeps the slopes free of NaN.
    std::span<const std::uint16_t> slopeIndex;
};

extern const GridGeometry gridGeometry;
