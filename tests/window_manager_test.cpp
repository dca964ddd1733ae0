// The real program under a window manager (started around these tests by their main), as
// users run it: what only a window manager does to a window, and what must not change.

#include "program_on_screen.h"
#include "wait_until.h"

#include <chrono>
#include <optional>
#include <thread>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// Long enough for a pass that should not have happened to have reached the screen.
constexpr auto settle = 600ms;

class UnderAWindowManager : public ProgramOnScreen {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.windowManagerRunning())
            << "no window manager: run from this suite's main";
        ProgramOnScreen::SetUp();
    }

    // Waits until the canvas shows shown again, after something that must not change it.
    bool showsAgain(const ScreenPixels& shown) {
        return waitUntil([&] { return canvasPixels(session, form1) == shown; }, 20s);
    }
};

} // namespace

// The fixture has waited for the window manager to make the window active and focused.
TEST_F(UnderAWindowManager, TheWindowIsActiveAndTheKeyboardStartsOnTheCanvas) {
    // Space on the canvas presses nothing.
    session.pressKey("space");
    std::this_thread::sleep_for(settle);
    EXPECT_EQ(canvasPixels(session, form1), first);

    // Tab moves the focus to "new", and Space presses it: one new pattern, then no other.
    session.pressKey("Tab");
    session.pressKey("space");
    const std::optional<ScreenPixels> second = waitForPattern(session, form1, first);
    ASSERT_TRUE(second.has_value()) << "Tab then Space drew no new pattern";
    std::this_thread::sleep_for(settle);
    EXPECT_EQ(canvasPixels(session, form1), *second);
}

TEST_F(UnderAWindowManager, AWindowShrunkBelowItsLayoutKeepsItWhole) {
    session.resize(form1, 300, 200);
    std::this_thread::sleep_for(settle);
    const auto size = session.size(form1);
    ASSERT_TRUE(size.has_value());
    EXPECT_GE(size->first, 633);
    EXPECT_GE(size->second, 564);
    EXPECT_EQ(canvasPixels(session, form1), first);
}

TEST_F(UnderAWindowManager, CoveringAndMinimisingLeaveEveryCanvasPixelAsItWas) {
    const XSession::WindowId cover = session.cover();
    std::this_thread::sleep_for(settle);
    EXPECT_NE(canvasPixels(session, cover), first) << "the cover did not cover the canvas";
    session.destroy(cover);
    EXPECT_TRUE(showsAgain(first)) << "uncovered, the canvas shows something else";

    session.minimise(form1);
    std::this_thread::sleep_for(settle);
    EXPECT_FALSE(session.waitForWindow("Form1", 0ms).has_value()) << "not minimised";
    session.restore(form1);
    ASSERT_TRUE(session.waitForWindow("Form1", 20s).has_value()) << "not restored";
    EXPECT_TRUE(showsAgain(first)) << "restored, the canvas shows something else";
    std::this_thread::sleep_for(settle);
    EXPECT_EQ(canvasPixels(session, form1), first);
}

TEST_F(UnderAWindowManager, TheFramesCloseButtonEndsTheProgramWithStatusZero) {
    session.closeThroughWindowManager(form1);
    const std::optional<ChildProcess::Ending> ending = program.waitForExit(20s);
    ASSERT_TRUE(ending.has_value()) << "the program did not end";
    EXPECT_TRUE(ending->exited) << "ended by signal " << ending->code;
    EXPECT_EQ(ending->code, 0) << program.standardError();
}
