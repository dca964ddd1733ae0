#include "pattern_code.h"

#include <array>
#include <cstddef>
#include <optional>

namespace {

// Crockford's base 32: the digits and the letters but I, L, O and U, which are too easily
// taken for 1, 1, 0 and V, or read as a word.
constexpr std::string_view alphabet = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
constexpr std::size_t codeLength = 16;
constexpr unsigned bitsPerSign = 5;

// CRC-16 with the CCITT polynomial over the state's bytes, high byte first. A CRC of
// degree 16 catches every error confined to 16 neighbouring bits of the 80: a sign mistyped
// changes 5 of them, two neighbours swapped at most 10.
std::uint16_t check(std::uint64_t state) {
    std::uint16_t crc = 0xFFFF;
    for (int shift = 56; shift >= 0; shift -= 8) {
        crc ^= static_cast<std::uint16_t>(((state >> static_cast<unsigned>(shift)) & 0xFFU) << 8U);
        for (int bit = 0; bit < 8; ++bit) {
            const bool carry = (crc & 0x8000U) != 0;
            crc = static_cast<std::uint16_t>(crc << 1U);
            if (carry) {
                crc ^= 0x1021U;
            }
        }
    }
    return crc;
}

// The value of a sign, with the letters people put for the digits they resemble.
std::optional<unsigned> signValue(char sign) {
    const char upper = (sign >= 'a' && sign <= 'z') ? static_cast<char>(sign - 'a' + 'A') : sign;
    if (upper == 'O') {
        return 0;
    }
    if (upper == 'I' || upper == 'L') {
        return 1;
    }
    const std::size_t at = alphabet.find(upper);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    return static_cast<unsigned>(at);
}

bool isWhiteSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

} // namespace

std::string codeText(PatternCode code) {
    // The 80 bits are a high word of 64 and a low one of 16, read off 5 at a time from the
    // top and shifted left as they go.
    std::uint64_t high = code.sourceState;
    auto low = check(code.sourceState);
    std::string text;
    for (std::size_t i = 0; i < codeLength; ++i) {
        text += alphabet[high >> (64 - bitsPerSign)];
        high = (high << bitsPerSign) | (std::uint64_t{low} >> (16 - bitsPerSign));
        low = static_cast<std::uint16_t>(low << bitsPerSign);
    }
    return text;
}

std::variant<PatternCode, CodeProblem> readCode(std::string_view text) {
    while (!text.empty() && isWhiteSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isWhiteSpace(text.back())) {
        text.remove_suffix(1);
    }
    std::array<unsigned, codeLength> values{};
    std::size_t count = 0;
    bool strangeSign = false;
    for (const char c : text) {
        if (c == ' ' || c == '-') {
            continue;
        }
        const std::optional<unsigned> value = signValue(c);
        if (!value) {
            strangeSign = true;
        } else if (count < codeLength) {
            values[count] = *value;
        }
        ++count;
    }
    if (count != codeLength) {
        return CodeProblem::WrongLength;
    }
    if (strangeSign) {
        return CodeProblem::NotACodeSign;
    }
    std::uint64_t high = 0;
    std::uint16_t low = 0;
    for (const unsigned value : values) {
        high = (high << bitsPerSign) | (std::uint64_t{low} >> (16 - bitsPerSign));
        low = static_cast<std::uint16_t>((unsigned{low} << bitsPerSign) | value);
    }
    if (check(high) != low) {
        return CodeProblem::CheckFails;
    }
    return PatternCode{high};
}
