// What the Windows program does differently from the Linux one, checked under wine: its
// layout, focus, smallest size and scaling as Windows itself reports them, through a small
// Win32 program that reads the window from outside; copies and drags handed to a Win32
// program through the clipboard and OLE; and, from wine's record of the calls the program
// makes, the order of its start-up and the names it gives screen readers. The Linux suites'
// own tests of drawing, pressing, keys and copying run on it too.

#include "form1_layout.h"
#include "program_on_screen_fixture.h"
#include "wait_until.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
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

std::string windowsHelper(const char* name) {
    return windowsBuild() + "/tests/win32/" + name;
}

// What the window probe reads of Form1, one line a thing: "client 689 628",
// "control Button 576 544 57 17", "focus Picture1" and the like; first sized to a pixel
// if asked to shrink it.
std::vector<std::string> probeForm1(const char* mode = nullptr) {
    QStringList arguments{QString::fromStdString(windowsHelper("window_probe.exe"))};
    if (mode != nullptr) {
        arguments << QString::fromLatin1(mode);
    }
    QProcess probe;
    probe.start(QStringLiteral("wine"), arguments);
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

// The rest of the first line that starts with the word, as "Picture1" of "capture Picture1".
std::optional<std::string> after(const std::vector<std::string>& lines, const std::string& word) {
    for (const std::string& line : lines) {
        if (line.starts_with(word + " ")) {
            return line.substr(word.size() + 1);
        }
    }
    return std::nullopt;
}

// The handle of the window of a class, in hexadecimal as the probe writes it.
std::string handleOf(const std::vector<std::string>& lines, const std::string& className) {
    return after(lines, "handle " + className).value_or("none");
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

constexpr std::string_view tracedCallsFile = "windows-program-calls.log";

// Wine records, in the program's stderr, the calls the program makes that show Form1 and
// present the canvas, and those that name its controls for screen readers: wine takes those
// names without keeping them, so no screen reader under wine can hear them.
// The record is left in the test's working folder.
ChildProcess::Options withCallsTraced() {
    QProcess::execute(QStringLiteral("wine"),
                      {QStringLiteral("reg"), QStringLiteral("add"),
                       QStringLiteral(R"(HKCU\Software\Wine\Debug)"), QStringLiteral("/v"),
                       QStringLiteral("RelayInclude"), QStringLiteral("/d"),
                       QStringLiteral("user32.ShowWindow;user32.InvalidateRect"),
                       QStringLiteral("/f")});
    return {.set = {{"WINEDEBUG", "-all,+relay,fixme+oleacc"}},
            .standardErrorFile = std::filesystem::absolute(tracedCallsFile).string()};
}

class WindowsProgramTraced : public ProgramOnScreen {
protected:
    WindowsProgramTraced() : ProgramOnScreen(withCallsTraced()) {}
};

// Whether a hexadecimal number as wine writes it, with any leading zeros and in either
// case, is the handle the probe wrote.
bool sameHandle(std::string_view written, const std::string& handle) {
    const auto number = [](std::string_view digits) -> std::optional<unsigned long long> {
        unsigned long long value = 0;
        const char* const first = digits.data();
        const char* const end = first + digits.size();
        const auto [stop, error] = std::from_chars(first, end, value, 16);
        return error == std::errc{} && stop == end ? std::optional(value) : std::nullopt;
    };
    const std::optional<unsigned long long> writtenValue = number(written);
    return writtenValue.has_value() && writtenValue == number(handle);
}

// Where the trace has a call's text followed by the handle and then the rest of its line
// with the given start and end, as "Call user32.ShowWindow(" "00010050" "," "0000000a)".
std::optional<std::size_t> findCall(std::string_view trace, const std::string& call,
                                    const std::string& handle, char afterHandle,
                                    std::string_view lineStart, std::string_view lineEnd = {}) {
    for (std::size_t at = trace.find(call); at != std::string_view::npos;
         at = trace.find(call, at + 1)) {
        const std::size_t first = at + call.size();
        const std::size_t stop = trace.find(afterHandle, first);
        std::string_view line = trace.substr(first, trace.find('\n', first) - first);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (stop == std::string_view::npos || stop - first > line.size() ||
            !sameHandle(trace.substr(first, stop - first), handle)) {
            continue;
        }
        const std::string_view rest = line.substr(stop - first);
        if (rest.starts_with(lineStart) && rest.ends_with(lineEnd)) {
            return at;
        }
    }
    return std::nullopt;
}

// Where the trace first has the program call a function of user32 for a window, as in
// "Call user32.ShowWindow(00010050,0000000a)".
std::optional<std::size_t> firstCall(const std::string& trace, const std::string& function,
                                     const std::string& handle) {
    return findCall(trace, "Call user32." + function + "(", handle, ',', ",");
}

// Whether the trace has the program give a control's client object (OBJID_CLIENT,
// CHILDID_SELF) a name and a role for screen readers, as in
// "SetHwndPropStr (0000000000010058 4294967292 0 {608d...} L"Pattern")".
bool namedInTrace(const std::string& trace, const std::string& handle, const std::string& name,
                  long role) {
    const std::string client = " 4294967292 0 ";
    const std::string nameProperty = "{608d3df8-8128-4aa7-a428-f55e49267291}";
    const std::string roleProperty = "{cb905ff2-7bd1-4c05-b3c8-e6c241364d70}";
    return findCall(trace, "SetHwndPropStr (", handle, ' ',
                    client + nameProperty + " L\"" + name + "\")")
               .has_value() &&
           findCall(trace, "SetHwndProp (", handle, ' ', client + roleProperty + " ",
                    " {VT_I4: " + std::to_string(role) + "})")
               .has_value();
}

} // namespace

TEST_F(WindowsProgramOnScreen, WindowsReportsTheLayoutTheFocusAndTheSmallestSize) {
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

    // Sized to a pixel, by another program as by a hand on the frame, the window keeps its
    // layout whole.
    const std::vector<std::string> shrunk = probeForm1("shrink");
    EXPECT_TRUE(holds(shrunk, "client " + std::to_string(layout::smallestClientWidth) + " " +
                                  std::to_string(layout::smallestClientHeight)))
        << allOf(shrunk);
}

// Most Windows programs paste a bitmap, some a PNG; either is still there once the program
// has gone, as a copy is on Windows.
TEST_F(WindowsProgramOnScreen, ControlCGivesWindowsProgramsABitmapAndAPngThatOutliveTheProgram) {
    const QTemporaryDir folder;
    const std::string pasted = folder.filePath(QStringLiteral("pasted.png")).toStdString();
    ScreenPixels bitmap;
    ScreenPixels png;
    const auto pasteInWindows = [&] {
        std::filesystem::remove(pasted);
        std::filesystem::remove(pasted + ".bmp");
        ChildProcess reader(
            "wine", {windowsHelper("windows_drop_target.exe"), "--paste", windowsPath(pasted)});
        reader.waitForExit(20s);
        bitmap = imagePixels(QImage(QString::fromStdString(pasted + ".bmp"), "BMP"));
        png = imagePixels(QImage(QString::fromStdString(pasted), "PNG"));
    };
    session.pressKey("c", "Control_L");
    EXPECT_TRUE(waitUntil(
        [&] {
            pasteInWindows();
            return png == first;
        },
        20s))
        << "a Windows program pasting a PNG got " << whatWasPasted(png, {});
    EXPECT_TRUE(bitmap == first) << "a Windows program pasting a bitmap got "
                                 << whatWasPasted(bitmap, {});

    // Under wine the clipboard lives in wine's server, which ends with the last Windows
    // program: another one left running keeps it, as Windows keeps the clipboard.
    ChildProcess otherProgram("wine", {windowsHelper("windows_drop_target.exe"),
                                       windowsPath(folder.filePath("unused").toStdString())});
    ASSERT_TRUE(waitForWindowOf(session, otherProgram, "Drop target").has_value())
        << otherProgram.standardError();
    session.requestClose(form1);
    ASSERT_TRUE(program.waitForExit(20s).has_value()) << "the program did not end";
    pasteInWindows();
    EXPECT_TRUE(bitmap == first) << "once the program had gone, a bitmap pasted gave "
                                 << whatWasPasted(bitmap, {});
    EXPECT_TRUE(png == first) << "once the program had gone, a PNG pasted gave "
                              << whatWasPasted(png, {});
}

// Windows tells a click from a drag by the pointer leaving a small square around the press;
// until it does, the press and a pixel of jitter either way start no drag, which would hold
// the mouse in OLE's window and show the no-drop cursor over the canvas.
// What Active Accessibility gives a screen reader of the canvas: a graphic named "Pattern",
// described by the pattern's code, whose default action copies it.
TEST_F(WindowsProgramOnScreen, AScreenReaderHearsTheCodeAndCopiesThroughTheDefaultAction) {
    const std::vector<std::string> read = probeForm1();
    EXPECT_TRUE(holds(read, "accessible Picture1 40 Pattern")) << allOf(read);
    EXPECT_TRUE(holds(read, "default-action Picture1 Copy")) << allOf(read);
    EXPECT_TRUE(std::ranges::any_of(read, [](const std::string& line) {
        return line.starts_with("description Picture1 Pattern ") && line.size() > 40;
    })) << allOf(read);

    probeForm1("do-default-action");
    EXPECT_TRUE(waitUntil([&] { return pastedImage() == first; }, 20s))
        << "the default action put no copy of the canvas on the clipboard";
}

TEST_F(WindowsProgramOnScreen, APressHeldOnTheCanvasWithAPixelOfJitterStartsNoDrag) {
    const int x = layout::centreX(layout::picture1);
    const int y = layout::centreY(layout::picture1);
    session.movePointer(form1, x, y);
    session.pressButton();
    session.movePointer(form1, x + 1, y);
    session.movePointer(form1, x - 1, y);
    std::vector<std::string> held;
    // Held down, the button keeps the mouse captured by whichever window follows it.
    const bool captured = waitUntil(
        [&] {
            held = probeForm1();
            return after(held, "capture").has_value();
        },
        20s);
    session.releaseButton();
    ASSERT_TRUE(captured) << allOf(held);
    EXPECT_EQ(after(held, "capture"), "Picture1") << "a press held on the canvas began a drag";
    EXPECT_TRUE(waitUntil([] { return !after(probeForm1(), "capture").has_value(); }, 20s))
        << "the release left the mouse captured";
    EXPECT_EQ(canvasPixels(session, form1), first) << "the press drew a pattern";
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

// The first pattern is drawn into a window already on the screen, not one that opens only
// once a pass has run. Screen readers hear "Pattern", an image, and "New pattern", a push
// button: read back where the system keeps what the program asked for, and otherwise seen
// asked for in the trace.
TEST_F(WindowsProgramTraced, ShowsTheWindowBeforeTheFirstPatternAndNamesItsControls) {
    const std::vector<std::string> form1Read = probeForm1();
    std::ifstream traceFile{std::filesystem::path(tracedCallsFile)};
    const std::string trace{std::istreambuf_iterator<char>(traceFile), {}};
    const std::string form1Handle = handleOf(form1Read, "Form1");
    const std::string picture1Handle = handleOf(form1Read, "Picture1");
    const std::string command1Handle = handleOf(form1Read, "Button");

    const std::optional<std::size_t> shown = firstCall(trace, "ShowWindow", form1Handle);
    const std::optional<std::size_t> presented = firstCall(trace, "InvalidateRect", picture1Handle);
    ASSERT_TRUE(shown.has_value() && presented.has_value())
        << allOf(form1Read) << "no ShowWindow of Form1 or InvalidateRect of Picture1 in:\n"
        << trace;
    EXPECT_LT(*shown, *presented) << "the first pattern was presented before Form1 was shown";

    EXPECT_TRUE(holds(form1Read, "accessible Picture1 40 Pattern") ||
                namedInTrace(trace, picture1Handle, "Pattern", 40))
        << allOf(form1Read) << trace;
    EXPECT_TRUE(holds(form1Read, "accessible Button 43 New pattern") ||
                namedInTrace(trace, command1Handle, "New pattern", 43))
        << allOf(form1Read) << trace;
}

TEST_F(WindowsProgramOnScreen, DraggingTheCanvasOutHandsBothFormatsToAWindowsProgram) {
    const QTemporaryDir folder;
    const std::string dropped = folder.filePath(QStringLiteral("dropped.png")).toStdString();
    ChildProcess target("wine", {windowsHelper("windows_drop_target.exe"), windowsPath(dropped)});
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

// A PNG the program saved, dragged from the file manager onto the canvas, draws the pattern
// it keeps.
TEST_F(WindowsProgramOnScreen, APngFileDroppedOnTheCanvasDrawsThePatternItKeeps) {
    const QTemporaryDir folder;
    const std::string file = folder.filePath(QStringLiteral("pattern.png")).toStdString();
    const ScreenPixels expected = canvasOfCode("NQT9XN1AXGV9EAEP");
    QImage saved(reinterpret_cast<const uchar*>(expected.data()), layout::picture1.width,
                 layout::picture1.width, QImage::Format_RGB32);
    saved.setText(QStringLiteral("Pattern"), QStringLiteral("NQT9XN1AXGV9EAEP"));
    ASSERT_TRUE(saved.save(QString::fromStdString(file), "PNG"));
    ChildProcess source("wine",
                        {windowsHelper("windows_drop_target.exe"), "--drag", windowsPath(file)});
    const std::optional<XSession::WindowId> sourceWindow =
        waitForWindowOf(session, source, "Drag source");
    ASSERT_TRUE(sourceWindow.has_value()) << source.standardError();

    session.movePointer(*sourceWindow, 100, 100);
    session.pressButton();
    const int x = layout::centreX(layout::picture1);
    const int y = layout::centreY(layout::picture1);
    // Moved in steps and held over the canvas a moment, as a hand does, then let go.
    for (int step = 0; step < 20; ++step) {
        std::this_thread::sleep_for(50ms);
        session.movePointer(form1, x + step % 2, y);
    }
    session.releaseButton();
    EXPECT_TRUE(waitUntil([&] { return canvasPixels(session, form1) == expected; }, 20s))
        << "the dropped file did not draw its pattern; the screen was left as "
        << leaveScreenshot("windows-drop-missed.png");
    EXPECT_TRUE(source.waitForExit(20s).has_value()) << "the drag did not end";
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
