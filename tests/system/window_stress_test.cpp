// The window under heavy use on a real X server: a flood of presses made while a pass
// runs, and many passes in a row.

#include "canvas_reference.h"
#include "grid_tables.h"
#include "picture1.h"
#include "scripted_random_source.h"
#include "x_session.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <fstream>
#include <thread>
#include <unistd.h>
#include <vector>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// The window on the X server, drawing the scripted patterns, with the pointer resting on
// "new" so that every click through the server presses it.
class PressesThroughX : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.connected()) << "needs an X server: run under xvfb-run";
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        window = static_cast<XSession::WindowId>(form.winId());
        const QPoint command1Centre = command1Of(form)->geometry().center();
        session.movePointer(window, command1Centre.x(), command1Centre.y());

        // A test waiting for a pass that never comes fails instead of hanging: once the event
        // loop has run for ten seconds without a call of the random source, it is ended.
        QObject::connect(&watchdog, &QTimer::timeout, [this] {
            if (source.calls == callsAtLastLook) {
                ADD_FAILURE() << "no pass began for ten seconds";
                QApplication::exit(1);
            }
            callsAtLastLook = source.calls;
        });
        watchdog.start(std::chrono::seconds(10));
    }

    XSession session;
    ScriptedRandomSource source{twoPatterns};
    Form1 form;
    XSession::WindowId window = 0;
    QTimer watchdog;
    long callsAtLastLook = -1;
};

} // namespace

TEST_F(PressesThroughX, AThousandPressesMadeDuringAPassGiveAThousandPassesAndACloseStillEndsIt) {
    constexpr long pressesDuringThePass = 1000;
    const std::array<QImage, 2> patterns = {expectedCanvas(0), expectedCanvas(1)};

    long passes = 1; // the one drawn at start-up
    long passesShownInFull = 0;
    bool pressed = false;
    source.onCall = [&](Step step) {
        if (step != Step::Reseed) {
            return;
        }
        // The pass before this one ended, and reached the canvas whole, before this began.
        if (canvasImage(form) == patterns[static_cast<std::size_t>((passes + 1) % 2)]) {
            ++passesShownInFull;
        }
        ++passes;
        if (!pressed) {
            // The user goes on pressing while this pass runs, then closes the window.
            pressed = true;
            for (long i = 0; i < pressesDuringThePass; ++i) {
                session.click();
            }
            session.requestClose(window);
        }
    };
    session.click();

    const int exitCode = QApplication::exec();

    EXPECT_EQ(exitCode, 0);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(passes, 1 + 1 + pressesDuringThePass);
    EXPECT_EQ(passesShownInFull, 1 + pressesDuringThePass);
    EXPECT_EQ(canvasImage(form), patterns[static_cast<std::size_t>((passes + 1) % 2)]);
}

// Presses made after a close request come too late: the two made before it are drawn, in
// order, the three after it are not, and the program ends with status 0.
TEST_F(PressesThroughX, PressesAfterACloseRequestStartNoPass) {
    long passes = 1; // the one drawn at start-up
    bool queued = false;
    source.onCall = [&](Step step) {
        if (step != Step::Reseed) {
            return;
        }
        ++passes;
        if (!queued) {
            queued = true;
            session.click();
            session.click();
            session.requestClose(window);
            session.click();
            session.click();
            session.click();
        }
    };
    session.click();

    const int exitCode = QApplication::exec();

    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(passes, 1 + 1 + 2);
}

// On an X server the window is exposed, and its first picture painted, only after it is
// built: the angular tables' warm-up starts behind that paint, and once.
TEST(WindowStress, TheTableWarmUpStartsBehindTheFirstPaintAndRunsOnce) {
    ScriptedRandomSource source(twoPatterns);
    int paints = 0;
    std::vector<int> paintsAtStarts;
    Form1 form({.startWarmUp = [&] {
        paintsAtStarts.push_back(paints);
        return std::jthread([] {});
    }});
    ASSERT_FALSE(form.windowHandle()->isExposed());
    QObject::connect(form.findChild<Picture1*>(), &Picture1::painted, [&paints] { ++paints; });
    EXPECT_TRUE(paintsAtStarts.empty());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !paintsAtStarts.empty(); }));
    EXPECT_GE(paintsAtStarts.front(), 1);
    picture1Of(form)->repaint();
    QCoreApplication::processEvents();
    EXPECT_EQ(paintsAtStarts.size(), 1U);
}

// A pass allocates nothing per point, presenting allocates nothing that outlives it, and
// the shared tables stop growing once every fold count has been drawn. A leak of a single
// byte per point would grow the process by 50 MB over these passes, and one canvas-sized
// image per pass by 200 MB; the bound leaves room for allocator and font cache noise only.
TEST(WindowStress, MemoryStaysFlatOverTwoHundredPassesOnceEveryFoldCountIsDrawn) {
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "AddressSanitizer holds freed memory back, so resident size says nothing";
#endif
    constexpr long bound = 1024L * 1024L;
    // Pattern i has the fold count 2 + i on every channel, so ten passes build every table.
    std::vector<float> script;
    for (int i = 0; i < 10; ++i) {
        const float foldCount = (static_cast<float>(i) + 0.5F) / 10.0F;
        script.insert(script.end(), {0.3F, 0.6F, 0.9F, foldCount, foldCount, foldCount, 0.4F, 0.7F,
                                     0.2F, static_cast<float>(i % 7) / 7.0F});
    }
    ScriptedRandomSource source(script);
    Form1 form;
    for (int i = 0; i < 20; ++i) {
        command1Of(form)->click();
        QCoreApplication::processEvents();
    }
    const long warm = residentBytes();
    const std::size_t tableBytes = GridTables::shared().bytes();
    for (int i = 0; i < 200; ++i) {
        command1Of(form)->click();
        QCoreApplication::processEvents();
    }
    EXPECT_LT(residentBytes() - warm, bound);
    EXPECT_EQ(GridTables::shared().bytes(), tableBytes);
    EXPECT_GT(tableBytes, GridTables::byteCeiling / 2) << "not every table was built";
}
