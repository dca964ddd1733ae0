#pragma once

// What the benchmarks that time the real program from outside share: the programs they
// compare, and the figures of all the samples each program gave in one run.

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <benchmark/benchmark.h>

struct TimedProgram {
    const char* name;
    const char* path;
};

// Every sample of every program in one run, in milliseconds.
using ProgramSamples = std::map<std::string, std::vector<double>>;

// The sample below which a share of them lie (0.5 the median, 0.9 the 90th percentile).
inline double percentile(std::vector<double> samples, double share) {
    std::ranges::sort(samples);
    const auto place = static_cast<std::size_t>(share * static_cast<double>(samples.size() - 1));
    return samples[place];
}

// One line per program: how many samples, median, 90th percentile and slowest.
inline void printSummary(const char* what, const ProgramSamples& samples) {
    std::printf("\n%s, all repetitions together:\n", what);
    for (const auto& [name, times] : samples) {
        if (!times.empty()) {
            std::printf("  %-20s %3zu samples  median %6.2f  p90 %6.2f  slowest %6.2f\n",
                        name.c_str(), times.size(), percentile(times, 0.5), percentile(times, 0.9),
                        *std::ranges::max_element(times));
        }
    }
}

// The settings of a benchmark that times a program: by the clock it keeps itself, so many
// times per repetition, in milliseconds.
template <int timesPerRepetition> void timedManually(benchmark::internal::Benchmark* timed) {
    timed->UseManualTime()->Iterations(timesPerRepetition)->Unit(benchmark::kMillisecond);
}

// Runs the benchmarks the command line chooses, then prints each summary.
inline int
runThenSummarise(int argc, char** argv,
                 std::initializer_list<std::pair<const char*, const ProgramSamples*>> summaries) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& [what, samples] : summaries) {
        printSummary(what, *samples);
    }
    return 0;
}
