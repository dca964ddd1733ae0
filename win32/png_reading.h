#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the Windows Imaging Component finds in PNG bytes: nothing where they are not a whole
// PNG it can decode, else the text kept under the pattern code's key, empty where none is.
std::optional<std::string> codeTextOfPng(const std::vector<std::uint8_t>& png);
