#pragma once

#include "canvas.h"
#include "form1_layout.h"

#include <cstdint>
#include <vector>

// The page's drawing surface as the engine draws into it: 500 x 500 pixels in memory, each
// four bytes of red, green, blue and alpha, as a canvas's image data holds them, so that the
// page puts them on the screen as they are.
class PageCanvas final : public Canvas {
public:
    static constexpr int side = layout::picture1.width;

    PageCanvas() : m_pixels(std::size_t{side} * side, opaqueBlack) {}

    void plot(int X, int Y, ColourValue colour) override;

    const std::uint32_t* pixels() const { return m_pixels.data(); }

private:
    static constexpr std::uint32_t opaqueBlack = 0xFF000000U;

    std::vector<std::uint32_t> m_pixels;
};
