#include "drawing_pass.h"
#include "grid_digest.h"
#include "pattern_parameters.h"
#include "plane_coordinates.h"
#include "recording_window.h"
#include "scripted_random_source.h"

#include <cstddef>
#include <stdexcept>

#include <gtest/gtest.h>

namespace {

const std::vector<float> script = {0.5F, 0.25F, 0.75F, 0.05F, 0.45F, 0.95F, 0.4F, 0.6F, 0.2F, 0.5F};
constexpr std::size_t pointsPerPattern = scanIndex(500, 500) + 1;
constexpr std::size_t stepsPerPass = 2 + 1 + 10 + pointsPerPattern;

PatternParameters scriptedParameters() {
    ScriptedRandomSource source(script);
    return drawPatternParameters(source);
}

// Checks one pass's share of a journal, starting at first: the clock read and the reseed,
// one clear, ten draws, then every point in scan order with the colour the rule gives.
void expectOnePass(const Journal& journal, std::size_t first) {
    ASSERT_GE(journal.size(), first + stepsPerPass);
    EXPECT_EQ(journal[first].step, Step::TimeOfDay);
    EXPECT_EQ(journal[first + 1].step, Step::Reseed);
    EXPECT_EQ(journal[first + 2].step, Step::ClearWindowDrawing);
    for (std::size_t i = first + 3; i < first + 13; ++i) {
        EXPECT_EQ(journal[i].step, Step::NextUniform) << "step " << i;
    }
    const std::vector<ColourValue> expected = gridColours(scriptedParameters());
    for (std::size_t point = 0; point < pointsPerPattern; ++point) {
        const JournalEntry& entry = journal[first + 13 + point];
        ASSERT_EQ(entry.step, Step::Plot) << "point " << point;
        ASSERT_EQ(entry.X, static_cast<int>(point / plane::gridSide)) << "point " << point;
        ASSERT_EQ(entry.Y, static_cast<int>(point % plane::gridSide)) << "point " << point;
        ASSERT_EQ(entry.colour, expected[point]) << "point " << point;
    }
}

} // namespace

TEST(DrawingPass, ReseedsClearsDrawsThenPlotsEveryPointInScanOrder) {
    Journal journal;
    ScriptedRandomSource source(script, &journal, 1234.5F);
    RecordingWindow window(journal);

    DrawPattern(window);

    EXPECT_EQ(journal.size(), stepsPerPass);
    expectOnePass(journal, 0);
    EXPECT_EQ(source.seeds, std::vector<float>{1234.5F});
}

TEST(DrawingPass, EveryPassStartsAfreshWithItsOwnReseed) {
    Journal journal;
    ScriptedRandomSource source(script, &journal);
    RecordingWindow window(journal);

    DrawPattern(window);
    DrawPattern(window);

    EXPECT_EQ(journal.size(), 2 * stepsPerPass);
    expectOnePass(journal, 0);
    expectOnePass(journal, stepsPerPass);
    EXPECT_EQ(source.seeds.size(), 2U);
}

namespace {

// A window whose own drawing always fails and whose canvas fails on every other column.
struct FailingWindow final : DrawingWindow, Canvas {
    void clearWindowDrawing() override { throw std::runtime_error("window system failed"); }
    Canvas& canvas() override { return *this; }
    void plot(int X, int /*Y*/, ColourValue /*colour*/) override {
        ++plots;
        if (X % 2 == 0) {
            throw std::runtime_error("window system failed");
        }
    }
    std::size_t plots = 0;
};

} // namespace

TEST(DrawingPass, FailuresOfTheWindowAreAbsorbedAndThePassGoesOn) {
    Journal journal;
    ScriptedRandomSource source(script, &journal);
    FailingWindow window;

    EXPECT_NO_THROW(DrawPattern(window));

    EXPECT_EQ(window.plots, pointsPerPattern);
    EXPECT_EQ(journal.size(), 2U + 10U);
}
