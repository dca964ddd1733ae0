#pragma once

#include <cstdint>
#include <span>
#include <string>

// The SHA-256 digest of bytes, as 64 lowercase hexadecimal digits.
std::string sha256Hex(std::span<const std::uint8_t> bytes);
