#pragma once

#include "colour_value.h"

#include <QRgb>

// A ColourValue holds red in its low byte and blue in its third; QRgb is ordered the other
// way round and carries an opaque alpha on top.
inline QRgb toQRgb(ColourValue colour) {
    const auto red = colour & 0xFFU;
    const auto green = (colour >> 8U) & 0xFFU;
    const auto blue = (colour >> 16U) & 0xFFU;
    return qRgb(static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue));
}
