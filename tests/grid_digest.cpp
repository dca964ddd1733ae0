#include "grid_digest.h"

#include "pixel_colour.h"
#include "sha256.h"

#include <cstdint>

std::vector<ColourValue> gridColours(const PatternParameters& parameters) {
    std::vector<ColourValue> colours;
    colours.reserve(scanIndex(500, 500) + 1);
    PixelState state;
    for (std::int16_t X = 0; X <= 500; ++X) {
        for (std::int16_t Y = 0; Y <= 500; ++Y) {
            colours.push_back(PixelColour(X, Y, parameters, state));
        }
    }
    return colours;
}

std::string gridDigest(const PatternParameters& parameters) {
    std::vector<std::uint8_t> bytes;
    for (const ColourValue colour : gridColours(parameters)) {
        for (unsigned shift = 0; shift < 32; shift += 8) {
            bytes.push_back(static_cast<std::uint8_t>(colour >> shift));
        }
    }
    return sha256Hex(bytes);
}
