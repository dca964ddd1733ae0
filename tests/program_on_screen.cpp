#include "program_on_screen.h"

#include <chrono>
#include <optional>

void ProgramOnScreen::SetUp() {
    ASSERT_TRUE(session.connected()) << "no X server: run under xvfb-run";
    const std::optional<XSession::WindowId> window =
        session.waitForWindow("Form1", std::chrono::seconds(20));
    ASSERT_TRUE(window.has_value()) << "no window captioned Form1\n" << program.standardError();
    form1 = *window;
    const std::optional<ScreenPixels> pattern = waitForPattern(session, form1);
    ASSERT_TRUE(pattern.has_value()) << "the canvas never showed a pattern";
    first = *pattern;
}
