#include "grid_digest.h"

#include "grid_tables.h"
#include "pixel_colour.h"
#include "sha256.h"
#include "table_pass.h"

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

namespace {

struct CollectingCanvas final : Canvas {
    void plot(int /*X*/, int /*Y*/, ColourValue colour) override { colours.push_back(colour); }
    std::vector<ColourValue> colours;
};

} // namespace

std::vector<ColourValue> tablePassColours(const PatternParameters& parameters) {
    CollectingCanvas canvas;
    canvas.colours.reserve(scanIndex(500, 500) + 1);
    plotPattern(parameters, GridTables::shared(), canvas);
    return canvas.colours;
}

std::string gridDigest(const std::vector<ColourValue>& colours) {
    std::vector<std::uint8_t> littleEndian;
    littleEndian.reserve(4 * colours.size());
    for (const ColourValue colour : colours) {
        for (unsigned shift = 0; shift < 32; shift += 8) {
            littleEndian.push_back(static_cast<std::uint8_t>((colour >> shift) & 0xFFU));
        }
    }
    return sha256Hex(littleEndian);
}
