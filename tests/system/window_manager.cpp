#include "window_manager.h"

#include "x_session.h"

#include <chrono>
#include <thread>

WindowManager::WindowManager()
    : m_process(
          std::make_unique<ChildProcess>("openbox", std::vector<std::string>{"--sm-disable"})) {
    XSession session;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (session.connected() && !m_running && std::chrono::steady_clock::now() < deadline) {
        m_running = session.windowManagerRunning();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}
