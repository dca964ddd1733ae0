// What the program does with its window, with a recording fake of the window: the same on
// every front end, so tested once here.

#include "form1_program.h"
#include "form1_view.h"
#include "grid_tables.h"
#include "pattern_code.h"
#include "scripted_random_source.h"
#ifndef PATTERN_NO_THREADS
#include "table_warm_up_threads.h"
#endif

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#ifdef __x86_64__
#include <cpuid.h>
#endif

namespace {

// A Form1 that is its own canvas and writes what the program asks of it to a journal. It
// keeps each presented picture's colours, and what it was told.
struct RecordingForm1 final : Form1View, Canvas {
    explicit RecordingForm1(Journal& sharedJournal) : journal(sharedJournal) {}

    void showWindow() override { journal.push_back({Step::ShowWindow}); }
    void presentPicture() override {
        journal.push_back({Step::PresentPicture});
        pictures.push_back(std::move(plotted));
        plotted.clear();
    }
    void showPatternCode(const std::string& code) override { codes.push_back(code); }
    void tellProblem(const std::string& line) override { problems.push_back(line); }
    std::optional<std::string> codeTextOfPng(const std::vector<std::uint8_t>& png) override {
        pngsRead.push_back(png);
        return pngCodeText;
    }
    Canvas& canvas() override { return *this; }
    void plot(int X, int Y, ColourValue colour) override {
        journal.push_back({Step::Plot, X, Y, colour});
        plotted.push_back(colour);
    }

