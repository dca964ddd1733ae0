#include "page_canvas.h"

void PageCanvas::plot(int X, int Y, ColourValue colour) {
    // One unsigned comparison per axis clips negative and too large coordinates alike.
    if (static_cast<unsigned>(X) >= unsigned{side} || static_cast<unsigned>(Y) >= unsigned{side}) {
        return;
    }
    // A colour value holds red in its low byte, then green and blue, as WebAssembly's
    // little-endian memory lays out image data's red, green and blue bytes; alpha is on top.
    m_pixels[(static_cast<std::size_t>(Y) * side) + static_cast<std::size_t>(X)] =
        colour | opaqueBlack;
}
