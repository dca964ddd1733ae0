// The real program on native Wayland: a headless weston of its own, and what the
// compositor sees of the program: the requests it receives, and a screenshot of its output.

#include "child_process.h"
#include "form1_layout.h"
#include "screen_reading.h"
#include "wait_until.h"
#include "x_session.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

constexpr const char* socketName = "pattern-generator-test";

std::string contentsOf(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Waits until what the compositor logged matches pattern; returns the first match's groups.
std::optional<QRegularExpressionMatch> waitForLogged(const std::string& log, const QString& pattern,
                                                     std::chrono::milliseconds timeout = 20s) {
    const QRegularExpression expression(pattern);
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    do {
        QRegularExpressionMatch match = expression.match(QString::fromStdString(contentsOf(log)));
        if (match.hasMatch()) {
            return match;
        }
        std::this_thread::sleep_for(50ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return std::nullopt;
}

// The canvas somewhere in a screenshot: a 500 x 500 square that shows a whole pattern, as
// 0xRRGGBB. The compositor puts the window where it likes, so every place is tried, read
// where it lies.
std::optional<ScreenPixels> canvasIn(const QImage& screenshot) {
    constexpr int side = layout::picture1.width;
    const QImage image = screenshot.convertToFormat(QImage::Format_RGB32);
    if (image.width() < side || image.height() < side) {
        return std::nullopt;
    }
    const auto* pixels = reinterpret_cast<const std::uint32_t*>(image.constBits());
    const std::ptrdiff_t stride = image.bytesPerLine() / 4;
    // How far each pixel's colour runs on to the right along its row, and then how many rows
    // down from it such runs of 500 or more of the same colour start: a square with 500 of
    // those is flat, such as the window's own background before the first picture, and is
    // passed over at once.
    const auto index = [stride](int x, int y) {
        return static_cast<std::size_t>(y * stride + x);
    };
    std::vector<int> across(static_cast<std::size_t>(image.height() * stride), 1);
    std::vector<int> down(across.size(), 0);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = image.width() - 2; x >= 0; --x) {
            if (pixels[index(x, y)] == pixels[index(x + 1, y)]) {
                across[index(x, y)] = across[index(x + 1, y)] + 1;
            }
        }
        for (int x = 0; x < image.width(); ++x) {
            if (across[index(x, y)] >= side) {
                const bool continued =
                    y + 1 < image.height() && pixels[index(x, y + 1)] == pixels[index(x, y)];
                down[index(x, y)] = continued ? down[index(x, y + 1)] + 1 : 1;
            }
        }
    }
    // Points on a coarse grid, then on one finer than the button, each with its partner in a
    // half turn: most places fail at the first few, and a flat square with a control in it
    // on the finer grid, before the whole square is compared.
    const auto symmetricOnGrid = [&](const std::uint32_t* corner, int step) {
        for (int y = 1; y < side; y += step) {
            const std::uint32_t* row = corner + y * stride;
            const std::uint32_t* partnerRow = corner + (side - y) * stride + side;
            for (int x = 1; x < side; x += step) {
                if (row[x] != partnerRow[-x]) {
                    return false;
                }
            }
        }
        return true;
    };
    for (int top = 0; top + side <= image.height(); ++top) {
        for (int left = 0; left + side <= image.width(); ++left) {
            const std::uint32_t* corner = pixels + top * stride + left;
            if (symmetricOnGrid(corner, 99) && down[index(left, top)] < side &&
                symmetricOnGrid(corner, 16) && showsAPattern(PixelSquare{corner, stride})) {
                return imagePixels(image.copy(left, top, side, side));
            }
        }
    }
    return std::nullopt;
}

// The real program on a weston of its own. Headless, weston has no seat: no input and no
// clipboard. Those need its X11 back end, in a window on the X server that DISPLAY names.
class OnWayland : public ::testing::Test {
protected:
    enum class Backend { headless, insideX };

    explicit OnWayland(Backend backend = Backend::headless) : m_backend(backend) {}

    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        ASSERT_EQ(std::filesystem::status(runtime.path().toStdString()).permissions() &
                      std::filesystem::perms::all,
                  std::filesystem::perms::owner_all);
        ASSERT_TRUE(m_backend == Backend::headless || std::getenv("DISPLAY") != nullptr)
            << "no X server: run under xvfb-run";
        // The compositor logs every request it receives: what it sees of the program.
        compositor = std::make_unique<ChildProcess>(
            "weston",
            std::vector<std::string>{m_backend == Backend::headless
                                         ? "--backend=headless-backend.so"
                                         : "--backend=x11-backend.so",
                                     std::string("--socket=") + socketName, "--width=1024",
                                     "--height=768", "--use-pixman", "--idle-time=0", "--debug"},
            ChildProcess::Options{
                .set = {{"XDG_RUNTIME_DIR", runtimePath()}, {"WAYLAND_DEBUG", "server"}},
                .standardErrorFile = compositorLog()});
        const std::string socket = runtimePath() + "/" + socketName;
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (!std::filesystem::exists(socket) && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(50ms);
        }
        ASSERT_TRUE(std::filesystem::exists(socket)) << contentsOf(compositorLog());
        std::this_thread::sleep_for(1s); // the shell binds after the socket appears
        program = std::make_unique<ChildProcess>(
            programUnderTest(), std::vector<std::string>{},
            ChildProcess::Options{.unset = {"DISPLAY"}, .set = waylandClient()});
    }

    std::string runtimePath() const { return runtime.path().toStdString(); }
    std::string compositorLog() const { return runtimePath() + "/compositor.log"; }
    std::vector<std::pair<std::string, std::string>> waylandClient() const {
        return {{"QT_QPA_PLATFORM", "wayland"},
                {"WAYLAND_DISPLAY", socketName},
                {"XDG_RUNTIME_DIR", runtimePath()}};
    }

    // A screenshot of the compositor's output, or a null image.
    QImage screenshot() {
        QTemporaryDir folder;
        ChildProcess shooter(
            "weston-screenshooter", {},
            {.set = waylandClient(), .workingDirectory = folder.path().toStdString()});
        shooter.waitForExit(10s);
        const QStringList shots = QDir(folder.path()).entryList({QStringLiteral("*.png")});
        return shots.isEmpty() ? QImage() : QImage(QDir(folder.path()).filePath(shots.first()));
    }

    // The canvas as the screen shows it, once it shows a pattern. The deadline is the
    // program's: the time spent searching each screenshot, which a sanitizer's build
    // stretches, is added back to it. A miss leaves the last screenshot in the working
    // folder, to be looked at.
    std::optional<ScreenPixels> waitForCanvas() {
        auto deadline = std::chrono::steady_clock::now() + 20s;
        QImage shot;
        while (std::chrono::steady_clock::now() < deadline) {
            shot = screenshot();
            const auto searchStart = std::chrono::steady_clock::now();
            std::optional<ScreenPixels> canvas = shot.isNull() ? std::nullopt : canvasIn(shot);
            if (canvas) {
                return canvas;
            }
            deadline += std::chrono::steady_clock::now() - searchStart;
        }
        const QString missed = QDir::current().filePath(QStringLiteral("wayland-missed.png"));
        if (!shot.isNull() && shot.save(missed)) {
            std::fprintf(stderr, "the last screenshot: %s\n", qPrintable(missed));
        }
        return std::nullopt;
    }

    QTemporaryDir runtime; // private, mode 0700, as a session's runtime folder is
    std::unique_ptr<ChildProcess> compositor;
    std::unique_ptr<ChildProcess> program;

private:
    Backend m_backend;
};

