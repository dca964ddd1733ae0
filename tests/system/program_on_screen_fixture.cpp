#include "program_on_screen_fixture.h"

#include "wait_until.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

std::optional<XSession::WindowId> waitForWindowOf(XSession& session, ChildProcess& program,
                                                  const char* caption) {
    std::optional<XSession::WindowId> found;
    waitUntil(
        [&] {
            found = session.window(caption);
            return found.has_value() || !program.running();
        },
        std::chrono::seconds(90));
    return found;
}

void ProgramOnScreen::TearDown() {
    // A window manager takes a window's frame down in its own time once the program has
    // gone, and until then the frame shows the last pattern: on a busy machine the next
    // test's window, placed where this one was, would show it before it painted its own.
    program.stop();
    if (form1 != 0 && session.windowManagerRunning()) {
        EXPECT_TRUE(waitUntil(
            [this] {
                const std::vector<XSession::WindowId> managed = session.managedWindows();
                return std::ranges::find(managed, form1) == managed.end();
            },
            std::chrono::seconds(20)))
            << "the window manager kept Form1 after the program had gone";
    }
}

void ProgramOnScreen::SetUp() {
    using namespace std::chrono_literals;
    ASSERT_TRUE(session.connected()) << "no X server: run under xvfb-run";
    const std::optional<XSession::WindowId> window = waitForWindowOf(session, program, "Form1");
    ASSERT_TRUE(window.has_value())
        << "no window captioned Form1" << (program.running() ? "" : "; the program ended") << "\n"
        << program.standardError();
    form1 = *window;
    const std::optional<ScreenPixels> pattern = waitForPattern(session, form1);
    ASSERT_TRUE(pattern.has_value()) << "the canvas never showed a pattern";
    first = *pattern;
    // A window manager activates and focuses a new window in its own time, which on a busy
    // machine can come after the first pattern; what a test checks of focus, activation and
    // input must not race it.
    if (session.windowManagerRunning()) {
        ASSERT_TRUE(waitUntil(
            [this] { return session.activeWindow() == form1 && session.inputFocus() == form1; },
            20s))
            << "the window manager never activated Form1";
    }
}
