#include "pattern_history.h"

void PatternHistory::add(PatternCode code) {
    if (m_codes.size() == capacity) {
        m_codes.pop_front();
    }
    m_codes.push_back(code);
    m_shown = m_codes.size() - 1;
}

std::optional<PatternCode> PatternHistory::back() {
    if (m_shown == 0 || m_codes.empty()) {
        return std::nullopt;
    }
    --m_shown;
    return m_codes[m_shown];
}

std::optional<PatternCode> PatternHistory::forward() {
    if (m_shown + 1 >= m_codes.size()) {
        return std::nullopt;
    }
    ++m_shown;
    return m_codes[m_shown];
}

std::optional<PatternCode> PatternHistory::shown() const {
    if (m_codes.empty()) {
        return std::nullopt;
    }
    return m_codes[m_shown];
}
