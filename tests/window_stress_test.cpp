// The window under heavy use on a real X server: a flood of presses made while a pass
// runs, and many passes in a row.

#include "grid_digest.h"
#include "main_window.h"
#include "pattern_parameters.h"
#include "scripted_random_source.h"
#include "x_session.h"

#include <cstddef>
#include <fstream>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

const std::vector<float> twoPatterns = {0.5F, 0.25F, 0.75F, 0.05F, 0.45F, 0.95F, 0.4F,
                                        0.6F, 0.2F,  0.1F,  0.9F,  0.3F,  0.6F,  0.35F,
                                        0.15F, 0.7F, 0.8F,  0.45F, 0.55F, 0.99F};

// The image a pattern leaves on the canvas.
QImage expectedImage(std::size_t pattern) {
    ScriptedRandomSource source(twoPatterns);
    PatternParameters parameters = drawPatternParameters(source);
    if (pattern == 1) {
        parameters = drawPatternParameters(source);
    }
    const std::vector<ColourValue> colours = gridColours(parameters);
    QImage image(500, 500, QImage::Format_RGB32);
    for (int X = 0; X < 500; ++X) {
        for (int Y = 0; Y < 500; ++Y) {
            const ColourValue colour = colours[static_cast<std::size_t>(X * 501 + Y)];
            image.setPixel(X, Y,
                           qRgb(static_cast<int>(colour & 0xFFU),
                                static_cast<int>((colour >> 8U) & 0xFFU),
                                static_cast<int>((colour >> 16U) & 0xFFU)));
        }
    }
    return image;
}

QImage canvasImage(Form1& form) {
    return form.findChild<QWidget*>(QStringLiteral("Picture1"))
        ->grab()
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

QPushButton* command1Of(Form1& form) {
    return form.findChild<QPushButton*>(QStringLiteral("Command1"));
}

long residentBytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

} // namespace

TEST(WindowStress, AThousandPressesMadeDuringAPassGiveAThousandPassesAndACloseStillEndsIt) {
    constexpr long pressesDuringThePass = 1000;
    XSession session;
    ASSERT_TRUE(session.connected()) << "needs an X server: run under xvfb-run";
    const QImage patterns[2] = {expectedImage(0), expectedImage(1)};
    Journal journal;
    ScriptedRandomSource source(twoPatterns);
    source.journal = &journal;
    Form1 form;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const auto window = static_cast<XSession::WindowId>(form.winId());
    const QPoint command1Centre = command1Of(form)->geometry().center();
    session.movePointer(window, command1Centre.x(), command1Centre.y());

    long passes = 1; // the one drawn at start-up
    long passesShownInFull = 0;
    bool pressed = false;
    source.onCall = [&](Step step) {
        if (step != Step::Reseed) {
            return;
        }
        // The pass before this one reached the canvas whole.
        if (canvasImage(form) == patterns[(passes + 1) % 2]) {
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
    EXPECT_EQ(canvasImage(form), patterns[(passes + 1) % 2]);
    // Each pass's reseed is followed by its own ten draws: no pass ran inside another.
    long reseeds = 0;
    for (std::size_t i = 0; i < journal.size(); ++i) {
        if (journal[i].step == Step::Reseed && ++reseeds > 2) {
            ASSERT_GE(journal.size(), i + 11);
            for (std::size_t draw = i + 1; draw <= i + 10; ++draw) {
                ASSERT_EQ(journal[draw].step, Step::NextUniform) << "step " << draw;
            }
        }
    }
    EXPECT_EQ(reseeds, 2 + 1 + pressesDuringThePass);
}

// A pass allocates nothing per point, and presenting allocates nothing that outlives it.
// A leak of a single byte per point would grow the process by 50 MB over these passes,
// and one canvas-sized image per pass by 200 MB; the bound leaves room for allocator and
// font cache noise only.
TEST(WindowStress, MemoryStaysFlatOverTwoHundredPasses) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer holds freed memory back, so resident size says nothing";
#endif
    constexpr long bound = 1024 * 1024;
    Form1 form;
    for (int i = 0; i < 20; ++i) {
        command1Of(form)->click();
        QCoreApplication::processEvents();
    }
    const long warm = residentBytes();
    for (int i = 0; i < 200; ++i) {
        command1Of(form)->click();
        QCoreApplication::processEvents();
    }
    EXPECT_LT(residentBytes() - warm, bound);
}
