#pragma once

class RandomSource;

// The ten values that fix a pattern, each held in single precision as it was drawn.
struct PatternParameters {
    float a1 = 5.0F; // rates and offsets, [5, 10]
    float a2 = 5.0F;
    float a3 = 5.0F;
    float n1 = 2.0F; // fold counts of the angular terms, whole numbers 2..11
    float n2 = 2.0F;
    float n3 = 2.0F;
    float c1 = 0.0F; // gains and fixed levels, [0, 256)
    float c2 = 0.0F;
    float c3 = 0.0F;
    float mode = 1.0F; // colour mode, a whole number 1..7
};

// Draws a fresh record with ten nextUniform() calls, in field order.
PatternParameters drawPatternParameters(RandomSource& source);
