#pragma once

#include <chrono>
#include <thread>

// Polls condition until it holds or timeout has passed, and says whether it held. A test
// waits this way for what it needs before it checks anything, so that a slow machine makes
// it slower, not wrong; the timeout bounds a test that cannot pass.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}
