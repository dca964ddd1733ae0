#pragma once

#include <cstdint>

// The clock and the pseudo-random generator that every pattern is drawn from. One source
// is in use for the whole process; a scripted one can be installed in its place.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    // Local time of day in seconds since midnight, fraction included.
    virtual float timeOfDaySeconds() = 0;

    // Mixes seed into the current state, so equal seeds in a row still give new values.
    virtual void reseed(float seed) = 0;

    // The next value of the sequence, uniform on [0, 1): 0 may occur, 1 never does.
    virtual float nextUniform() = 0;

    // The sequence's whole state: restoring it later draws the same values again.
    virtual std::uint64_t state() const = 0;
    virtual void restoreState(std::uint64_t state) = 0;

protected:
    RandomSource() = default;
    RandomSource(const RandomSource&) = default;
    RandomSource& operator=(const RandomSource&) = default;
};

// The source in use: the installed replacement if there is one, the system's otherwise.
RandomSource& randomSource();

// Puts replacement in use (nullptr restores the system's source) and returns the source
// that was in use before. The caller keeps ownership and keeps it alive while installed.
RandomSource* installRandomSource(RandomSource* replacement);
