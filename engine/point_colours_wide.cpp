#include "point_colours_wide.h"

#ifdef __x86_64__

#include <array>
#include <immintrin.h>

// Four points and their four mirror images at a time, every lane doing the IEEE operation,
// in the grouping, that the plain arithmetic does for one point; no FMA, which AVX2 alone
// does not enable anyway.

namespace {

// roundHalfEven at each lane. Clamping to the 32-bit range first gives its ends where it
// gives them, and max before min sends NaN to the lower end, whose low byte is NaN's level,
// 0; within the range the clamp leaves every value as it is. Where the levels are known to
// lie inside the range, the clamp is left out.
template <bool clamp>
[[gnu::target("avx2"), gnu::always_inline]] inline __m128i wholeLevels(__m256d product) {
    if constexpr (clamp) {
        product = _mm256_min_pd(_mm256_max_pd(product, _mm256_set1_pd(wholeLowest)),
                                _mm256_set1_pd(wholeHighest));
    }
    // Whole numbers already, so truncating is exact.
    return _mm256_cvttpd_epi32(roundedToWhole(product));
}

// Of four pairs of doubles, a vector of the first of each and one of the second: two pairs
// fill a vector, and unpacking two such vectors sorts them. Loads, because the gather
// instruction is slower than loads on the processors measured.
struct Pairs {
    __m256d first;
    __m256d second;
};

[[gnu::target("avx2"), gnu::always_inline]] inline Pairs
pairs(const std::array<const double*, 4>& pair) {
    const __m256d even = _mm256_loadu2_m128d(pair[2], pair[0]);
    const __m256d odd = _mm256_loadu2_m128d(pair[3], pair[1]);
    return {_mm256_unpacklo_pd(even, odd), _mm256_unpackhi_pd(even, odd)};
}

// One channel's terms, in registers for every group of points.
struct WideChannel {
    __m256d gain;
    __m256d offset;
    // The sign bit for the sine, whose term at a negated angle is negated; 0 for the cosine.
    __m256d mirrorSign;
    __m128i levelByte; // shuffles each lane's low byte, its level modulo 256, into place
    const double* angularTerms;
    const double* negatedAngularTerms; // none where the symmetry holds
    bool fixed;
};

// The channel's level at four points, in the channel's byte of their colours.
template <bool clamp>
[[gnu::target("avx2"), gnu::always_inline]] inline __m128i
levelBits(const WideChannel& channel, __m256d radialSum, __m256d angularTerm) {
    const __m256d product = levelProduct(channel.gain, radialSum, channel.offset, angularTerm);
    return _mm_shuffle_epi8(wholeLevels<clamp>(product), channel.levelByte);
}

// The channel's level at four points added into their colours' byte for it, and at the
// points' mirror images into theirs, unless the mode fixes the channel. A point has its
// slope's angle and its mirror image the negation; flipping the sign bit negates exactly.
// Where the C library breaks the symmetry, the mirror images' terms have a table of their
// own.
template <bool clamp>
[[gnu::target("avx2"), gnu::always_inline]] inline void
addLevels(const WideChannel& channel, __m256d radialSum, const std::array<std::size_t, 4>& slopes,
          __m128i& colours, __m128i& mirrorColours) {
    if (channel.fixed) {
        return;
    }
    const double* terms = channel.angularTerms;
    const __m256d angular =
        _mm256_setr_pd(terms[slopes[0]], terms[slopes[1]], terms[slopes[2]], terms[slopes[3]]);
    colours = _mm_or_si128(colours, levelBits<clamp>(channel, radialSum, angular));
    const double* negated = channel.negatedAngularTerms;
    const __m256d mirrorAngular = negated == nullptr
                                      ? _mm256_xor_pd(angular, channel.mirrorSign)
                                      : _mm256_setr_pd(negated[slopes[0]], negated[slopes[1]],
                                                       negated[slopes[2]], negated[slopes[3]]);
    mirrorColours =
        _mm_or_si128(mirrorColours, levelBits<clamp>(channel, radialSum, mirrorAngular));
}

// The colours of count points and their mirror images, four of each at a time.
template <bool clamp>
[[gnu::target("avx2"), gnu::always_inline]] inline void
colourGroups(const PointTerms& terms, const std::array<WideChannel, 3>& channels,
             const std::uint16_t* radiusIndices, const std::uint16_t* slopeIndices,
             std::size_t count, ColourValue* colours, ColourValue* mirrorColours) {
    // The channels the mode fixes are the same at every point.
    const __m128i fixedLevels = _mm_set1_epi32(static_cast<int>(modeColour(terms.mode, 0, 0, 0)));
    for (std::size_t i = 0; i < count; i += wideLanes) {
        // A point and its mirror image have the same radius. Each point's red and green
        // radial sums are a pair; its blue sum follows them.
        const std::array<const double*, 4> sums = {
            terms.radialSums + (std::size_t{3} * radiusIndices[i]),
            terms.radialSums + (std::size_t{3} * radiusIndices[i + 1]),
            terms.radialSums + (std::size_t{3} * radiusIndices[i + 2]),
            terms.radialSums + (std::size_t{3} * radiusIndices[i + 3])};
        const Pairs redAndGreen = pairs(sums);
        const __m256d blue = _mm256_setr_pd(sums[0][2], sums[1][2], sums[2][2], sums[3][2]);
        __m128i pointColours = fixedLevels;
        __m128i mirrorPointColours = fixedLevels;
        // Each point's slope, the same place in every channel's table.
        const std::array<std::size_t, 4> slopes = {slopeIndices[i], slopeIndices[i + 1],
                                                   slopeIndices[i + 2], slopeIndices[i + 3]};
        addLevels<clamp>(channels[0], redAndGreen.first, slopes, pointColours, mirrorPointColours);
        addLevels<clamp>(channels[1], redAndGreen.second, slopes, pointColours, mirrorPointColours);
        addLevels<clamp>(channels[2], blue, slopes, pointColours, mirrorPointColours);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(colours + i), pointColours);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(mirrorColours + i), mirrorPointColours);
    }
}

} // namespace

