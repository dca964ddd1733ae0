#pragma once

#include "display_colour.h"

#include <QRgb>

// A colour as the toolkit holds it: as displays do, with an opaque alpha on top.
inline QRgb toQRgb(ColourValue colour) {
    return 0xFF000000U | displayColour(colour);
}
