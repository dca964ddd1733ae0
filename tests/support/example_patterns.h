#pragma once

#include "pattern_parameters.h"

// The parameters of the worked example, with the mode set per case.
inline PatternParameters workedExample(float mode) {
    return {.a1 = 5.0F,
            .a2 = 7.5F,
            .a3 = 10.0F,
            .n1 = 2.0F,
            .n2 = 5.0F,
            .n3 = 11.0F,
            .c1 = 100.0F,
            .c2 = 200.5F,
            .c3 = 255.5F,
            .mode = mode};
}

// A second pattern with every fold count different, its red gain set per case.
inline PatternParameters secondExample(float c1) {
    return {.a1 = 6.25F,
            .a2 = 8.5F,
            .a3 = 9.75F,
            .n1 = 3.0F,
            .n2 = 7.0F,
            .n3 = 4.0F,
            .c1 = c1,
            .c2 = 37.5F,
            .c3 = 250.25F,
            .mode = 1.0F};
}
