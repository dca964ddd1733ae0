#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

// What a paste or a drop brings that may name a pattern, as the toolkit finds it on the
// clipboard or in the drop: the first of these it holds, in this order, or nothing.
struct OfferedFile {
    std::filesystem::path path;
};
struct OfferedPng {
    std::vector<std::uint8_t> bytes;
};
// An image only in formats that keep no text, so no code.
struct OfferedImage {};
struct OfferedText {
    std::string utf8;
};
using OfferedPattern =
    std::variant<std::monostate, OfferedFile, OfferedPng, OfferedImage, OfferedText>;
