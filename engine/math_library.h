#pragma once

// The C library's functions the colours are built on. Libraries differ in the last bit of
// their results, and none promises that its arctangent and sine are odd or its cosine even,
// so the colours are always worked out through this one place: the tests put functions of
// their own here to show that the pass keeps to the rule whatever the library gives.
struct MathLibrary {
    double (*sqrt)(double);
    double (*atan)(double);
    double (*sin)(double);
    double (*cos)(double);
};

namespace detail {
extern MathLibrary chosenMathLibrary;
} // namespace detail

inline const MathLibrary& mathLibrary() {
    return detail::chosenMathLibrary;
}

// The C library's own functions.
MathLibrary cLibraryMath();

// Puts other functions in place, for the tests: only while no table is being built and no
// pass runs, and before the tables that are to use them are built.
void useMathLibrary(const MathLibrary& library);
