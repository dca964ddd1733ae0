#pragma once

#include "math_library.h"
#include "pattern_parameters.h"
#include "round_half_even.h"

#include <array>
#include <cstdint>

// How a channel's level is formed from the radius r and the angle t of a point:
//
//     roundHalfEven(gain * ((rate + radialWave(rate * r)) + (offset + angularWave((2n) * t))))
//
// reduced modulo 256. The per-point rule and the table-driven pass both build their levels
// from these pieces, in this grouping, so the two cannot drift apart.

enum class Wave : std::uint8_t { Sine, Cosine };

inline double wave(Wave kind, double argument) {
    return kind == Wave::Sine ? mathLibrary().sin(argument) : mathLibrary().cos(argument);
}

// One channel's share of the parameters.
struct ChannelTerms {
    double rate;          // rate of the radial term, and its offset
    double angularOffset; // offset of the angular term: the next channel's rate
    double foldCount;     // n of the angular term
    double gain;
    Wave radialWave;
    Wave angularWave;
};

// Red, green and blue, in that order. Red and blue take the sine of the radial argument and
// the cosine of the angular one; green the other way round.
inline std::array<ChannelTerms, 3> channelTerms(const PatternParameters& p) {
    return {{{p.a1, p.a2, p.n1, p.c1, Wave::Sine, Wave::Cosine},
             {p.a2, p.a3, p.n2, p.c2, Wave::Cosine, Wave::Sine},
             {p.a3, p.a1, p.n3, p.c3, Wave::Sine, Wave::Cosine}}};
}

// The radial partial sum, rate plus radial term.
inline double radialSum(const ChannelTerms& channel, double r) {
    return channel.rate + wave(channel.radialWave, channel.rate * r);
}

// The angular term: it depends on the angle and the fold count alone. The multiplier 2n
// is formed first, exactly.
inline double angularTerm(Wave kind, double foldCount, double t) {
    return wave(kind, (2.0 * foldCount) * t);
}

// The level's product from the radial partial sum and the angular term, in the rule's
// grouping: the angular partial sum, offset plus angular term, is formed first. Real is
// double, or a vector of doubles whose operators are the same IEEE operations lane by lane,
// so the pass's wide arithmetic is this very expression.
template <typename Real>
[[gnu::always_inline]] inline Real levelProduct(Real gain, Real radialSum, Real angularOffset,
                                                Real angularTerm) {
    return gain * (radialSum + (angularOffset + angularTerm));
}

// The level from the radial partial sum and the angular term. Rounding comes before the
// remainder; the unsigned view keeps the remainder in 0..255 for any integer.
inline std::int32_t channelLevel(const ChannelTerms& channel, double radialSum,
                                 double angularTerm) {
    const double product =
        levelProduct(channel.gain, radialSum, channel.angularOffset, angularTerm);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(roundHalfEven(product)) & 0xFFU);
}
