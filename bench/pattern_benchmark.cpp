// The cost of a pattern, side by side in one run: (a) the colour rule evaluated at every
// point onto plain memory, (b) the pass onto plain memory with its tables built, and (b') the
// same on the plain arithmetic, (c) the pass building its tables, as the first pass of a
// process does, (d) a press of "new" onto the real canvas with presenting, and (e) a
// straightforward peer that plots every point through the toolkit's painter.

#include "avx_upper_halves.h"
#include "colour_to_qrgb.h"
#include "drawing_pass.h"
#include "form1.h"
#include "form1_layout.h"
#include "grid_tables.h"
#include "pattern_parameters.h"
#include "plane_coordinates.h"
#include "point_colours.h"
#include "random_source.h"
#include "table_pass.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <malloc.h>
#include <memory>
#include <vector>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

constexpr std::int64_t pointsPerPattern = std::int64_t{plane::gridSide} * plane::gridSide;

// Draws the same pattern every time: a1 = 5, a2 = 7.5, a3 = 10, n1 = 2, n2 = 5, n3 = 11,
// c1 = 100, c2 = 200.5, c3 = 255.5, mode 1. Every benchmark evaluates these parameters,
// so that their figures can be set side by side.
class FixedPatternSource final : public RandomSource {
public:
    float timeOfDaySeconds() override { return 0.0F; }
    void reseed(float /*seed*/) override { m_next = 0; }
    float nextUniform() override { return draws[m_next++ % draws.size()]; }
    std::uint64_t state() const override { return m_next; }
    void restoreState(std::uint64_t state) override { m_next = static_cast<std::size_t>(state); }

private:
    static constexpr std::array<float, 10> draws = {
        0.0F,  0.5F,         1.0F - 0x1p-24F, 0.0F,         0.3F,
        0.95F, 100.0F / 256, 200.5F / 256,    255.5F / 256, 0.0F};
    std::size_t m_next = 0;
};

FixedPatternSource fixedPatternSource;

// A 500 x 500 image in plain memory, clipping like the real canvas: the pass without the
// toolkit.
class MemoryWindow final : public DrawingWindow, public Canvas {
public:
    void clearWindowDrawing() override {}
    Canvas& canvas() override { return *this; }
    void plot(int X, int Y, ColourValue colour) override {
        if (X >= 0 && X < int{side} && Y >= 0 && Y < int{side}) {
            m_pixels[static_cast<std::size_t>(Y) * side + static_cast<std::size_t>(X)] = colour;
        }
    }

private:
    static constexpr std::size_t side = 500;
    std::vector<ColourValue> m_pixels = std::vector<ColourValue>(side * side);
};

// What a pass does before its plots: reseed, clear and draw the parameters.
PatternParameters beginPass(MemoryWindow& window) {
    RandomSource& source = randomSource();
    source.reseed(source.timeOfDaySeconds());
    window.clearWindowDrawing();
    return drawPatternParameters(source);
}

// (a) The pass as it was: the colour rule evaluated afresh at every point.
void perPointPass(benchmark::State& benchmarkState) {
    MemoryWindow window;
    clearUpperVectorState(); // as the window does before a pass
    while (benchmarkState.KeepRunning()) {
        plotPointByPoint(beginPass(window), window.canvas());
        benchmark::ClobberMemory();
    }
    benchmarkState.SetItemsProcessed(benchmarkState.iterations() * pointsPerPattern);
}

// (b) The pass, its shared tables built by an earlier one.
void warmPass(benchmark::State& benchmarkState) {
    MemoryWindow window;
    clearUpperVectorState(); // as the window does before a pass
    DrawPattern(window);
    while (benchmarkState.KeepRunning()) {
        DrawPattern(window);
        benchmark::ClobberMemory();
    }
    benchmarkState.SetItemsProcessed(benchmarkState.iterations() * pointsPerPattern);
}

// (b') The same on the plain arithmetic, one point at a time, which is what a processor
// without AVX2, and a page in a browser, runs.
void warmPassPlain(benchmark::State& benchmarkState) {
    choosePassArithmetic(LevelArithmetic::Plain);
    warmPass(benchmarkState);
    choosePassArithmetic(LevelArithmetic::Wide);
}

// (c) The first pass of a process: the tables are built inside it.
void coldPass(benchmark::State& benchmarkState) {
    MemoryWindow window;
    clearUpperVectorState(); // as the window does before a pass
    while (benchmarkState.KeepRunning()) {
        const PatternParameters parameters = beginPass(window);
        auto tables = std::make_unique<GridTables>();
        plotPattern(parameters, *tables, window.canvas());
        benchmark::ClobberMemory();
        benchmarkState.PauseTiming();
        // Free memory goes back to the system, so that the next tables are built in fresh
        // pages, as in a new process.
        tables.reset();
        malloc_trim(0);
        benchmarkState.ResumeTiming();
    }
    benchmarkState.SetItemsProcessed(benchmarkState.iterations() * pointsPerPattern);
}

// (d) A press of "new" on the real window: the pass onto Picture1, then presenting it.
void wholePassOntoPicture1(benchmark::State& benchmarkState) {
    Form1 form1;
    auto* command1 = form1.findChild<QPushButton*>(QStringLiteral("Command1"));
    while (benchmarkState.KeepRunning()) {
        command1->click();
    }
    benchmarkState.SetItemsProcessed(benchmarkState.iterations() * pointsPerPattern);
}

// (e) The peer: every point drawn with its own pen through a painter onto an image of the
// canvas's size.
class PainterWindow final : public DrawingWindow, public Canvas {
public:
    PainterWindow()
        : m_image(layout::picture1.width, layout::picture1.height, QImage::Format_RGB32),
          m_painter(&m_image) {}
    void clearWindowDrawing() override {}
    Canvas& canvas() override { return *this; }
    void plot(int X, int Y, ColourValue colour) override {
        m_painter.setPen(QColor(toQRgb(colour)));
        m_painter.drawPoint(X, Y);
    }

private:
    QImage m_image;
    QPainter m_painter;
};

void wholePassThroughPainter(benchmark::State& benchmarkState) {
    PainterWindow window;
    while (benchmarkState.KeepRunning()) {
        DrawPattern(window);
    }
    benchmarkState.SetItemsProcessed(benchmarkState.iterations() * pointsPerPattern);
}

// On a shared machine other work only ever adds time, so the fastest repetition is the
// steadiest figure of a benchmark's own cost; it is reported beside the median.
double fastest(const std::vector<double>& times) {
    return *std::ranges::min_element(times);
}

} // namespace

BENCHMARK(perPointPass)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);
BENCHMARK(warmPass)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);
BENCHMARK(warmPassPlain)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);
BENCHMARK(coldPass)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);
BENCHMARK(wholePassOntoPicture1)->Unit(benchmark::kMillisecond)->ComputeStatistics("min", fastest);
BENCHMARK(wholePassThroughPainter)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", fastest);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int qtArgumentCount = 1;
    QApplication application(qtArgumentCount, argv);
    installRandomSource(&fixedPatternSource);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
