#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <variant>
#include <vector>

// A text kept in a pattern's PNG, as a tEXt chunk: a keyword and its value, both Latin-1.
struct PngText {
    std::string key;
    std::string value;
};

// What a pattern's PNG carries, saved, copied or dragged out: its code under "Pattern", the
// program and its version under "Software", and when it was made under "Creation Time", in
// the form the PNG format recommends (RFC 1123, in UTC).
std::vector<PngText> patternPngTexts(const std::string& code,
                                     std::chrono::system_clock::time_point now);

// The name a save dialog offers for a pattern: its code, so that the file names it too.
std::string suggestedFileName(const std::string& code);

// The largest file that opening reads: a pattern's PNG is well under a megabyte, and
// anything far larger is refused before it is read.
inline constexpr std::int64_t largestPatternFile = 64LL * 1024 * 1024;

// The bytes of a file chosen or dropped to be opened, or why it cannot be a pattern's.
std::variant<std::vector<std::uint8_t>, std::string>
readPatternFile(const std::filesystem::path& file);

// A file's name as messages show it, in UTF-8.
std::string shownFileName(const std::filesystem::path& file);
