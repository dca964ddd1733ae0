// Runs the real program on an X server (started around this test by xvfb-run), reads its
// canvas back from the screen and presses its button as a user would.

#include "child_process.h"
#include "x_session.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// The program built beside this test, or another copy of it, such as one unpacked from
// the package.
std::string programUnderTest() {
    const char* other = std::getenv("PATTERN_GENERATOR_UNDER_TEST");
    return other != nullptr && *other != '\0' ? other : PATTERN_GENERATOR;
}

constexpr int canvasLeft = 56;
constexpr int canvasTop = 64;
constexpr int canvasSide = 500;
constexpr int buttonCentreX = 576 + 57 / 2;
constexpr int buttonCentreY = 544 + 17 / 2;

// The canvas's pixels as the screen shows them, row by row.
using ScreenPixels = std::vector<std::uint32_t>;

ScreenPixels canvasPixels(XSession& session, XSession::WindowId window) {
    return session.pixels(window, canvasLeft, canvasTop, canvasSide, canvasSide);
}

// Clicks "new" as a hand would: the pointer comes to rest on the button, then presses.
void pressNew(XSession& session, XSession::WindowId window) {
    session.movePointer(window, buttonCentreX, buttonCentreY);
    std::this_thread::sleep_for(50ms);
    session.click();
}

// A drawn pattern is unchanged by a half turn about the grid centre (250, 250). Column
// and row 500 are clipped, so column and row 0 have no partner on the screen.
bool showsAPattern(const ScreenPixels& pixels) {
    constexpr auto side = static_cast<std::size_t>(canvasSide);
    if (pixels.size() != side * side) {
        return false;
    }
    const auto at = [&](int x, int y) {
        return pixels[static_cast<std::size_t>(y) * side + static_cast<std::size_t>(x)];
    };
    std::set<std::uint32_t> distinct;
    for (int y = 1; y < canvasSide; ++y) {
        for (int x = 1; x < canvasSide; ++x) {
            if (at(x, y) != at(500 - x, 500 - y)) {
                return false;
            }
            if (distinct.size() < 2) {
                distinct.insert(at(x, y));
            }
        }
    }
    return distinct.size() >= 2;
}

// Waits for the canvas to show a complete pattern other than the one given.
std::optional<ScreenPixels> waitForPattern(XSession& session, XSession::WindowId window,
                                           const ScreenPixels& other = {}) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < deadline) {
        ScreenPixels pixels = canvasPixels(session, window);
        if (pixels != other && showsAPattern(pixels)) {
            return pixels;
        }
        std::this_thread::sleep_for(50ms);
    }
    return std::nullopt;
}

void expectCleanExit(ChildProcess& program) {
    const std::optional<int> status = program.waitForExit(10s);
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status);
    EXPECT_EQ(WEXITSTATUS(*status), 0) << program.standardError();
}

// Starts the program, sees its first pattern and one drawn by "new", then closes it.
void drawTwoPatternsAndClose(const std::vector<std::string>& arguments) {
    XSession session;
    ASSERT_TRUE(session.connected()) << "no X server: run this test under xvfb-run";
    ChildProcess program(programUnderTest(), arguments);

    const std::optional<XSession::WindowId> form1 = session.waitForWindow("Form1", 20s);
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

TEST(EndToEnd, WithoutADisplayItSaysSoInOneLineAndFails) {
    ChildProcess program(programUnderTest(), {}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
    const std::optional<int> status = program.waitForExit(10s);
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status);
    EXPECT_NE(WEXITSTATUS(*status), 0);
    const std::string message = program.standardError();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_NE(message.find("display"), std::string::npos) << message;
    EXPECT_EQ(message.find("einstall"), std::string::npos) << message;
}
