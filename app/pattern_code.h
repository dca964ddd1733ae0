#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

// What names a pattern: the random source's state after the reseed that began its pass.
// Restoring that state draws the same ten parameters, so the same pixels on every platform.
struct PatternCode {
    std::uint64_t sourceState = 0;

    friend bool operator==(const PatternCode&, const PatternCode&) = default;
};

// Why a text is not a pattern's code.
enum class CodeProblem {
    WrongLength,  // not 16 letters and digits
    NotACodeSign, // holds a character no code has, as U or a punctuation mark
    CheckFails,   // mistyped: the check does not match the rest
};

// The code as people read, say and type it: 16 letters and digits, upper case, from an
// alphabet without I, L, O or U, the state's 64 bits followed by a 16-bit check.
std::string codeText(PatternCode code);

// The code a text holds, or why it holds none. Case does not matter, nor spaces and hyphens
// between the signs, nor white space around them; I and L are read as 1, O as 0. Any one
// sign mistyped, and any two neighbours swapped, fail the check.
std::variant<PatternCode, CodeProblem> readCode(std::string_view text);
