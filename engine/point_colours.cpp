#include "point_colours.h"

#include <atomic>

// Defined in point_colours_wide.cpp, for x86-64 alone.
void colourPointsWide(const PointTerms& terms, const std::uint32_t* radiusIndices,
                      const std::uint32_t* angleIndices, std::size_t count, ColourValue* colours);

namespace {

std::atomic<LevelArithmetic>& chosenArithmetic() {
    static std::atomic<LevelArithmetic> chosen{widestLevelArithmetic()};
    return chosen;
}

} // namespace

LevelArithmetic widestLevelArithmetic() {
#ifdef __x86_64__
    // GCC gives an int and clang a bool.
    // NOLINTNEXTLINE(readability-redundant-casting)
    static const bool hasAvx2 = static_cast<bool>(__builtin_cpu_supports("avx2"));
    return hasAvx2 ? LevelArithmetic::Wide : LevelArithmetic::Plain;
#else
    return LevelArithmetic::Plain;
#endif
}

LevelArithmetic passArithmetic() {
    return chosenArithmetic().load(std::memory_order_relaxed);
}

void choosePassArithmetic(LevelArithmetic arithmetic) {
    chosenArithmetic().store(
        widestLevelArithmetic() == LevelArithmetic::Wide ? arithmetic : LevelArithmetic::Plain,
        std::memory_order_relaxed);
}

void colourPoints([[maybe_unused]] LevelArithmetic arithmetic, const PointTerms& terms,
                  const std::uint32_t* radiusIndices, const std::uint32_t* angleIndices,
                  std::size_t count, ColourValue* colours) {
#ifdef __x86_64__
    if (arithmetic == LevelArithmetic::Wide) {
        colourPointsWide(terms, radiusIndices, angleIndices, count, colours);
        return;
    }
#endif
    for (std::size_t i = 0; i < count; ++i) {
        const auto level = [&](std::size_t channel) {
            return channelLevel(terms.channels[channel],
                                terms.radialSums[(std::size_t{3} * radiusIndices[i]) + channel],
                                terms.angularTerms[channel][angleIndices[i]]);
        };
        colours[i] = modeColour(terms.mode, level(0), level(1), level(2));
    }
}
