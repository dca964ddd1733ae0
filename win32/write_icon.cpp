// Writes the program's icon as a Windows icon file: the engine's icon pattern, scaled to
// each size by averaging the points each pixel covers and cut to a disc whose edge is
// smoothed by sampling it 4 x 4 times a pixel. The file is the same on every build.
//
//     write_icon OUTPUT.ico

#include "form1_layout.h"
#include "grid_tables.h"
#include "icon_pattern.h"
#include "table_pass.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

constexpr std::array<int, 6> iconSides = {16, 24, 32, 48, 64, 256};
constexpr int patternSide = layout::picture1.width; // the canvas's part of the grid

class PointCanvas final : public Canvas {
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

// One pixel of the icon, as the file holds it: blue, green, red, alpha.
std::array<std::uint8_t, 4> iconPixel(const std::vector<ColourValue>& pattern, int side, int x,
                                      int y) {
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
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy) {
        for (int sx = 0; sx < 4; ++sx) {
            const double dx = x + ((sx + 0.5) / 4.0) - centre;
            const double dy = y + ((sy + 0.5) / 4.0) - centre;
            inside += (dx * dx) + (dy * dy) <= radius * radius ? 1 : 0;
        }
    }
    const auto average = [&](std::size_t channel) {
        return static_cast<std::uint8_t>((sums[channel] + (count / 2)) / count);
    };
    return {average(2), average(1), average(0), static_cast<std::uint8_t>((inside * 255 + 8) / 16)};
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFFU));
    out.push_back(static_cast<std::uint8_t>((value >> 8U) & 0xFFU));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, value & 0xFFFFU);
    put16(out, value >> 16U);
}

// One image of the icon file: a bitmap header of twice the height, the colour rows from the
// bottom up, then the transparency mask, all clear since the alpha channel rules.
std::vector<std::uint8_t> iconImage(const std::vector<ColourValue>& pattern, int side) {
    const auto unsignedSide = static_cast<std::uint32_t>(side);
    const std::uint32_t maskRowBytes = ((unsignedSide + 31) / 32) * 4;
    const std::uint32_t imageBytes =
        (unsignedSide * unsignedSide * 4) + (maskRowBytes * unsignedSide);
    std::vector<std::uint8_t> image;
    put32(image, 40);
    put32(image, unsignedSide);
    put32(image, 2 * unsignedSide);
    put16(image, 1);  // planes
    put16(image, 32); // bits a pixel
    put32(image, 0);  // uncompressed
    put32(image, imageBytes);
    for (int unused = 0; unused < 4; ++unused) {
        put32(image, 0);
    }
    for (int y = side - 1; y >= 0; --y) {
        for (int x = 0; x < side; ++x) {
            for (const std::uint8_t byte : iconPixel(pattern, side, x, y)) {
                image.push_back(byte);
            }
        }
    }
    image.resize(image.size() + (static_cast<std::size_t>(maskRowBytes) * unsignedSide), 0);
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_icon OUTPUT.ico\n");
        return 2;
    }
    PointCanvas canvas;
    GridTables tables;
    plotPattern(iconParameters, tables, canvas);

    std::vector<std::vector<std::uint8_t>> images;
    for (const int side : iconSides) {
        images.push_back(iconImage(canvas.colours, side));
    }
    std::vector<std::uint8_t> file;
    put16(file, 0);
    put16(file, 1); // an icon
    put16(file, static_cast<std::uint32_t>(images.size()));
    auto offset = static_cast<std::uint32_t>(6 + (16 * images.size()));
    for (std::size_t i = 0; i < images.size(); ++i) {
        // A side of 256 is written as 0.
        file.push_back(static_cast<std::uint8_t>(iconSides[i] & 0xFF));
        file.push_back(static_cast<std::uint8_t>(iconSides[i] & 0xFF));
        file.push_back(0); // no palette
        file.push_back(0);
        put16(file, 1);
        put16(file, 32);
        put32(file, static_cast<std::uint32_t>(images[i].size()));
        put32(file, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const std::vector<std::uint8_t>& image : images) {
        file.insert(file.end(), image.begin(), image.end());
    }
    std::ofstream out(argv[1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()),
              static_cast<std::streamsize>(file.size()));
    if (!out) {
        std::fprintf(stderr, "write_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
