#include "window_manager.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include <gtest/gtest.h>

// Runs the tests on the X server named by DISPLAY; with PATTERN_WINDOW_MANAGER=openbox,
// under a window manager started for them, as users have one.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<WindowManager> windowManager;
    const char* wanted = std::getenv("PATTERN_WINDOW_MANAGER");
    if (wanted != nullptr && std::strcmp(wanted, "openbox") == 0) {
        windowManager = std::make_unique<WindowManager>();
        if (!windowManager->running()) {
            std::fprintf(stderr, "openbox did not start\n");
            return 1;
        }
    }
    return RUN_ALL_TESTS();
}
