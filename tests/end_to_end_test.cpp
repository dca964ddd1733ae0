// Runs the real program on an X server (started around this test by xvfb-run), reads its
// canvas back from the screen and presses its button as a user would.

#include "child_process.h"

#include <chrono>
#include <cstring>
#include <optional>
#include <set>
#include <thread>
#include <vector>

#include <gtest/gtest.h>
// After GoogleTest: Xlib defines macros such as None and Bool.
#include <sys/wait.h>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

using namespace std::chrono_literals;

constexpr int canvasLeft = 56;
constexpr int canvasTop = 64;
constexpr int canvasSide = 500;
constexpr int buttonCentreX = 576 + 57 / 2;
constexpr int buttonCentreY = 544 + 17 / 2;

// The canvas's pixels as the screen shows them, row by row.
using ScreenPixels = std::vector<unsigned long>;

class XServer {
public:
    XServer() : m_display(XOpenDisplay(nullptr)) {}
    ~XServer() {
        if (m_display != nullptr) {
            XCloseDisplay(m_display);
        }
    }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    bool connected() const { return m_display != nullptr; }

    // The mapped window captioned name, waiting for it to appear.
    std::optional<Window> waitForWindow(const char* name, std::chrono::milliseconds timeout) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (std::chrono::steady_clock::now() < deadline) {
            if (const auto window = findWindow(DefaultRootWindow(m_display), name)) {
                return window;
            }
            std::this_thread::sleep_for(50ms);
        }
        return std::nullopt;
    }

    ScreenPixels canvasPixels(Window window) {
        ScreenPixels pixels;
        XImage* image = XGetImage(m_display, window, canvasLeft, canvasTop, canvasSide, canvasSide,
                                  AllPlanes, ZPixmap);
        if (image == nullptr) {
            return pixels;
        }
        pixels.reserve(canvasSide * canvasSide);
        for (int y = 0; y < canvasSide; ++y) {
            for (int x = 0; x < canvasSide; ++x) {
                pixels.push_back(XGetPixel(image, x, y));
            }
        }
        XDestroyImage(image);
        return pixels;
    }

    // Moves the pointer to a point of the window and clicks the left button there, through
    // the server's input path.
    void click(Window window, int x, int y) {
        int rootX = 0;
        int rootY = 0;
        Window child = 0;
        XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), x, y, &rootX, &rootY,
                              &child);
        XTestFakeMotionEvent(m_display, -1, rootX, rootY, CurrentTime);
        XSync(m_display, False);
        // A hand comes to rest on the button before it presses.
        std::this_thread::sleep_for(50ms);
        XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
        XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
        XSync(m_display, False);
    }

    // Asks the window to close, as a window manager's close button does.
    void requestClose(Window window) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = window;
        event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
        event.xclient.format = 32;
        event.xclient.data.l[0] =
            static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(m_display, window, False, NoEventMask, &event);
        XSync(m_display, False);
    }

private:
    std::optional<Window> findWindow(Window parent, const char* name) {
        Window root = 0;
        Window parentOfParent = 0;
        Window* children = nullptr;
        unsigned int childCount = 0;
        if (XQueryTree(m_display, parent, &root, &parentOfParent, &children, &childCount) == 0) {
            return std::nullopt;
        }
        std::optional<Window> found;
        for (unsigned int i = 0; i < childCount && !found; ++i) {
            char* caption = nullptr;
            XWindowAttributes attributes{};
            if (XFetchName(m_display, children[i], &caption) != 0 && caption != nullptr) {
                if (std::strcmp(caption, name) == 0 &&
                    XGetWindowAttributes(m_display, children[i], &attributes) != 0 &&
                    attributes.map_state == IsViewable) {
                    found = children[i];
                }
                XFree(caption);
            }
            if (!found) {
                found = findWindow(children[i], name);
            }
        }
        if (children != nullptr) {
            XFree(children);
        }
        return found;
    }

    Display* m_display;
};

// A drawn pattern is unchanged by a half turn about the grid centre (250, 250). Column
// and row 500 are clipped, so column and row 0 have no partner on the screen.
bool showsAPattern(const ScreenPixels& pixels) {
    if (pixels.size() != canvasSide * canvasSide) {
        return false;
    }
    const auto at = [&](int x, int y) {
        return pixels[static_cast<std::size_t>(y * canvasSide + x)];
    };
    std::set<unsigned long> distinct;
    for (int y = 1; y < canvasSide; ++y) {
        for (int x = 1; x < canvasSide; ++x) {
            if (at(x, y) != at(500 - x, 500 - y)) {
                return false;
            }
            if (distinct.size() < 2) {
                distinct.insert(at(x, y));
            }
        }
    }
    return distinct.size() >= 2;
}

// Waits for the canvas to show a complete pattern other than the one given.
std::optional<ScreenPixels> waitForPattern(XServer& server, Window window,
                                           const ScreenPixels& other = {}) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (std::chrono::steady_clock::now() < deadline) {
        ScreenPixels pixels = server.canvasPixels(window);
        if (pixels != other && showsAPattern(pixels)) {
            return pixels;
        }
        std::this_thread::sleep_for(50ms);
    }
    return std::nullopt;
}

void expectCleanExit(ChildProcess& program) {
    const std::optional<int> status = program.waitForExit(10s);
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status);
    EXPECT_EQ(WEXITSTATUS(*status), 0);
}

// Starts the program, sees its first pattern and one drawn by "new", then closes it.
void drawTwoPatternsAndClose(const std::vector<std::string>& arguments) {
    XServer server;
    ASSERT_TRUE(server.connected()) << "no X server: run this test under xvfb-run";
    ChildProcess program(PATTERN_GENERATOR, arguments);

    const std::optional<Window> form1 = server.waitForWindow("Form1", 20s);
    ASSERT_TRUE(form1.has_value()) << "no window captioned Form1 appeared";
    const std::optional<ScreenPixels> first = waitForPattern(server, *form1);
    ASSERT_TRUE(first.has_value()) << "the canvas never showed a symmetric pattern";

    server.click(*form1, buttonCentreX, buttonCentreY);
    const std::optional<ScreenPixels> second = waitForPattern(server, *form1, *first);
    ASSERT_TRUE(second.has_value()) << "pressing \"new\" showed no new pattern";

    server.requestClose(*form1);
    expectCleanExit(program);
}

} // namespace

TEST(EndToEnd, ShowsAPatternDrawsAnotherOnNewAndExitsCleanlyWhenClosed) {
    drawTwoPatternsAndClose({});
}

TEST(EndToEnd, CommandLineArgumentsChangeNothing) {
    drawTwoPatternsAndClose({"-platform", "offscreen", "-style", "windows", "--help", "-display",
                             ":12345", "\xff\xfe not UTF-8", ""});
}

TEST(EndToEnd, WithoutADisplayItSaysSoInOneLineAndFails) {
    ChildProcess program(PATTERN_GENERATOR, {}, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
    const std::optional<int> status = program.waitForExit(10s);
    ASSERT_TRUE(status.has_value()) << "the program did not end";
    ASSERT_TRUE(WIFEXITED(*status)) << "ended by signal " << WTERMSIG(*status);
    EXPECT_NE(WEXITSTATUS(*status), 0);
    const std::string message = program.standardError();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1) << message;
    EXPECT_NE(message.find("display"), std::string::npos) << message;
    EXPECT_EQ(message.find("einstall"), std::string::npos) << message;
}
