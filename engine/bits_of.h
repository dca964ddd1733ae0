#pragma once

#include <cstdint>
#include <cstring>

// The bits of a floating-point value, as an unsigned word of its width. std::bit_cast does
// this, but not every standard library the program is built with has it yet.
inline std::uint64_t bitsOf(double value) {
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

inline std::uint32_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}