class OnWaylandWithASeat : public OnWayland {
protected:
    OnWaylandWithASeat() : OnWayland(Backend::insideX) {}

    // What pasting as type gives another client once it is on offer, or nothing.
    std::optional<QByteArray> pasted(const char* type) {
        std::optional<QByteArray> content;
        waitUntil(
            [&] {
                QProcess paste;
                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
                for (const auto& [name, value] : waylandClient()) {
                    environment.insert(QString::fromStdString(name), QString::fromStdString(value));
                }
                paste.setProcessEnvironment(environment);
                paste.start(QStringLiteral("wl-paste"),
                            {QStringLiteral("--no-newline"), QStringLiteral("--type"),
                             QString::fromLatin1(type)});
                if (paste.waitForFinished(10000) && paste.exitCode() == 0) {
                    content = paste.readAllStandardOutput();
                }
                return content.has_value();
            },
            20s);
        return content;
    }
};

} // namespace

TEST_F(OnWayland, AToplevelForm1WithTheApplicationIdAMinimumSizeAndThePattern) {
    const auto title = waitForLogged(compositorLog(), QStringLiteral("set_title\\(\"Form1\"\\)"));
    ASSERT_TRUE(title.has_value()) << program->standardError();
    const auto appId =
        waitForLogged(compositorLog(), QStringLiteral("set_app_id\\(\"([^\"]*)\"\\)"));
    ASSERT_TRUE(appId.has_value());
    EXPECT_EQ(appId->captured(1), QStringLiteral("org.patterngenerator.PatternGenerator"));
    const auto minimum = waitForLogged(
        compositorLog(), QStringLiteral("set_min_size\\(([1-9][0-9]*), ([1-9][0-9]*)\\)"));
    ASSERT_TRUE(minimum.has_value());
    EXPECT_GE(minimum->captured(1).toInt(), layout::smallestClientWidth);
    EXPECT_GE(minimum->captured(2).toInt(), layout::smallestClientHeight);

    // The deadline is the program's: the time spent searching each screenshot, which a
    // sanitizer's build stretches, is added back to it.
    EXPECT_TRUE(waitForCanvas().has_value()) << "no screenshot showed the pattern";
}

