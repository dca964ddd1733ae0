#include "point_colours.h"

#include "point_colours_wide.h"

#include <atomic>

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

ColourValue pointColour(const PointTerms& terms, std::size_t radiusIndex, std::size_t angleIndex) {
    const auto level = [&](std::size_t channel) {
        if (terms.mode.fixed[channel]) {
            return std::int32_t{0};
        }
        const ChannelTerms& rule = terms.channels[channel];
        return channelLevel(rule, terms.radialSums[(std::size_t{3} * radiusIndex) + channel],
                            angularTermAt(rule, terms.angularTerms[channel],
                                          terms.negatedAngularTerms[channel], angleIndex));
    };
    return modeColour(terms.mode, level(0), level(1), level(2));
}

void colourMirroredPoints([[maybe_unused]] LevelArithmetic arithmetic, const PointTerms& terms,
                          const std::uint16_t* radiusIndices, const std::uint16_t* slopeIndices,
                          std::size_t count, ColourValue* colours, ColourValue* mirrorColours) {
#ifdef __x86_64__
    if (arithmetic == LevelArithmetic::Wide) {
        colourMirroredPointsWide(terms, radiusIndices, slopeIndices, count, colours, mirrorColours);
        return;
    }
#endif
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t angle = 2 * std::size_t{slopeIndices[i]};
        colours[i] = pointColour(terms, radiusIndices[i], angle);
        mirrorColours[i] = pointColour(terms, radiusIndices[i], angle + 1);
    }
}
