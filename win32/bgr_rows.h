#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Rows of three bytes a pixel, blue first; 24 bits leave no fourth byte for a reader to
// take as transparency.
inline std::vector<std::uint8_t> bgrRows(const std::uint32_t* pixels, int side, bool bottomUp) {
    std::vector<std::uint8_t> rows;
    rows.reserve(static_cast<std::size_t>(side) * side * 3);
    for (int row = 0; row < side; ++row) {
        const std::uint32_t* pixel =
            pixels + (static_cast<std::size_t>(bottomUp ? side - 1 - row : row) * side);
        for (int column = 0; column < side; ++column, ++pixel) {
            rows.push_back(static_cast<std::uint8_t>(*pixel & 0xFFU));
            rows.push_back(static_cast<std::uint8_t>((*pixel >> 8U) & 0xFFU));
            rows.push_back(static_cast<std::uint8_t>((*pixel >> 16U) & 0xFFU));
        }
    }
    return rows;
}
