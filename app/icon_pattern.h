#pragma once

#include "pattern_parameters.h"

// The pattern the program's icon shows, on every platform. Few folds and low gains give
// broad bands that stay legible at 16 pixels.
constexpr PatternParameters iconParameters{.a1 = 5.5F,
                                           .a2 = 7.0F,
                                           .a3 = 9.0F,
                                           .n1 = 2.0F,
                                           .n2 = 3.0F,
                                           .n3 = 2.0F,
                                           .c1 = 24.0F,
                                           .c2 = 16.0F,
                                           .c3 = 30.0F,
                                           .mode = 1.0F};

// The disc the icon is cut to leaves this share of the side free at each edge.
constexpr double iconMarginShare = 1.0 / 32.0;
