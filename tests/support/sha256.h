#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The SHA-256 of bytes, as 64 lowercase hexadecimal digits, from the platform's own
// cryptography.
std::string sha256Hex(const std::vector<std::uint8_t>& bytes);
