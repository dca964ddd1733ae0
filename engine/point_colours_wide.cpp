#if defined(__GNUC__) && !defined(__clang__)
// The level templates take vectors here and are always inlined into AVX2 code, so no call
// passes a vector across the ABI that GCC warns changes with AVX.
#pragma GCC diagnostic ignored "-Wpsabi"
#endif

#include "point_colours.h"

#ifdef __x86_64__

#include <immintrin.h>

// Four points at a time, every lane doing the IEEE operation, in the grouping, that the
// plain arithmetic does for one point; no FMA, which AVX2 alone does not enable anyway.

void colourPointsWide(const PointTerms& terms, const std::uint32_t* radiusIndices,
                      const std::uint32_t* angleIndices, std::size_t count, ColourValue* colours);

namespace {

// The low byte of roundHalfEven at each lane. Clamping to the 32-bit range first gives its
// ends where it gives them, and max before min sends NaN to the lower end, whose low byte
// is NaN's level, 0; within the range the clamp leaves every value as it is.
[[gnu::target("avx2"), gnu::always_inline]] inline __m128i levelBytes(__m256d product) {
    const __m256d clamped = _mm256_min_pd(_mm256_max_pd(product, _mm256_set1_pd(wholeLowest)),
                                          _mm256_set1_pd(wholeHighest));
    // Whole numbers already, so truncating is exact.
    const __m128i whole = _mm256_cvttpd_epi32(roundedToWhole(clamped));
    return _mm_and_si128(whole, _mm_set1_epi32(0xFF));
}

// base[stride * indices[i]] at each lane i. Four loads, because the gather instruction is
// slower than them on the processors measured.
template <std::size_t stride>
[[gnu::target("avx2"), gnu::always_inline]] inline __m256d gather(const double* base,
                                                                  const std::uint32_t* indices) {
    return _mm256_setr_pd(base[stride * indices[0]], base[stride * indices[1]],
                          base[stride * indices[2]], base[stride * indices[3]]);
}

} // namespace

[[gnu::target("avx2")]] void colourPointsWide(const PointTerms& terms,
                                              const std::uint32_t* radiusIndices,
                                              const std::uint32_t* angleIndices, std::size_t count,
                                              ColourValue* colours) {
    // The channels the mode fixes are the same at every point. The others are computed one
    // channel at a time over all the points, so that each channel's terms stay in registers.
    const ColourValue fixedLevels = modeColour(terms.mode, 0, 0, 0);
    for (std::size_t i = 0; i < count; ++i) {
        colours[i] = fixedLevels;
    }
    for (std::size_t channel = 0; channel < 3; ++channel) {
        if (terms.mode.fixed[channel]) {
            continue;
        }
        const __m256d gain = _mm256_set1_pd(terms.channels[channel].gain);
        const __m256d offset = _mm256_set1_pd(terms.channels[channel].angularOffset);
        const double* radialSums = terms.radialSums + channel;
        const double* angularTerms = terms.angularTerms[channel];
        const __m128i shift = _mm_cvtsi32_si128(static_cast<int>(8 * channel));
        for (std::size_t i = 0; i < count; i += wideLanes) {
            const __m256d product = levelProduct(gain, gather<3>(radialSums, radiusIndices + i),
                                                 offset, gather<1>(angularTerms, angleIndices + i));
            auto* colour = reinterpret_cast<__m128i*>(colours + i);
            _mm_storeu_si128(colour, _mm_or_si128(_mm_loadu_si128(colour),
                                                  _mm_sll_epi32(levelBytes(product), shift)));
        }
    }
}

#endif
