#pragma once

#include <string>
#include <vector>

#include <QString>
#include <QtGlobal>

// While the toolkit starts, its messages are held back. If it cannot start, they are
// replaced by one plain line on stderr that says what failed, and the process exits with
// status 1 instead of aborting; once it has started, the held messages are passed on as
// usual.
void holdStartupMessages(const char* programName);
void releaseStartupMessages();

// One message of the toolkit's, as it was held.
struct ToolkitMessage {
    QtMsgType type;
    QString category;
    QString text;
};

// Why the toolkit could not start, in a few words, from the messages it left before its
// fatal one and from that one: the platform plugin that is missing or could not start, and
// the toolkit's own reason, or the X display it could not reach. display is the value of
// DISPLAY, or nullptr if it is not set.
std::string startupFailureCause(const std::vector<ToolkitMessage>& held, const QString& fatal,
                                const char* display);
