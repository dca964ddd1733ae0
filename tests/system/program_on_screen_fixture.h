#pragma once

#include "child_process.h"
#include "screen_reading.h"
#include "x_session.h"

#include <optional>

#include <gtest/gtest.h>

// Waits for a window captioned caption that program shows: for as long as a program takes
// to start on a busy machine, wine's first start in a new prefix included, but no longer
// than program runs.
std::optional<XSession::WindowId> waitForWindowOf(XSession& session, ChildProcess& program,
                                                  const char* caption);

// The real program started for a test on the X server named by DISPLAY, its window found
// and its first pattern seen on the screen.
class ProgramOnScreen : public ::testing::Test {
protected:
    explicit ProgramOnScreen(const ChildProcess::Options& options = {})
        : program(programUnderTest(), {}, options) {}

    void SetUp() override;
    void TearDown() override;

    XSession session;
    ChildProcess program;
    XSession::WindowId form1 = 0;
    ScreenPixels first;
};
