// Runs the real program on an X server (started around this test by xvfb-run), reads its
// canvas back from the screen and presses its button as a user would.

#include "child_process.h"
#include "program_on_screen_fixture.h"
#include "screen_reading.h"
#include "x_session.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

void expectCleanExit(ChildProcess& program) {
    const std::optional<ChildProcess::Ending> ending = program.waitForExit(20s);
    ASSERT_TRUE(ending.has_value()) << "the program did not end";
    ASSERT_TRUE(ending->exited) << "ended by signal " << ending->code;
    EXPECT_EQ(ending->code, 0) << program.standardError();
}

// Starts the program, sees its first pattern and one drawn by "new", then closes it.
void drawTwoPatternsAndClose(const std::vector<std::string>& arguments) {
    XSession session;
    ASSERT_TRUE(session.connected()) << "no X server: run this test under xvfb-run";
    ChildProcess program(programUnderTest(), arguments);

    const std::optional<XSession::WindowId> form1 = waitForWindowOf(session, program, "Form1");
    ASSERT_TRUE(form1.has_value()) << "no window captioned Form1 appeared\n"
                                   << program.standardError();
    const std::optional<ScreenPixels> first = waitForPattern(session, *form1);
    ASSERT_TRUE(first.has_value()) << "the canvas never showed a symmetric pattern";

    pressNew(session, *form1);
    const std::optional<ScreenPixels> second = waitForPattern(session, *form1, *first);
    ASSERT_TRUE(second.has_value()) << "pressing \"new\" showed no new pattern";

    session.requestClose(*form1);
    expectCleanExit(program);
}

} // namespace

TEST(EndToEnd, ShowsAPatternDrawsAnotherOnNewAndExitsCleanlyWhenClosed) {
    drawTwoPatternsAndClose({});
}

TEST(EndToEnd, CommandLineArgumentsChangeNothing) {
    drawTwoPatternsAndClose({"-platform", "offscreen", "-style", "windows", "--help", "-display",
                             ":12345", "\xff\xfe not UTF-8", ""});
}

TEST(EndToEnd, ThousandsOfArgumentsChangeNothing) {
    std::vector<std::string> arguments;
    arguments.reserve(5000);
    for (int i = 0; i < 5000; ++i) {
        arguments.push_back(i % 2 == 0 ? "-platform" : std::string(200, 'x'));
    }
    drawTwoPatternsAndClose(arguments);
}

namespace {

// Starts the program where it cannot open a window and returns the one line it must say,
// after checking that it said one line only and ended with status 1, not by a signal.
std::string startUpFailure(const ChildProcess::Options& options) {
    ChildProcess program(programUnderTest(), {}, options);
    const std::optional<ChildProcess::Ending> ending = program.waitForExit(20s);
    std::string message = program.standardError();
    EXPECT_TRUE(ending.has_value()) << "the program did not end";
    if (ending) {
        EXPECT_TRUE(ending->exited) << "ended by signal " << ending->code;
        EXPECT_EQ(ending->code, 1) << message;
    }
    EXPECT_EQ(std::ranges::count(message, '\n'), 1) << message;
    EXPECT_EQ(message.rfind("pattern-generator: cannot open a window: ", 0), 0U) << message;
    EXPECT_EQ(message.find("einstall"), std::string::npos) << message;
    return message;
}

bool says(const std::string& message, const char* words) {
    return message.find(words) != std::string::npos;
}

} // namespace

TEST(StartUpFailure, WithoutADisplayItSaysThatDisplayIsNotSet) {
    const std::string message =
        startUpFailure({.unset = {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}});
    EXPECT_TRUE(says(message, "no X display")) << message;
    EXPECT_TRUE(says(message, "DISPLAY is not set")) << message;
}

TEST(StartUpFailure, WithADeadDisplayItNamesThatDisplay) {
    const std::string message = startUpFailure(
        {.unset = {"WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}, .set = {{"DISPLAY", ":59999"}}});
    EXPECT_TRUE(says(message, "could not connect to the X display")) << message;
    EXPECT_TRUE(says(message, "DISPLAY is :59999")) << message;
}

TEST(StartUpFailure, AnUnknownPlatformIsNamedWithTheInstalledOnes) {
    const std::string message = startUpFailure({.set = {{"QT_QPA_PLATFORM", "bogus"}}});
    EXPECT_TRUE(says(message, "the platform plugin \"bogus\" is not installed")) << message;
    EXPECT_TRUE(says(message, "xcb")) << message;
    EXPECT_TRUE(says(message, "offscreen")) << message;
    EXPECT_FALSE(says(message, "DISPLAY")) << message;
}

TEST(StartUpFailure, WaylandWithoutACompositorSaysWhyTheWaylandPlatformFailed) {
    const QTemporaryDir emptyRuntime;
    const std::string message =
        startUpFailure({.unset = {"WAYLAND_DISPLAY"},
                        .set = {{"QT_QPA_PLATFORM", "wayland"},
                                {"XDG_RUNTIME_DIR", emptyRuntime.path().toStdString()}}});
    EXPECT_TRUE(says(message, "the platform plugin \"wayland\" could not start")) << message;
    EXPECT_TRUE(says(message, "wl_display")) << message;
    EXPECT_FALSE(says(message, "DISPLAY")) << message;
}
