#include "drawing_pass.h"
#include "pixel_colour.h"

#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

namespace {

const PatternParameters parameters = {.a1 = 5.0F,
                                      .a2 = 7.5F,
                                      .a3 = 10.0F,
                                      .n1 = 2.0F,
                                      .n2 = 5.0F,
                                      .n3 = 11.0F,
                                      .c1 = 100.0F,
                                      .c2 = 200.5F,
                                      .c3 = 255.5F,
                                      .mode = 1.0F};

// A 500 x 500 image in memory, clipping like the real surface.
class MemoryWindow final : public DrawingWindow, public Canvas {
public:
    void clearWindowDrawing() override {}
    Canvas& canvas() override { return *this; }
    void plot(int X, int Y, ColourValue colour) override {
        if (X >= 0 && X < side && Y >= 0 && Y < side) {
            m_pixels[static_cast<std::size_t>(Y * side + X)] = colour;
        }
    }

private:
    static constexpr int side = 500;
    std::vector<ColourValue> m_pixels = std::vector<ColourValue>(side * side);
};

void bareColourRule(benchmark::State& benchmarkState) {
    for (auto _ : benchmarkState) {
        PixelState state;
        for (std::int16_t X = 0; X <= 500; ++X) {
            for (std::int16_t Y = 0; Y <= 500; ++Y) {
                benchmark::DoNotOptimize(PixelColour(X, Y, parameters, state));
            }
        }
    }
    benchmarkState.SetItemsProcessed(benchmarkState.iterations() * 501 * 501);
}

void wholePassOntoMemory(benchmark::State& benchmarkState) {
    MemoryWindow window;
    for (auto _ : benchmarkState) {
        DrawPattern(window);
        benchmark::ClobberMemory();
    }
    benchmarkState.SetItemsProcessed(benchmarkState.iterations() * 501 * 501);
}

} // namespace

BENCHMARK(bareColourRule)->Unit(benchmark::kMillisecond);
BENCHMARK(wholePassOntoMemory)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
