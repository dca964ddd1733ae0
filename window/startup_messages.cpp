#include "startup_messages.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QString>
#include <QtGlobal>

namespace {

const char* heldProgramName = "";
QtMessageHandler previousHandler = nullptr;

struct HeldMessage {
    QtMsgType type;
    QString text;
};
std::vector<HeldMessage> heldMessages;

std::string displayDescription() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
        return "DISPLAY is not set";
    }
    return std::string("DISPLAY is ") + display;
}

void holdingHandler(QtMsgType type, const QMessageLogContext& /*context*/, const QString& text) {
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, text});
        return;
    }
    std::fprintf(stderr, "%s: cannot open a window: no display could be reached (%s)\n",
                 heldProgramName, displayDescription().c_str());
    std::fflush(stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

void holdStartupMessages(const char* programName) {
    heldProgramName = programName;
    previousHandler = qInstallMessageHandler(holdingHandler);
}

void releaseStartupMessages() {
    qInstallMessageHandler(previousHandler);
    const QMessageLogContext noContext;
    for (const HeldMessage& message : heldMessages) {
        qt_message_output(message.type, noContext, message.text);
    }
    heldMessages.clear();
}
