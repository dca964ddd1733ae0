#include "random_source.h"

#include "bits_of.h"

#include <chrono>
#include <cstdint>
#include <ctime>

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
        // The sequence steps on and the seed is mixed into where it stands, so a reseed with
        // the clock reading of the reseed before it still gives new values.
        m_state = mixed(next() ^ bitsOf(seed));
    }

    float nextUniform() override {
        // 24 random bits scaled by 2^-24 are exact in single precision and stay below 1,
        // which the library's float distributions do not always promise.
        constexpr float unitOfLastPlace = 0x1p-24F;
        return static_cast<float>(next() >> 40U) * unitOfLastPlace;
    }

    std::uint64_t state() const override { return m_state; }
    void restoreState(std::uint64_t state) override { m_state = state; }

private:
    // SplitMix64: a Weyl sequence through a bijective mix. Its whole state is one 64-bit
    // word, so a pattern's code can carry it, and every word is a valid state.
    static std::uint64_t mixed(std::uint64_t z) {
        z = (z ^ (z >> 30U)) * 0xBF58476D1CE4E5B9U;
        z = (z ^ (z >> 27U)) * 0x94D049BB133111EBU;
        return z ^ (z >> 31U);
    }

    std::uint64_t next() {
        m_state += 0x9E3779B97F4A7C15U;
        return mixed(m_state);
    }

    std::uint64_t m_state = 0;
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
