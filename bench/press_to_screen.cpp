// How long a press of "new" takes to reach the screen: the real program on the X server
// named by DISPLAY, pressed through the server's input path, timed until the canvas the
// screen shows has changed. Run under xvfb-run; see the README.

#include "child_process.h"
#include "x_session.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

using namespace std::chrono_literals;

constexpr int canvasLeft = 56;
constexpr int canvasTop = 64;
constexpr int canvasSide = 500;

void pressToScreen(benchmark::State& state) {
    XSession session;
    ChildProcess program(PATTERN_GENERATOR, {});
    const auto form1 = session.waitForWindow("Form1", 20s);
    if (!session.connected() || !form1) {
        state.SkipWithError("no X server, or no window captioned Form1");
        return;
    }
    std::this_thread::sleep_for(500ms); // past start-up
    session.movePointer(*form1, 576 + 57 / 2, 544 + 17 / 2);
    std::vector<std::uint32_t> before =
        session.pixels(*form1, canvasLeft, canvasTop + 100, canvasSide, 1);
    std::vector<double> times;

    while (state.KeepRunning()) {
        const auto pressed = std::chrono::steady_clock::now();
        session.click();
        std::vector<std::uint32_t> shown;
        // One row is enough to see the change, and reading it keeps the X server, which
        // shares the processor with the program, nearly idle.
        do {
            std::this_thread::sleep_for(200us);
            shown = session.pixels(*form1, canvasLeft, canvasTop + 100, canvasSide, 1);
        } while (shown == before && std::chrono::steady_clock::now() - pressed < 5s);
        const auto onScreen = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(onScreen - pressed).count();
        state.SetIterationTime(seconds);
        times.push_back(seconds);
        before = std::move(shown);
        std::this_thread::sleep_for(100ms); // let the program go idle between presses
    }
    std::ranges::sort(times);
    state.counters["median_ms"] = 1000.0 * times[times.size() / 2];
    state.counters["p90_ms"] = 1000.0 * times[times.size() * 9 / 10];
    state.counters["slowest_ms"] = 1000.0 * times.back();
    session.requestClose(*form1);
    program.waitForExit(10s);
}

} // namespace

BENCHMARK(pressToScreen)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
