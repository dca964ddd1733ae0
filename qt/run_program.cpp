#include "run_program.h"

#include "form1.h"
#include "startup_messages.h"
#include "table_warm_up_threads.h"
#include "window_icon.h"

#include <array>
#include <string>
#include <thread>

#include <QApplication>

int runProgram(const ProgramOptions& options) {
    // The angles every pass shares depend on no pattern: they are worked out while the
    // toolkit starts.
    const std::jthread angleWarmUp = startAngleWarmUp();

    // The program takes no arguments. The toolkit is handed a bare list, so its own options
    // (-platform, -style, ...) are ignored like any other word on the command line; its
    // environment variables still apply.
    static std::string programName = "pattern-generator";
    static std::array<char*, 2> arguments = {programName.data(), nullptr};
    static int argumentCount = 1;

    holdStartupMessages(programName.c_str());
    QApplication application(argumentCount, arguments.data());
    releaseStartupMessages();

    // The desktop entry, its icon and the Wayland app_id all carry the application id.
    QGuiApplication::setDesktopFileName(QStringLiteral(PATTERN_APPLICATION_ID));
    QApplication::setWindowIcon(windowIcon());

    // Leaving stops the angular tables' warm-up after the table in hand.
    Form1 form1(options);
    return QApplication::exec();
}
