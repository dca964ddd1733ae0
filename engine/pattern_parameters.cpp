#include "pattern_parameters.h"

#include "random_source.h"

#include <cmath>

namespace {

// u * 5 + 5, u * 10 + 2 and u * 7 + 1 are exact in double for every single u that matters;
// the rates are then rounded to single once, while the whole numbers are floored from the
// exact value (rounding it to single first would turn 10.99999976 into 11).
float drawRate(RandomSource& source) {
    const double u = source.nextUniform();
    return static_cast<float>(u * 5.0 + 5.0);
}

float drawFoldCount(RandomSource& source) {
    const double u = source.nextUniform();
    return static_cast<float>(std::floor(u * 10.0 + 2.0));
}

float drawGain(RandomSource& source) {
    return source.nextUniform() * 256.0F;
}

float drawMode(RandomSource& source) {
    const double u = source.nextUniform();
    return static_cast<float>(std::floor(u * 7.0 + 1.0));
}

} // namespace

PatternParameters drawPatternParameters(RandomSource& source) {
    // Designated initialisers are evaluated in order, which fixes the order of the draws.
    return PatternParameters{
        .a1 = drawRate(source),
        .a2 = drawRate(source),
        .a3 = drawRate(source),
        .n1 = drawFoldCount(source),
        .n2 = drawFoldCount(source),
        .n3 = drawFoldCount(source),
        .c1 = drawGain(source),
        .c2 = drawGain(source),
        .c3 = drawGain(source),
        .mode = drawMode(source),
    };
}
