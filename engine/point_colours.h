#pragma once

#include "channel_level.h"
#include "colour_mode.h"
#include "colour_value.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The last step of a table-driven pass: the colours of many points at once from the
// pattern's partial sums, by the level arithmetic of channel_level.h, either one point at a
// time or four at a time, with four mirror images, in 256-bit vector registers. Both give
// the same bits.

// What a pass hands over: the pattern's terms and where its partial sums are.
struct PointTerms {
    std::array<ChannelTerms, 3> channels;
    ColourMode mode;
    const double* radialSums; // red, green and blue per distinct radius
    // Each channel's, by slope index; none for a channel the mode fixes, whose level is
    // never shown.
    std::array<const double*, 3> angularTerms;
    // Each channel's at the negated angles, by slope index, where the C library's functions
    // lack the symmetry that makes them the same or negated; none elsewhere.
    std::array<const double*, 3> negatedAngularTerms;
    // Whether every level is known to lie inside the 32-bit range, where clamping it first
    // changes nothing.
    bool levelsInRange = false;
};

enum class LevelArithmetic : std::uint8_t { Plain, Wide };

// How many points the wide arithmetic takes at a time.
inline constexpr std::size_t wideLanes = 4;

// The widest arithmetic this processor offers: Wide where it has AVX2, Plain elsewhere.
LevelArithmetic widestLevelArithmetic();

// The arithmetic table-driven passes use: at first the widest. The tests choose each in
// turn; Wide is kept to processors that offer it.
LevelArithmetic passArithmetic();
void choosePassArithmetic(LevelArithmetic arithmetic);

// A channel's angular term at angle index angle, 2s or 2s + 1, from its tables of terms by
// slope index s: the negated angle 2s + 1 has the same cosine and the negated sine, unless
// negatedTerms holds its own.
inline double angularTermAt(const ChannelTerms& channel, const double* terms,
                            const double* negatedTerms, std::size_t angle) {
    const std::size_t slope = angle / 2;
    if (angle % 2 == 0) {
        return terms[slope];
    }
    if (negatedTerms != nullptr) {
        return negatedTerms[slope];
    }
    return channel.angularWave == Wave::Sine ? -terms[slope] : terms[slope];
}

// The colour of the point with radius index radiusIndex and angle index angleIndex.
ColourValue pointColour(const PointTerms& terms, std::size_t radiusIndex, std::size_t angleIndex);

// The colours of count points and of their mirror images in the centre row. Point i has
// radius index radiusIndices[i] and angle index 2 * slopeIndices[i], and its mirror image
// the same radius and angle index 2 * slopeIndices[i] + 1. Wide needs a processor with
// AVX2, and count a multiple of wideLanes.
void colourMirroredPoints(LevelArithmetic arithmetic, const PointTerms& terms,
                          const std::uint16_t* radiusIndices, const std::uint16_t* slopeIndices,
                          std::size_t count, ColourValue* colours, ColourValue* mirrorColours);
