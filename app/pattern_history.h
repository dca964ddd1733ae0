#pragma once

#include "pattern_code.h"

#include <cstddef>
#include <deque>
#include <optional>

// The patterns drawn in this run, oldest first, and which of them is on show. A pattern
// drawn anew, by "new" or from a code, goes at the end whichever is on show, so going back
// and drawing again never loses a later one. Past the capacity the oldest are let go.
class PatternHistory {
public:
    static constexpr std::size_t capacity = 10'000;

    // Puts code at the end and on show.
    void add(PatternCode code);

    // Puts the pattern before or after the one on show on show and returns it, or returns
    // nothing and stays where it is at either end.
    std::optional<PatternCode> back();
    std::optional<PatternCode> forward();

    // The pattern on show; nothing before the first is added.
    std::optional<PatternCode> shown() const;

private:
    std::deque<PatternCode> m_codes;
    std::size_t m_shown = 0;
};
