#pragma once

#include "child_process.h"
#include "screen_reading.h"
#include "x_session.h"

#include <gtest/gtest.h>

// The real program started for a test on the X server named by DISPLAY, its window found
// and its first pattern seen on the screen.
class ProgramOnScreen : public ::testing::Test {
protected:
    explicit ProgramOnScreen(const ChildProcess::Options& options = {})
        : program(programUnderTest(), {}, options) {}

    void SetUp() override;

    XSession session;
    ChildProcess program;
    XSession::WindowId form1 = 0;
    ScreenPixels first;
};
