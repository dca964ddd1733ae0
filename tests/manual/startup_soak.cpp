// Starts the real program again and again on the X server named by DISPLAY and checks that
// each start shows a whole pattern within 2 s of its window being mapped. A miss leaves a
// screenshot of the canvas, the program's stderr and every thread's stack in a folder of
// its own. Run by scripts/startup-soak, not by the test suite.
//
//     startup_soak STARTS OUTPUT_FOLDER

#include "child_process.h"
#include "screen_reading.h"
#include "window_manager.h"
#include "x_session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <QDir>
#include <QImage>
#include <QProcess>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

void saveMiss(const std::string& folder, ChildProcess& program, const ScreenPixels& shown) {
    QDir().mkpath(QString::fromStdString(folder));
    if (shown.size() == std::size_t{500} * 500) {
        QImage canvas(500, 500, QImage::Format_RGB32);
        for (int y = 0; y < 500; ++y) {
            for (int x = 0; x < 500; ++x) {
                canvas.setPixel(
                    x, y,
                    0xFF000000U |
                        shown[static_cast<std::size_t>(y) * 500 + static_cast<std::size_t>(x)]);
            }
        }
        canvas.save(QString::fromStdString(folder + "/canvas.png"));
    }
    QProcess debugger;
    debugger.start(QStringLiteral("gdb"),
                   {QStringLiteral("-batch"), QStringLiteral("-p"),
                    QString::number(program.processId()), QStringLiteral("-ex"),
                    QStringLiteral("thread apply all bt")});
    debugger.waitForFinished(60000);
    std::ofstream(folder + "/stacks.txt") << debugger.readAllStandardOutput().toStdString();
    std::ofstream(folder + "/stderr.txt") << program.standardError();
    std::ifstream status("/proc/" + std::to_string(program.processId()) + "/status");
    std::ofstream(folder + "/status.txt") << status.rdbuf();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: startup_soak STARTS OUTPUT_FOLDER\n");
        return 2;
    }
    const int starts = std::atoi(argv[1]);
    const std::string output = argv[2];
    std::unique_ptr<WindowManager> windowManager;
    const char* wanted = std::getenv("PATTERN_WINDOW_MANAGER");
    if (wanted != nullptr && std::strcmp(wanted, "openbox") == 0) {
        windowManager = std::make_unique<WindowManager>();
    }
    XSession session;
    if (!session.connected()) {
        std::fprintf(stderr, "startup_soak: no X server\n");
        return 2;
    }

    int misses = 0;
    int noWindow = 0;
    int notClosed = 0;
    std::vector<double> millisecondsToPattern;
    for (int start = 1; start <= starts; ++start) {
        ChildProcess program(programUnderTest(), {});
        const std::optional<XSession::WindowId> form1 = session.waitForWindow("Form1", 10s);
        if (!form1) {
            ++noWindow;
            saveMiss(output + "/no-window-" + std::to_string(start), program, {});
            continue;
        }
        const auto mapped = Clock::now();
        if (waitForPattern(session, *form1, {}, 2s)) {
            millisecondsToPattern.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - mapped).count());
        } else {
            ++misses;
            saveMiss(output + "/miss-" + std::to_string(start), program,
                     canvasPixels(session, *form1));
        }
        session.requestClose(*form1);
        const std::optional<ChildProcess::Ending> ending = program.waitForExit(5s);
        notClosed += ending && ending->exited && ending->code == 0 ? 0 : 1;
        if (start % 100 == 0) {
            std::printf("%d starts: %d without a pattern within 2 s, %d without a window\n", start,
                        misses, noWindow);
            std::fflush(stdout);
        }
    }
    std::ranges::sort(millisecondsToPattern);
    const auto percentile = [&](double p) {
        return millisecondsToPattern.empty()
                   ? 0.0
                   : millisecondsToPattern[static_cast<std::size_t>(
                         p * static_cast<double>(millisecondsToPattern.size() - 1))];
    };
    std::printf("%s: %d starts, %d without a whole pattern within 2 s of the map, %d without a "
                "window, %d not ending with status 0; map to pattern median %.0f ms, 99th "
                "percentile %.0f ms, slowest %.0f ms\n",
                windowManager ? "under openbox" : "bare X server", starts, misses, noWindow,
                notClosed, percentile(0.5), percentile(0.99), percentile(1.0));
    return misses + noWindow == 0 ? 0 : 1;
}
