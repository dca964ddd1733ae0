// How long a launch takes to show its picture: from starting the program on the X server
// named by DISPLAY until the canvas shows what it goes on showing, and the resident size
// once started; for the program and for a bare window of its layout that computes nothing,
// the floor of a launch. Repetitions alternate between the two. Run under xvfb-run; see the
// README.

#include "child_process.h"
#include "form1_layout.h"
#include "program_timings.h"
#include "x_session.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Longer than any launch: what the canvas shows then is the picture.
constexpr auto settled = 1500ms;

const std::array programs = {TimedProgram{"pattern-generator", PATTERN_GENERATOR},
                             TimedProgram{"bare-window", BARE_WINDOW}};
ProgramSamples launchTimes;
ProgramSamples residentSizes;

// The resident size of a process, in MiB, from its status in /proc.
double residentMebibytes(long long processId) {
    std::ifstream status("/proc/" + std::to_string(processId) + "/status");
    std::string field;
    while (status >> field) {
        if (field == "VmRSS:") {
            double kibibytes = 0.0;
            status >> kibibytes;
            return kibibytes / 1024.0;
        }
    }
    return 0.0;
}

void launchToPicture(benchmark::State& state, const TimedProgram& timed) {
    XSession session;
    if (!session.connected()) {
        state.SkipWithError("no X server");
        return;
    }
    while (state.KeepRunning()) {
        // Every look at the canvas's middle row, with when it was taken; the launch took
        // until the first of those from which on it showed its final picture.
        std::vector<std::pair<Clock::time_point, std::vector<std::uint32_t>>> looks;
        const auto started = Clock::now();
        ChildProcess program(timed.path, {});
        std::optional<XSession::WindowId> form1;
        while (Clock::now() - started < settled) {
            if (!form1) {
                form1 = session.window("Form1");
            } else {
                looks.emplace_back(Clock::now(), session.pixels(*form1, layout::picture1.left,
                                                                layout::centreY(layout::picture1),
                                                                layout::picture1.width, 1));
            }
            std::this_thread::sleep_for(200us);
        }
        if (!form1 || looks.empty() || looks.back().second.empty()) {
            state.SkipWithError("no window captioned Form1 showing a canvas");
            return;
        }
        auto shown = looks.end();
        while (shown != looks.begin() && std::prev(shown)->second == looks.back().second) {
            --shown;
        }
        const double seconds = std::chrono::duration<double>(shown->first - started).count();
        state.SetIterationTime(seconds);
        launchTimes[timed.name].push_back(1000.0 * seconds);
        residentSizes[timed.name].push_back(residentMebibytes(program.processId()));
        session.requestClose(*form1);
        program.waitForExit(10s);
    }
}

} // namespace

BENCHMARK_CAPTURE(launchToPicture, pattern_generator, programs[0])->Apply(timedManually<3>);
BENCHMARK_CAPTURE(launchToPicture, bare_window, programs[1])->Apply(timedManually<3>);

int main(int argc, char** argv) {
    return runThenSummarise(argc, argv,
                            {{"Launch to picture", &launchTimes},
                             {"Resident size after start-up, in MiB", &residentSizes}});
}