    Journal& journal;
    std::vector<ColourValue> plotted;
    std::vector<std::vector<ColourValue>> pictures;
    std::vector<std::string> codes;
    std::vector<std::string> problems;
    // What the toolkit's reader is to find in any PNG, and the PNGs it was handed.
    std::optional<std::string> pngCodeText;
    std::vector<std::vector<std::uint8_t>> pngsRead;
};

// The steps of the journal other than plots, which a pass makes 251,001 of.
std::vector<Step> stepsBesidePlots(const Journal& journal) {
    std::vector<Step> steps;
    for (const JournalEntry& entry : journal) {
        if (entry.step != Step::Plot) {
            steps.push_back(entry.step);
        }
    }
    return steps;
}

// The steps of one pass after the window has been shown and the source reseeded.
std::vector<Step> aPass() {
    std::vector<Step> steps = {Step::TimeOfDay, Step::Reseed};
    steps.insert(steps.end(), 10, Step::NextUniform);
    steps.push_back(Step::PresentPicture);
    return steps;
}

std::vector<Step> join(std::vector<Step> first, const std::vector<Step>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

const std::vector<float> onePattern = {0.3F, 0.6F, 0.9F, 0.2F, 0.5F, 0.8F, 0.4F, 0.7F, 0.1F, 0.5F};

// Three patterns, each with other rates, fold counts, gains and colour mode.
const std::vector<float> threeDifferentPatterns = {
    0.3F, 0.6F, 0.9F, 0.2F, 0.5F, 0.8F, 0.4F, 0.7F, 0.1F, 0.5F, //
    0.7F, 0.1F, 0.5F, 0.9F, 0.3F, 0.1F, 0.8F, 0.2F, 0.6F, 0.0F, //
    0.5F, 0.5F, 0.2F, 0.6F, 0.7F, 0.4F, 0.2F, 0.9F, 0.4F, 0.9F};

class Form1ProgramTest : public ::testing::Test {
protected:
    Journal journal;
    ScriptedRandomSource source{onePattern, &journal};
    RecordingForm1 form1{journal};
};

// A run that has drawn two different patterns, the second on show.
class TwoPatternsDrawn : public Form1ProgramTest {
protected:
    void SetUp() override {
        program.load();
        program.command1Click();
        first = form1.codes[0];
        second = form1.codes[1];
    }

    ScriptedRandomSource threePatterns{threeDifferentPatterns};
    Form1Program program{form1};
    std::string first;
    std::string second;
};

} // namespace

// The window opens first, without waiting for a pass; the first pattern follows.
TEST_F(Form1ProgramTest, LoadShowsTheWindowThenReseedsAndPresentsOnePattern) {
    Form1Program program(form1);
    program.load();
    EXPECT_EQ(stepsBesidePlots(journal),
              join({Step::ShowWindow, Step::TimeOfDay, Step::Reseed}, aPass()));
    EXPECT_EQ(std::count_if(journal.begin(), journal.end(),
                            [](const JournalEntry& entry) { return entry.step == Step::Plot; }),
              501 * 501);
}

// Presses queued behind a close request came too late to count.
TEST_F(Form1ProgramTest, EachPressPresentsOnePatternUntilACloseIsAsked) {
    Form1Program program(form1);
    program.load();
    const std::vector<Step> loaded = stepsBesidePlots(journal);
    program.command1Click();
    program.command1Click();
    EXPECT_EQ(stepsBesidePlots(journal), join(join(loaded, aPass()), aPass()));
    program.closeRequested();
    const std::size_t beforeLatePresses = journal.size();
    program.command1Click();
    EXPECT_EQ(journal.size(), beforeLatePresses);
}

// Back and forward draw the run's patterns again, to the bit, and name them; a pattern drawn
// anew, after going back, goes at the end, so going back still finds every later one.
TEST_F(Form1ProgramTest, BackAndForwardRedrawTheRunsPatternsAndNewOnesGoAtTheEnd) {
    ScriptedRandomSource threePatterns(threeDifferentPatterns);
    Form1Program program(form1);
    program.load();
    program.command1Click();
    program.command1Click();
    ASSERT_EQ(form1.pictures.size(), 3U);
    ASSERT_NE(form1.pictures[0], form1.pictures[1]);
    const std::vector<std::string> codes = form1.codes;

    EXPECT_FALSE(program.goForward());
    EXPECT_TRUE(program.goBack());
    EXPECT_TRUE(program.goBack());
    EXPECT_FALSE(program.goBack());
    EXPECT_EQ(form1.pictures.back(), form1.pictures[0]);
    EXPECT_EQ(program.codeOnShow(), codes[0]);
    EXPECT_TRUE(program.goForward());
    EXPECT_EQ(form1.pictures.back(), form1.pictures[1]);
    EXPECT_EQ(form1.codes.back(), codes[1]);

    program.command1Click();
    const std::string newest = program.codeOnShow();
    EXPECT_TRUE(program.goBack());
    EXPECT_EQ(program.codeOnShow(), codes[2]);
    EXPECT_EQ(form1.pictures.back(), form1.pictures[2]);
    EXPECT_TRUE(program.goForward());
    EXPECT_EQ(program.codeOnShow(), newest);

    program.closeRequested();
    const std::size_t before = journal.size();
    EXPECT_FALSE(program.goBack());
    EXPECT_FALSE(program.drawFromCode(codes[0]));
    EXPECT_EQ(journal.size(), before);
}

// A code draws its pattern again and puts it at the end; a text that names no pattern
// draws nothing, leaves the history as it was and says why.
TEST_F(TwoPatternsDrawn, ACodeDrawsItsPatternAndAnythingElseSaysWhyNot) {

    std::string mistyped = first;
    mistyped[5] = mistyped[5] == 'A' ? 'B' : 'A';
    const std::size_t before = journal.size();
    for (const std::string& text :
         {mistyped, std::string("not a code"), std::string(100'000, 'x')}) {
        EXPECT_FALSE(program.drawFromCode(text)) << text.substr(0, 20);
    }
    EXPECT_EQ(journal.size(), before);
    ASSERT_EQ(form1.problems.size(), 3U);
    EXPECT_NE(form1.problems[0], form1.problems[1]);
    EXPECT_EQ(program.codeOnShow(), second);

    EXPECT_TRUE(program.drawFromCode(first));
    EXPECT_EQ(form1.pictures.back(), form1.pictures[0]);
    EXPECT_EQ(form1.codes.back(), first);
    EXPECT_TRUE(program.goBack());
    EXPECT_EQ(program.codeOnShow(), second);
}

// A link's code is drawn first, in a run of its own; a link that names no pattern gives a
// fresh one and says why.
TEST_F(TwoPatternsDrawn, ALinksCodeIsDrawnFirstAndABadOneGivesAFreshPatternAndSaysWhy) {
    Form1Program linked(form1);
    linked.loadCode(first);
    EXPECT_EQ(form1.pictures.back(), form1.pictures[0]);
    EXPECT_EQ(linked.codeOnShow(), first);
    EXPECT_TRUE(form1.problems.empty());

    std::string mistyped = first;
    mistyped[5] = mistyped[5] == 'A' ? 'B' : 'A';
    Form1Program misLinked(form1);
    misLinked.loadCode(mistyped);
    ASSERT_EQ(form1.problems.size(), 1U);
    EXPECT_NE(form1.problems[0].find("link"), std::string::npos) << form1.problems[0];
    EXPECT_EQ(form1.pictures.size(), 4U);
    EXPECT_NE(form1.pictures.back(), form1.pictures[0]);
    EXPECT_EQ(misLinked.codeOnShow(), form1.codes.back());
}

// A PNG or its file, pasted or dropped, draws the pattern its code text names. What is not
// such a PNG, and a file that is a folder, is missing, is far too large or cannot be read,
// draws nothing and says why, naming the file; a huge file is never read.
TEST_F(TwoPatternsDrawn, APngOrItsFileDrawsThePatternItNamesAndAnythingElseSaysWhyNot) {
    const std::filesystem::path folder =
        std::filesystem::path(testing::TempDir()) / "patterns folder";
    std::filesystem::create_directories(folder);
    const std::filesystem::path png = folder / "pattern.png";
    std::ofstream(png, std::ios::binary) << "the PNG's bytes";
    const std::filesystem::path huge = folder / "huge.png";
    std::ofstream(huge, std::ios::binary).close();
    std::filesystem::resize_file(huge,
                                 std::uintmax_t{200} * 1024 * 1024); // sparse: nothing is written
    const std::size_t before = journal.size();

    form1.pngCodeText = std::nullopt; // not an image
    EXPECT_FALSE(program.drawFromPng({1, 2, 3}));
    form1.pngCodeText = "";
    EXPECT_FALSE(program.drawFromFile(png));
    form1.pngCodeText = std::string(100'000, 'x');
    EXPECT_FALSE(program.drawFromPng({1, 2, 3}));
    form1.pngCodeText = first;
    form1.pngsRead.clear();
    for (const std::filesystem::path& bad : {folder, huge, folder / "gone.png"}) {
        EXPECT_FALSE(program.drawFromFile(bad)) << bad;
        EXPECT_NE(form1.problems.back().find(bad.filename().string()), std::string::npos)
            << form1.problems.back();
    }
    EXPECT_TRUE(form1.pngsRead.empty()) << "a file that is no pattern's was read";
    EXPECT_FALSE(program.drawFromOffered(OfferedImage{}));
    EXPECT_FALSE(program.drawFromOffered({}));
    EXPECT_EQ(journal.size(), before);
    EXPECT_EQ(program.codeOnShow(), second);
    ASSERT_EQ(form1.problems.size(), 8U);
    // An image without a code says the same, in a PNG or in a format that keeps none.
    EXPECT_EQ(form1.problems[1], form1.problems[6]);
    EXPECT_EQ(std::set(form1.problems.begin(), form1.problems.end()).size(), 7U);

    std::filesystem::permissions(png, std::filesystem::perms::none);
    if (std::ifstream(png).fail()) { // as anyone but the superuser
        EXPECT_FALSE(program.drawFromFile(png));
        EXPECT_EQ(program.codeOnShow(), second);
    }
    std::filesystem::permissions(png, std::filesystem::perms::owner_all);

    EXPECT_TRUE(program.drawFromOffered(OfferedFile{png}));
    ASSERT_EQ(form1.pngsRead.size(), 1U);
    EXPECT_EQ(std::string(form1.pngsRead[0].begin(), form1.pngsRead[0].end()), "the PNG's bytes");
    EXPECT_EQ(form1.pictures.back(), form1.pictures[0]);
    EXPECT_TRUE(program.goBack());
    EXPECT_EQ(program.codeOnShow(), second);
    std::filesystem::remove_all(folder);
}

#ifndef PATTERN_NO_THREADS
// Started behind the first shown picture, and again at each later one until a thread could
// be had; never twice.
TEST_F(Form1ProgramTest, TheWarmUpStartsAtTheFirstShownPictureUntilAThreadIsHad) {
    std::vector<std::size_t> startedAfter;
    Form1Program program(form1, {.startWarmUp = [&] {
                             startedAfter.push_back(journal.size());
                             // The first start finds no thread, as where none can be
                             // had.
                             return startedAfter.size() == 1 ? std::jthread() : std::jthread([] {});
                         }});
    program.load();
    EXPECT_TRUE(startedAfter.empty()) << "started before the picture was shown";
    program.pictureShown();
    program.pictureShown();
    program.pictureShown();
    EXPECT_EQ(startedAfter, (std::vector<std::size_t>{journal.size(), journal.size()}));
}

// The warm-up the program starts builds every table the passes may ask for, whichever the
// first pattern needed.
TEST_F(Form1ProgramTest, TheProgramsTableWarmUpBuildsEveryTable) {
    Form1Program program(form1, {.startWarmUp = [] {
                             startTableWarmUp().join();
                             return std::jthread([] {});
                         }});
    program.load();
    program.pictureShown();
    GridTables& tables = GridTables::shared();
    const std::size_t warmed = tables.bytes();
    for (const Wave kind : {Wave::Sine, Wave::Cosine}) {
        for (int n = GridTables::fewestFolds; n <= GridTables::mostFolds; ++n) {
            tables.angularTerms(kind, n);
        }
    }
    EXPECT_EQ(tables.bytes(), warmed) << "a table was left for the passes to build";
}
#endif
#ifdef __x86_64__

// Whether XGETBV with ECX = 1 reports which of the processor's register states are in use.
bool vectorStateInUseReadable() {
    unsigned eax = 0;
    unsigned ebx = 0;
    unsigned ecx = 0;
    unsigned edx = 0;
    // GCC gives an int and clang a bool.
    // NOLINTNEXTLINE(readability-redundant-casting)
    return static_cast<bool>(__builtin_cpu_supports("avx")) &&
           __get_cpuid_count(0xD, 1, &eax, &ebx, &ecx, &edx) != 0 && (eax & 4U) != 0;
}

// Whether the upper halves of the 256-bit registers are in use: bit 2 of that report.
bool upperVectorStateInUse() {
    unsigned low = 0;
    unsigned high = 0;
    asm volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
    return (low & 4U) != 0;
}

// Leaves the upper half of one 256-bit register set, as some of the toolkit's image
// routines leave them. Written out, because the compiler clears them again on leaving a
// function it compiled for AVX.
void setUpperVectorState() {
    asm volatile("vpcmpeqd %%ymm15, %%ymm15, %%ymm15" ::: "xmm15");
}

// With them in use, many x86 processors run every plain SSE instruction after them slowly;
// no colour shows it, so the state itself is read where each pass starts.
TEST_F(Form1ProgramTest, EachPassStartsWithTheUpperHalvesOfTheVectorRegistersClear) {
    if (!vectorStateInUseReadable()) {
        GTEST_SKIP() << "this processor does not report which register states are in use";
    }
    std::vector<bool> inUseAtReseed;
    source.onCall = [&](Step step) {
        if (step == Step::Reseed) {
            inUseAtReseed.push_back(upperVectorStateInUse());
        }
    };
    setUpperVectorState();
    ASSERT_TRUE(upperVectorStateInUse());
    Form1Program program(form1);
    program.command1Click();
    EXPECT_EQ(inUseAtReseed, std::vector<bool>{false});
}

#endif
