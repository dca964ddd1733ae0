#pragma once

// While the toolkit starts, its messages are held back. If it cannot start, they are
// replaced by one plain line on stderr that says what failed, and the process exits with
// status 1 instead of aborting; once it has started, the held messages are passed on as
// usual.
void holdStartupMessages(const char* programName);
void releaseStartupMessages();
