// The real program on native Wayland: a headless weston of its own, and what the
// compositor sees of the program: the requests it receives, and a screenshot of its output.

#include "child_process.h"
#include "program_screen.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

#include <QDir>
#include <QImage>
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
std::optional<QRegularExpressionMatch> waitForLogged(const std::string& log,
                                                     const QString& pattern) {
    const QRegularExpression expression(pattern);
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (std::chrono::steady_clock::now() < deadline) {
        QRegularExpressionMatch match = expression.match(QString::fromStdString(contentsOf(log)));
        if (match.hasMatch()) {
            return match;
        }
        std::this_thread::sleep_for(50ms);
    }
    return std::nullopt;
}

// The canvas somewhere in a screenshot: a 500 x 500 square that shows a whole pattern.
bool holdsAPattern(const QImage& screenshot) {
    constexpr int side = 500;
    const QImage image = screenshot.convertToFormat(QImage::Format_RGB32);
    const auto at = [&image](int x, int y) {
        return image.pixel(x, y) & 0xFFFFFFU;
    };
    for (int top = 0; top + side <= image.height(); ++top) {
        for (int left = 0; left + side <= image.width(); ++left) {
            // A few pairs first, so that most places are passed over at once: a pattern is
            // the same turned about its centre, and a flat square is not a pattern. About one
            // pattern in 170 has the centre's colour in its corner, so flatness is judged by
            // more than one point.
            const QRgb centre = at(left + 250, top + 250);
            const bool candidate =
                at(left + 1, top + 1) == at(left + 499, top + 499) &&
                at(left + 100, top + 37) == at(left + 400, top + 463) &&
                at(left + 13, top + 250) == at(left + 487, top + 250) &&
                (at(left + 1, top + 1) != centre || at(left + 100, top + 37) != centre ||
                 at(left + 13, top + 250) != centre || at(left + 250, top + 13) != centre);
            if (!candidate) {
                continue;
            }
            ScreenPixels pixels;
            pixels.reserve(static_cast<std::size_t>(side) * side);
            for (int y = 0; y < side; ++y) {
                for (int x = 0; x < side; ++x) {
                    pixels.push_back(at(left + x, top + y));
                }
            }
            if (showsAPattern(pixels)) {
                return true;
            }
        }
    }
    return false;
}

class OnWayland : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(runtime.isValid());
        ASSERT_EQ(std::filesystem::status(runtime.path().toStdString()).permissions() &
                      std::filesystem::perms::all,
                  std::filesystem::perms::owner_all);
        // The compositor logs every request it receives: what it sees of the program.
        compositor = std::make_unique<ChildProcess>(
            "weston",
            std::vector<std::string>{"--backend=headless-backend.so",
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
            ChildProcess::Options{.unset = {"DISPLAY"},
                                  .set = {{"QT_QPA_PLATFORM", "wayland"},
                                          {"WAYLAND_DISPLAY", socketName},
                                          {"XDG_RUNTIME_DIR", runtimePath()}}});
    }

    std::string runtimePath() const { return runtime.path().toStdString(); }
    std::string compositorLog() const { return runtimePath() + "/compositor.log"; }

    // A screenshot of the compositor's output, or a null image.
    QImage screenshot() {
        QTemporaryDir folder;
        ChildProcess shooter(
            "weston-screenshooter", {},
            {.set = {{"XDG_RUNTIME_DIR", runtimePath()}, {"WAYLAND_DISPLAY", socketName}},
             .workingDirectory = folder.path().toStdString()});
        shooter.waitForExit(10s);
        const QStringList shots = QDir(folder.path()).entryList({QStringLiteral("*.png")});
        return shots.isEmpty() ? QImage() : QImage(QDir(folder.path()).filePath(shots.first()));
    }

    QTemporaryDir runtime; // private, mode 0700, as a session's runtime folder is
    std::unique_ptr<ChildProcess> compositor;
    std::unique_ptr<ChildProcess> program;
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
    EXPECT_GE(minimum->captured(1).toInt(), 633);
    EXPECT_GE(minimum->captured(2).toInt(), 564);

    bool seen = false;
    const auto deadline = std::chrono::steady_clock::now() + 20s;
    while (!seen && std::chrono::steady_clock::now() < deadline) {
        const QImage shot = screenshot();
        seen = !shot.isNull() && holdsAPattern(shot);
    }
    EXPECT_TRUE(seen) << "no screenshot showed the pattern";
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
