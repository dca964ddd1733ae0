#include "grid_digest.h"

#include "grid_tables.h"
#include "pixel_colour.h"
#include "table_pass.h"

#include <array>
#include <cstdint>

#include <QByteArrayView>
#include <QCryptographicHash>

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
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const ColourValue colour : colours) {
        const std::array<char, 4> littleEndian = {
            static_cast<char>(colour & 0xFFU), static_cast<char>((colour >> 8U) & 0xFFU),
            static_cast<char>((colour >> 16U) & 0xFFU), static_cast<char>((colour >> 24U) & 0xFFU)};
        hash.addData(QByteArrayView(littleEndian.data(), littleEndian.size()));
    }
    return hash.result().toHex().toStdString();
}
