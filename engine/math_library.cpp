#include "math_library.h"

#include <cmath>

MathLibrary cLibraryMath() {
    return {[](double v) { return std::sqrt(v); }, [](double v) { return std::atan(v); },
            [](double v) { return std::sin(v); },
            [](double v) {
                return std::cos(v);
            }};
}

namespace detail {
MathLibrary chosenMathLibrary = cLibraryMath();
} // namespace detail

void useMathLibrary(const MathLibrary& library) {
    detail::chosenMathLibrary = library;
}