TEST_F(OnWayland, TheCompositorGoingEndsTheProgramWithALineAndAFailureStatus) {
    ASSERT_TRUE(waitForLogged(compositorLog(), QStringLiteral("set_title\\(\"Form1\"\\)")));
    compositor.reset(); // killed
    const std::optional<ChildProcess::Ending> ending = program->waitForExit(10s);
    ASSERT_TRUE(ending.has_value()) << "the program did not end";
    EXPECT_TRUE(ending->exited) << "ended by signal " << ending->code;
    EXPECT_NE(ending->code, 0);
    EXPECT_NE(program->standardError().find("Wayland"), std::string::npos)
        << program->standardError();
}

// A clipboard manager keeps a copy once its program is gone, and weston's keeps the first
// type offered: that must be PNG, which any program can paste.
TEST_F(OnWaylandWithASeat, ACopyOutlivesTheProgramAsPng) {
    // weston's window fills the X screen; the keys go to it where the pointer rests, and the
    // pointer, which weston draws, rests where it covers no canvas.
    XSession session;
    ASSERT_TRUE(session.connected());
    session.movePointer(session.root(), 1020, 4);
    const std::optional<ScreenPixels> canvas = waitForCanvas();
    ASSERT_TRUE(canvas.has_value()) << "no screenshot showed the pattern\n"
                                    << program->standardError();
    session.pressKey("c", "Control_L");
    // A paste on this compositor starts a client that takes the keyboard focus to read the
    // selection, and would take Ctrl+C with it were the key still on its way: the paste waits
    // until the compositor has seen the program set the selection.
    ASSERT_TRUE(
        waitForLogged(compositorLog(), QStringLiteral("set_selection\\(wl_data_source[@#]")))
        << (waitForLogged(compositorLog(), QStringLiteral("wl_keyboard[@#][0-9]+\\.key\\("), 0s)
                ? "the program had Ctrl+C and set no selection"
                : "Ctrl+C never reached the program");
    ASSERT_TRUE(pasted("image/png").has_value()) << "Ctrl+C put no PNG on the clipboard";

    program.reset(); // gone, and its data with it
    const std::optional<QByteArray> png = pasted("image/png");
    ASSERT_TRUE(png.has_value()) << "the copy went with the program";
    EXPECT_EQ(imagePixels(QImage::fromData(*png, "PNG")), *canvas);
}

// A code pasted draws its pattern, the same pixels as on X11 and on Windows.
TEST_F(OnWaylandWithASeat, ACodePastedDrawsItsPattern) {
    XSession session;
    ASSERT_TRUE(session.connected());
    session.movePointer(session.root(), 1020, 4);
    ASSERT_TRUE(waitForCanvas().has_value()) << "no screenshot showed the pattern\n"
                                             << program->standardError();
    ChildProcess copy("wl-copy", {"nqt9-xn1a xgv9-eaep"}, {.set = waylandClient()});
    copy.waitForExit(10s);
    ASSERT_EQ(pasted("text/plain"), QByteArray("nqt9-xn1a xgv9-eaep"));
    // The clients that copied and pasted took the keyboard focus for a moment, and the
    // compositor hands it back to the program in its own time: a key pressed before then
    // reaches no one, and is pressed again, as a user would.
    const ScreenPixels expected = canvasOfCode("NQT9XN1AXGV9EAEP");
    EXPECT_TRUE(waitUntil(
        [&] {
            session.pressKey("v", "Control_L");
            return waitForCanvas() == expected;
        },
        20s))
        << "the pasted code did not draw its pattern\n"
        << program->standardError();
}
