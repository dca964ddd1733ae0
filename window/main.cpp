#include "main_window.h"
#include "startup_messages.h"

#include <array>
#include <string>

#include <QApplication>
#include <QDir>
#include <QIcon>

namespace {

// The icon of the installed theme, or else the one built in; both are the same drawing.
QIcon applicationIcon() {
    QIcon builtIn;
    const QDir builtInSizes(QStringLiteral(":/icons"));
    for (const QString& file : builtInSizes.entryList(QDir::Files)) {
        builtIn.addFile(builtInSizes.filePath(file));
    }
    return QIcon::fromTheme(QStringLiteral(PATTERN_APPLICATION_ID), builtIn);
}

} // namespace

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

    // The desktop entry, its icon and the Wayland app_id all carry the application id.
    QGuiApplication::setDesktopFileName(QStringLiteral(PATTERN_APPLICATION_ID));
    QApplication::setWindowIcon(applicationIcon());

    Form1 form1;
    return QApplication::exec();
}
