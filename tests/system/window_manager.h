#pragma once

#include "child_process.h"

#include <memory>

// A window manager on the X server named by DISPLAY, for as long as this object lives.
class WindowManager {
public:
    // Starts openbox and waits until it manages the screen; running() says whether it does.
    WindowManager();
    bool running() const { return m_running; }

private:
    std::unique_ptr<ChildProcess> m_process;
    bool m_running = false;
};
