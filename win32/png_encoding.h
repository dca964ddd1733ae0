#pragma once

#include "pattern_file.h"

#include <cstdint>
#include <vector>

// An image encoded as PNG by the Windows Imaging Component, with texts kept in it as tEXt
// chunks: rows top to bottom of three bytes a pixel, blue, green, red. Empty where it
// cannot be encoded.
std::vector<std::uint8_t> encodePng(const std::vector<std::uint8_t>& bgrRows, int width, int height,
                                    const std::vector<PngText>& texts);
