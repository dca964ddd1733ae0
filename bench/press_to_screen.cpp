// How long a press of "new" takes to reach the screen: the real program on the X server
// named by DISPLAY, pressed through the server's input path, timed until the canvas the
// screen shows has changed; the same for the program built with a pass that plots one flat
// colour, the floor no pass can go below; and a step back with Ctrl+Z, which redraws an
// earlier pattern from its code. Repetitions alternate between them. Run under xvfb-run;
// see the README.

#include "child_process.h"
#include "form1_layout.h"
#include "program_timings.h"
#include "x_session.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// A row of the canvas, where a new pattern shows.
constexpr int shownRow = layout::picture1.top + 100;

const std::array programs = {TimedProgram{"pattern-generator", PATTERN_GENERATOR},
                             TimedProgram{"floor", PATTERN_GENERATOR_FLOOR}};
ProgramSamples pressTimes;

enum class Step { pressNew, goBack };

void stepToScreen(benchmark::State& state, const TimedProgram& timed, Step step) {
    XSession session;
    ChildProcess program(timed.path, {});
    const auto form1 = session.waitForWindow("Form1", 20s);
    if (!session.connected() || !form1) {
        state.SkipWithError("no X server, or no window captioned Form1");
        return;
    }
    std::this_thread::sleep_for(500ms); // past start-up
    session.movePointer(*form1, layout::centreX(layout::command1),
                        layout::centreY(layout::command1));
    std::vector<std::uint32_t> before =
        session.pixels(*form1, layout::picture1.left, shownRow, layout::picture1.width, 1);
    const auto waitForChange = [&] {
        std::vector<std::uint32_t> shown;
        // One row is enough to see the change, and reading it keeps the X server, which
        // shares the processor with the program, nearly idle.
        const auto since = std::chrono::steady_clock::now();
        do {
            std::this_thread::sleep_for(200us);
            shown =
                session.pixels(*form1, layout::picture1.left, shownRow, layout::picture1.width, 1);
        } while (shown == before && std::chrono::steady_clock::now() - since < 5s);
        before = std::move(shown);
    };
    // Patterns to go back through, one for each step and one to start from.
    if (step == Step::goBack) {
        for (benchmark::IterationCount drawn = 0; drawn < state.max_iterations; ++drawn) {
            session.click();
            waitForChange();
        }
        std::this_thread::sleep_for(500ms);
    }

    while (state.KeepRunning()) {
        const auto pressed = std::chrono::steady_clock::now();
        if (step == Step::pressNew) {
            session.click();
        } else {
            session.pressKey("z", "Control_L");
        }
        waitForChange();
        const auto onScreen = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(onScreen - pressed).count();
        state.SetIterationTime(seconds);
        pressTimes[std::string(timed.name) + (step == Step::goBack ? " back" : "")].push_back(
            1000.0 * seconds);
        std::this_thread::sleep_for(100ms); // let the program go idle between presses
    }
    session.requestClose(*form1);
    program.waitForExit(10s);
}

} // namespace

BENCHMARK_CAPTURE(stepToScreen, pattern_generator, programs[0], Step::pressNew)
    ->Apply(timedManually<10>);
BENCHMARK_CAPTURE(stepToScreen, floor, programs[1], Step::pressNew)->Apply(timedManually<10>);
BENCHMARK_CAPTURE(stepToScreen, pattern_generator_back, programs[0], Step::goBack)
    ->Apply(timedManually<10>);

int main(int argc, char** argv) {
    return runThenSummarise(argc, argv, {{"Press to screen", &pressTimes}});
}
