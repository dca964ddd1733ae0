// Starts the window on the offscreen platform, presses "new" three times and closes it:
// the run that valgrind's memcheck watches.

#include "form1.h"

#include <array>
#include <string>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWindow>

int main() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static std::string name = "memcheck_driver";
    static std::array<char*, 2> arguments = {name.data(), nullptr};
    int argumentCount = 1;
    QApplication application(argumentCount, arguments.data());

    Form1 form1;
    auto* command1 = form1.findChild<QPushButton*>(QStringLiteral("Command1"));
    for (int press = 0; press < 3; ++press) {
        QTest::mouseClick(form1.windowHandle(), Qt::LeftButton, {}, command1->geometry().center());
    }
    form1.close();
    return 0;
}
