#pragma once

#include <cstdint>
#include <vector>

// An image encoded as PNG by the Windows Imaging Component: rows top to bottom of three
// bytes a pixel, blue, green, red. Empty where it cannot be encoded.
std::vector<std::uint8_t> encodePng(const std::vector<std::uint8_t>& bgrRows, int width,
                                    int height);
