#include "startup_messages.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <QRegularExpression>
#include <QString>
#include <QtGlobal>

namespace {

// One message of the toolkit's, as it was held.
struct ToolkitMessage {
    QtMsgType type;
    QString category;
    QString text;
};

const char* heldProgramName = "";
QtMessageHandler previousHandler = nullptr;
std::vector<ToolkitMessage> heldMessages;

QString firstMatch(const QString& text, const QString& pattern) {
    return QRegularExpression(pattern).match(text).captured(1);
}

// Why the toolkit could not start, in a few words, from the messages it left before its
// fatal one and from that one: the platform plugin that is missing or could not start, and
// the toolkit's own reason, or the X display it could not reach. display is the value of
// DISPLAY, or nullptr if it is not set.
std::string startupFailureCause(const std::vector<ToolkitMessage>& held, const QString& fatal,
                                const char* display) {
    const QString available =
        firstMatch(fatal, QStringLiteral("Available platform plugins are: ([^\\n]*?)\\.?\\s*$"));
    const QString installed =
        available.isEmpty() ? QString() : QStringLiteral(" (installed: %1)").arg(available);
    QString missing;
    QString failed;
    QString reason;
    bool noXDisplay = false;
    for (const ToolkitMessage& message : held) {
        if (message.category == QLatin1String("qt.qpa.plugin")) {
            const QString notFound = firstMatch(
                message.text, QStringLiteral("Could not find the Qt platform plugin \"([^\"]*)\""));
            const QString notLoaded = firstMatch(
                message.text, QStringLiteral("Could not load the Qt platform plugin \"([^\"]*)\""));
            missing = notFound.isEmpty() ? missing : notFound;
            failed = notLoaded.isEmpty() ? failed : notLoaded;
        } else if (message.category == QLatin1String("qt.qpa.xcb") &&
                   message.text.startsWith(QLatin1String("could not connect to display"))) {
            noXDisplay = true;
        } else if (message.type != QtDebugMsg && message.type != QtInfoMsg) {
            reason = message.text.trimmed();
        }
    }

    QString cause;
    if (noXDisplay) {
        const bool displaySet = display != nullptr && *display != '\0';
        cause = displaySet ? QStringLiteral("could not connect to the X display (DISPLAY is %1)")
                                 .arg(QString::fromLocal8Bit(display))
                           : QStringLiteral("no X display to connect to (DISPLAY is not set)");
    } else if (!missing.isEmpty()) {
        cause =
            QStringLiteral("the platform plugin \"%1\" is not installed%2").arg(missing, installed);
    } else if (!failed.isEmpty()) {
        cause = QStringLiteral("the platform plugin \"%1\" could not start").arg(failed);
        if (!reason.isEmpty()) {
            cause += QStringLiteral(": ") + reason;
        }
    } else {
        // A failure this program does not know: the toolkit's first sentence, without its
        // advice.
        cause = firstMatch(fatal, QStringLiteral("^([^.\\n]*)"));
    }
    return cause.toStdString();
}

void holdingHandler(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        heldMessages.push_back({type, QString::fromUtf8(context.category), text});
        return;
    }
    const std::string cause = startupFailureCause(heldMessages, text, std::getenv("DISPLAY"));
    std::fprintf(stderr, "%s: cannot open a window: %s\n", heldProgramName, cause.c_str());
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
    for (const ToolkitMessage& message : heldMessages) {
        qt_message_output(message.type, noContext, message.text);
    }
    heldMessages.clear();
}
