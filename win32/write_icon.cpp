// Writes the program's icon as a Windows icon file, at the sizes Windows asks for. The file
// is the same on every build.
//
//     write_icon OUTPUT.ico

#include "icon_image.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {

constexpr std::array<int, 6> iconSides = {16, 24, 32, 48, 64, 256};

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
std::vector<std::uint8_t> iconFileImage(const std::vector<ColourValue>& pattern, int side) {
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
    const std::vector<std::uint32_t> pixels = iconImage(pattern, side);
    for (int y = side - 1; y >= 0; --y) {
        for (int x = 0; x < side; ++x) {
            // Blue, green, red and alpha: the pixel's bytes from the lowest.
            put32(
                image,
                pixels[(static_cast<std::size_t>(y) * unsignedSide) + static_cast<std::size_t>(x)]);
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
    const std::vector<ColourValue> pattern = iconPattern();
    std::vector<std::vector<std::uint8_t>> images;
    for (const int side : iconSides) {
        images.push_back(iconFileImage(pattern, side));
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
