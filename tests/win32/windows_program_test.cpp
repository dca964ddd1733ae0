// What the Windows program does differently from the Linux one, checked under wine: its
// layout, focus and scaling as Windows itself reports them, through a small Win32 program
// that reads the window from outside, and a drag handed to a Win32 program through OLE.
// The Linux suites' own tests of drawing, pressing, keys and copying run on it too.

#include "form1_layout.h"
#include "program_on_screen_fixture.h"
#include "wait_until.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

std::string windowsBuild() {
    const char* folder = std::getenv("PATTERN_WINDOWS_BUILD");
    return folder != nullptr ? folder : "";
}

// A Linux path as Windows programs under wine name it, on the drive that maps the root.
std::string windowsPath(std::string path) {
    std::ranges::replace(path, '/', '\\');
    return "Z:" + path;
}

// What the window probe reads of Form1, one line a thing: "client 689 628",
// "control Button 576 544 57 17", "focus Picture1" and the like.
std::vector<std::string> probeForm1() {
    QProcess probe;
    probe.start(QStringLiteral("wine"),
                {QString::fromStdString(windowsBuild() + "/tests/win32/window_probe.exe")});
    if (!probe.waitForFinished(20000) || probe.exitCode() != 0) {
        return {};
    }
    std::vector<std::string> lines;
    std::istringstream output(probe.readAllStandardOutput().toStdString());
    for (std::string line; std::getline(output, line);) {
        // A Windows program's text output ends its lines with CR LF.
        if (line.ends_with('\r')) {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

bool holds(const std::vector<std::string>& lines, const std::string& line) {
    return std::ranges::find(lines, line) != lines.end();
}

std::string allOf(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) {
        all += line + "\n";
    }
    return all;
}

std::string controlLine(const char* className, const layout::Rectangle& place, int scale) {
    return "control " + std::string(className) + " " + std::to_string(place.left * scale) + " " +
           std::to_string(place.top * scale) + " " + std::to_string(place.width * scale) + " " +
           std::to_string(place.height * scale);
}

// The whole screen, left in the test's working folder as evidence of a miss; says where.
std::string leaveScreenshot(const char* name) {
    XSession session;
    constexpr int width = 1024;
    constexpr int height = 768;
    std::vector<std::uint32_t> pixels = session.pixels(session.root(), 0, 0, width, height);
    if (pixels.size() != static_cast<std::size_t>(width) * height) {
        return "(no screenshot)";
    }
    const QImage screen(reinterpret_cast<const uchar*>(pixels.data()), width, height,
                        QImage::Format_RGB32);
    const std::string path = std::filesystem::absolute(name).string();
    return screen.save(QString::fromStdString(path)) ? path : "(no screenshot)";
}

using WindowsProgramOnScreen = ProgramOnScreen;

} // namespace

TEST_F(WindowsProgramOnScreen, WindowsReportsTheLayoutAndTheFocusAndTabMovesIt) {
    const std::vector<std::string> form1Read = probeForm1();
    ASSERT_FALSE(form1Read.empty()) << "the probe found no Form1";
    EXPECT_TRUE(holds(form1Read, "client " + std::to_string(layout::openingClientWidth) + " " +
                                     std::to_string(layout::openingClientHeight)))
        << allOf(form1Read);
    EXPECT_TRUE(holds(form1Read, controlLine("Picture1", layout::picture1, 1))) << allOf(form1Read);
    EXPECT_TRUE(holds(form1Read, controlLine("Button", layout::command1, 1))) << allOf(form1Read);
    EXPECT_TRUE(holds(form1Read, "text Button new")) << allOf(form1Read);
    EXPECT_TRUE(holds(form1Read, "focus Picture1")) << allOf(form1Read);

    session.pressKey("Tab");
    EXPECT_TRUE(waitUntil([] { return holds(probeForm1(), "focus Button"); }, 20s));
    session.pressKey("Tab", "Shift_L");
    EXPECT_TRUE(waitUntil([] { return holds(probeForm1(), "focus Picture1"); }, 20s));
    EXPECT_EQ(canvasPixels(session, form1), first) << "moving the focus drew a pattern";
}

// Clipboard viewers and history open the clipboard for a moment after every change, and a
// busy machine stretches the moment: Ctrl+C pressed then still copies, once it is free.
TEST_F(WindowsProgramOnScreen, ControlCWhileAnotherProgramHoldsTheClipboardCopiesOnceItIsFree) {
    QProcess holder;
    holder.start(QStringLiteral("wine"),
                 {QString::fromStdString(windowsBuild() + "/tests/win32/window_probe.exe"),
                  QStringLiteral("hold-clipboard"), QStringLiteral("300")});
    QByteArray said;
    ASSERT_TRUE(waitUntil(
        [&] {
            holder.waitForReadyRead(20);
            said += holder.readAllStandardOutput();
            return said.contains("held");
        },
        20s))
        << "the probe never held the clipboard";
    session.pressKey("c", "Control_L");
    ScreenPixels pasted;
    EXPECT_TRUE(waitUntil(
        [&] {
            pasted = pastedImage();
            return pasted == first;
        },
        20s))
        << "Ctrl+C while another program held the clipboard copied nothing: a paste gave "
        << whatWasPasted(pasted, {});
    EXPECT_TRUE(holder.waitForFinished(20000));
}

TEST_F(WindowsProgramOnScreen, DraggingTheCanvasOutHandsBothFormatsToAWindowsProgram) {
    const QTemporaryDir folder;
    const std::string dropped = folder.filePath(QStringLiteral("dropped.png")).toStdString();
    ChildProcess target(
        "wine", {windowsBuild() + "/tests/win32/windows_drop_target.exe", windowsPath(dropped)});
    const std::optional<XSession::WindowId> targetWindow =
        waitForWindowOf(session, target, "Drop target");
    ASSERT_TRUE(targetWindow.has_value()) << target.standardError();

    const int x = layout::centreX(layout::picture1);
    const int y = layout::centreY(layout::picture1);
    session.movePointer(form1, x, y);
    session.pressButton();
    for (int step = 1; step <= 5; ++step) {
        std::this_thread::sleep_for(20ms);
        session.movePointer(form1, x + 5 * step, y);
    }
    int wiggle = 0;
    const bool accepted = waitUntil(
        [&] {
            session.movePointer(*targetWindow, 100 + wiggle % 2, 100);
            ++wiggle;
            return std::filesystem::exists(dropped + ".entered");
        },
        20s);
    session.releaseButton();
    ASSERT_TRUE(accepted) << "the drag never reached the Windows program; the screen was left as "
                          << leaveScreenshot("windows-drag-missed.png");
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(dropped); }, 20s))
        << "nothing was dropped";
    // The target writes the bitmap before the PNG and ends after both.
    EXPECT_TRUE(target.waitForExit(20s).has_value());
    EXPECT_EQ(imagePixels(QImage(QString::fromStdString(dropped), "PNG")), first);
    EXPECT_EQ(imagePixels(QImage(QString::fromStdString(dropped + ".bmp"), "BMP")), first);
    EXPECT_EQ(canvasPixels(session, form1), first) << "the drag drew a pattern";
}