[[gnu::target("avx2")]] void colourMirroredPointsWide(const PointTerms& terms,
                                                      const std::uint16_t* radiusIndices,
                                                      const std::uint16_t* slopeIndices,
                                                      std::size_t count, ColourValue* colours,
                                                      ColourValue* mirrorColours) {
    // The channels the mode does not fix are worked out together, so that each group of
    // points is read and written once.
    std::array<WideChannel, 3> channels{};
    for (std::size_t channel = 0; channel < 3; ++channel) {
        // Byte 4k of the levels to byte 4k + channel of the colours; the shuffle clears every
        // byte whose selector has its top bit set.
        const auto c = static_cast<char>(channel);
        const auto byteOf = [c](char lane, char byte) {
            return byte == c ? static_cast<char>(4 * lane) : static_cast<char>(-128);
        };
        const bool sine = terms.channels[channel].angularWave == Wave::Sine;
        channels[channel] = {_mm256_set1_pd(terms.channels[channel].gain),
                             _mm256_set1_pd(terms.channels[channel].angularOffset),
                             _mm256_set1_pd(sine ? -0.0 : 0.0),
                             _mm_setr_epi8(byteOf(0, 0), byteOf(0, 1), byteOf(0, 2), byteOf(0, 3),
                                           byteOf(1, 0), byteOf(1, 1), byteOf(1, 2), byteOf(1, 3),
                                           byteOf(2, 0), byteOf(2, 1), byteOf(2, 2), byteOf(2, 3),
                                           byteOf(3, 0), byteOf(3, 1), byteOf(3, 2), byteOf(3, 3)),
                             terms.angularTerms[channel],
                             terms.negatedAngularTerms[channel],
                             terms.mode.fixed[channel]};
    }
    if (terms.levelsInRange) {
        colourGroups<false>(terms, channels, radiusIndices, slopeIndices, count, colours,
                            mirrorColours);
    } else {
        colourGroups<true>(terms, channels, radiusIndices, slopeIndices, count, colours,
                           mirrorColours);
    }
}

#endif
