#pragma once

// The handle of a warm-up running on a thread of its own: destroying it asks the warm-up to
// stop after the table in hand and waits for that one.
#ifdef PATTERN_NO_THREADS
// A build without threads (a page in a browser, which has none without cross-origin
// isolation) never starts one, so its handle is always empty.
struct WarmUpThread {
    bool joinable() const { return false; }
};
#else
#include <thread>
using WarmUpThread = std::jthread;
#endif
