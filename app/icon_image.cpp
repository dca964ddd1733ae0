#include "icon_image.h"

#include "form1_layout.h"
#include "grid_tables.h"
#include "icon_pattern.h"
#include "table_pass.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace {

constexpr int patternSide = layout::picture1.width; // the canvas's part of the grid

class PatternCanvas final : public Canvas {
public:
    void plot(int X, int Y, ColourValue colour) override {
        if (X < patternSide && Y < patternSide) {
            colours[(static_cast<std::size_t>(Y) * patternSide) + static_cast<std::size_t>(X)] =
                colour;
        }
    }
    std::vector<ColourValue> colours =
        std::vector<ColourValue>(static_cast<std::size_t>(patternSide) * patternSide);
};

std::uint32_t iconPixel(const std::vector<ColourValue>& pattern, int side, int x, int y) {
    const int left = x * patternSide / side;
    const int top = y * patternSide / side;
    const int right = std::max(left + 1, (x + 1) * patternSide / side);
    const int bottom = std::max(top + 1, (y + 1) * patternSide / side);
    std::array<std::uint32_t, 3> sums{};
    for (int row = top; row < bottom; ++row) {
        for (int column = left; column < right; ++column) {
            const ColourValue colour = pattern[(static_cast<std::size_t>(row) * patternSide) +
                                               static_cast<std::size_t>(column)];
            for (std::size_t channel = 0; channel < 3; ++channel) {
                sums[channel] += (colour >> (8 * channel)) & 0xFFU;
            }
        }
    }
    const auto count = static_cast<std::uint32_t>((right - left) * (bottom - top));
    const double centre = side / 2.0;
    const double radius = centre - (side * iconMarginShare);
    std::uint32_t inside = 0;
    for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
            const double dx = x + ((sx + 0.5) / 4.0) - centre;
            const double dy = y + ((sy + 0.5) / 4.0) - centre;
            inside += (dx * dx) + (dy * dy) <= radius * radius ? 1 : 0;
        }
    }
    const auto average = [&](std::size_t channel) {
        return (sums[channel] + (count / 2)) / count;
    };
    const std::uint32_t alpha = ((inside * 255) + 8) / 16;
    return (alpha << 24U) | (average(0) << 16U) | (average(1) << 8U) | average(2);
}

} // namespace

std::vector<ColourValue> iconPattern() {
    PatternCanvas canvas;
    GridTables tables;
    plotPattern(iconParameters, tables, canvas);
    return canvas.colours;
}

std::vector<std::uint32_t> iconImage(const std::vector<ColourValue>& pattern, int side) {
    std::vector<std::uint32_t> image;
    image.reserve(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            image.push_back(iconPixel(pattern, side, x, y));
        }
    }
    return image;
}