// Run where Windows reports 192 dots per inch, 200 %: the window lays itself out at twice
// the size and shows each point as a 2 x 2 block.
TEST(WindowsProgramAtTwiceTheScale, LaysItselfOutTwiceAsLargeWithEachPointABlock) {
    constexpr int scale = 2;
    XSession session;
    ASSERT_TRUE(session.connected()) << "no X server: run under xvfb-run";
    ChildProcess program(programUnderTest(), {});
    const std::optional<XSession::WindowId> form1 = waitForWindowOf(session, program, "Form1");
    ASSERT_TRUE(form1.has_value()) << program.standardError();

    const layout::Rectangle& canvas = layout::picture1;
    const int side = canvas.width * scale;
    std::vector<std::uint32_t> shown;
    // Every point a block, and the blocks a whole pattern.
    const auto blocksOfAPattern = [&] {
        shown = session.pixels(*form1, canvas.left * scale, canvas.top * scale, side, side);
        if (shown.size() != static_cast<std::size_t>(side) * side) {
            return false;
        }
        const auto at = [&](int x, int y) {
            return shown[(static_cast<std::size_t>(y) * static_cast<std::size_t>(side)) +
                         static_cast<std::size_t>(x)];
        };
        ScreenPixels points;
        for (int y = 0; y < side; y += scale) {
            for (int x = 0; x < side; x += scale) {
                for (int dy = 0; dy < scale; ++dy) {
                    for (int dx = 0; dx < scale; ++dx) {
                        if (at(x + dx, y + dy) != at(x, y)) {
                            return false;
                        }
                    }
                }
                points.push_back(at(x, y));
            }
        }
        return showsAPattern(points);
    };
    EXPECT_TRUE(waitUntil(blocksOfAPattern, 20s)) << "no pattern of 2 x 2 blocks";

    const std::vector<std::string> form1Read = probeForm1();
    EXPECT_TRUE(holds(form1Read, "client " + std::to_string(layout::openingClientWidth * scale) +
                                     " " + std::to_string(layout::openingClientHeight * scale)))
        << allOf(form1Read);
    EXPECT_TRUE(holds(form1Read, controlLine("Picture1", layout::picture1, scale)))
        << allOf(form1Read);
    EXPECT_TRUE(holds(form1Read, controlLine("Button", layout::command1, scale)))
        << allOf(form1Read);
}
