#include "main_window.h"
#include "startup_messages.h"

#include <array>
#include <string>

#include <QApplication>

int main() {
    // The program takes no arguments. The toolkit is handed a bare list, so its own options
    // (-platform, -style, ...) are ignored like any other word on the command line; its
    // environment variables still apply.
    static std::string programName = "pattern-generator";
    static std::array<char*, 2> arguments = {programName.data(), nullptr};
    static int argumentCount = 1;

    holdStartupMessages(programName.c_str());
    QApplication application(argumentCount, arguments.data());
    releaseStartupMessages();

    Form1 form1;
    return QApplication::exec();
}
