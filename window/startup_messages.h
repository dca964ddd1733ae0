#pragma once

// While the toolkit starts, its messages are held back. If it cannot start, most often
// because no display can be reached, they are replaced by one plain line on stderr and
// the process exits with status 1 instead of aborting; once it has started, the held
// messages are passed on as usual.
void holdStartupMessages(const char* programName);
void releaseStartupMessages();
