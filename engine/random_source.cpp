#include "random_source.h"

#include <array>
#include <bit>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <random>

namespace {

// The local time of day, where the C library has a thread-safe way to it: POSIX's
// localtime_r, or Windows' localtime_s with its arguments the other way round.
bool toLocalTime(const std::time_t& time, std::tm& local) {
#ifdef _WIN32
    return localtime_s(&local, &time) == 0;
#else
    return localtime_r(&time, &local) != nullptr;
#endif
}

class SystemRandomSource final : public RandomSource {
public:
    float timeOfDaySeconds() override {
        using namespace std::chrono;
        const auto now = system_clock::now();
        const std::time_t wholeSeconds = system_clock::to_time_t(now);
        std::tm local{};
        if (!toLocalTime(wholeSeconds, local)) {
            return 0.0F;
        }
        const auto fraction = duration<double>(now - system_clock::from_time_t(wholeSeconds));
        const double sinceMidnight =
            local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + fraction.count();
        return static_cast<float>(sinceMidnight);
    }

    void reseed(float seed) override {
        // Two words of the current sequence go in with the seed, so a reseed with the
        // clock reading of the reseed before it still moves the sequence on.
        const std::array<std::uint32_t, 2> carried = {static_cast<std::uint32_t>(m_engine()),
                                                      static_cast<std::uint32_t>(m_engine())};
        std::seed_seq mixed{std::bit_cast<std::uint32_t>(seed), carried[0], carried[1]};
        m_engine.seed(mixed);
    }

    float nextUniform() override {
        // 24 random bits scaled by 2^-24 are exact in single precision and stay below 1,
        // which the library's float distributions do not always promise.
        constexpr float unitOfLastPlace = 0x1p-24F;
        return static_cast<float>(m_engine() >> 8U) * unitOfLastPlace;
    }

private:
    std::mt19937 m_engine;
};

SystemRandomSource systemSource;
RandomSource* sourceInUse = &systemSource;

} // namespace

RandomSource& randomSource() {
    return *sourceInUse;
}

RandomSource* installRandomSource(RandomSource* replacement) {
    RandomSource* const previous = sourceInUse;
    sourceInUse = replacement != nullptr ? replacement : &systemSource;
    return previous;
}
