#include "main_window.h"
#include "startup_messages.h"

#include <QApplication>

int main() {
    // The program takes no arguments. The toolkit is handed a bare list, so its own options
    // (-platform, -style, ...) are ignored like any other word on the command line; its
    // environment variables still apply.
    static char programName[] = "pattern-generator";
    static char* arguments[] = {programName, nullptr};
    static int argumentCount = 1;

    holdStartupMessages(programName);
    QApplication application(argumentCount, arguments);
    releaseStartupMessages();

    Form1 form1;
    return QApplication::exec();
}
