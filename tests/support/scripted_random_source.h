#pragma once

#include "journal.h"
#include "random_source.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

// A random source that replays a fixed script of uniform values, cycling through it, and
// reads a fixed clock. It writes every call to a journal, if given one, and tells an
// observer of it, and is the source in use for its lifetime.
class ScriptedRandomSource final : public RandomSource {
public:
    explicit ScriptedRandomSource(std::vector<float> uniforms, Journal* journal = nullptr,
                                  float clockReading = 43200.5F)
        : m_uniforms(std::move(uniforms)), m_journal(journal), m_clockReading(clockReading),
          m_previous(installRandomSource(this)) {}
    ~ScriptedRandomSource() override { installRandomSource(m_previous); }
    ScriptedRandomSource(const ScriptedRandomSource&) = delete;
    ScriptedRandomSource& operator=(const ScriptedRandomSource&) = delete;

    float timeOfDaySeconds() override {
        record(Step::TimeOfDay);
        return m_clockReading;
    }
    void reseed(float seed) override {
        seeds.push_back(seed);
        record(Step::Reseed);
    }
    float nextUniform() override {
        const float value = m_uniforms[m_next % m_uniforms.size()];
        ++m_next;
        record(Step::NextUniform);
        return value;
    }
    // The state is the place in the script.
    std::uint64_t state() const override { return m_next; }
    void restoreState(std::uint64_t state) override {
        m_next = static_cast<std::size_t>(state);
        record(Step::RestoreState);
    }

    std::function<void(Step)> onCall;
    std::vector<float> seeds;
    long calls = 0;

private:
    void record(Step step) {
        ++calls;
        if (m_journal != nullptr) {
            m_journal->push_back({step});
        }
        if (onCall) {
            onCall(step);
        }
    }

    std::vector<float> m_uniforms;
    Journal* m_journal;
    float m_clockReading;
    std::size_t m_next = 0;
    RandomSource* m_previous;
};
