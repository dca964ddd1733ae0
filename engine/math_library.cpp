#include "math_library.h"

#include <cmath>

namespace {

// The standard library's functions may not have their addresses taken, so each is called
// from a function of the program's own.
double librarySqrt(double v) {
    return std::sqrt(v);
}

double libraryAtan(double v) {
    return std::atan(v);
}

double librarySin(double v) {
    return std::sin(v);
}

double libraryCos(double v) {
    return std::cos(v);
}

} // namespace

MathLibrary cLibraryMath() {
    return {librarySqrt, libraryAtan, librarySin, libraryCos};
}

namespace detail {
MathLibrary chosenMathLibrary = cLibraryMath();
} // namespace detail

void useMathLibrary(const MathLibrary& library) {
    detail::chosenMathLibrary = library;
}
