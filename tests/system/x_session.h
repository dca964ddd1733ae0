#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct _XDisplay; // NOLINT(bugprone-reserved-identifier): Xlib's own name for a connection

// A connection to the X server named by DISPLAY, with what a test needs to use a program
// as a person would: find its window, read what the screen shows, move the pointer,
// click, and ask the window to close. Xlib's own headers, and their macros, stay in the
// implementation.
class XSession {
public:
    using WindowId = unsigned long;

    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool connected() const { return m_display != nullptr; }

    // The screen's root window, over which all others lie.
    WindowId root() const;

    // A window's caption, empty where it has none.
    std::string caption(WindowId window);

    // The first viewable window captioned caption, now or waiting up to timeout for it.
    std::optional<WindowId> window(const char* caption);
    std::optional<WindowId> waitForWindow(const char* caption, std::chrono::milliseconds timeout);

    // The pixels a rectangle of the window shows, row by row, as 0xRRGGBB; empty if the
    // rectangle cannot be read.
    std::vector<std::uint32_t> pixels(WindowId window, int left, int top, int width, int height);

    // Moves the pointer to a point of the window, through the server's input path.
    void movePointer(WindowId window, int x, int y);

    // Where the pointer is, relative to the window's top-left corner.
    std::pair<int, int> pointer(WindowId window);

    // Presses and releases the left button where the pointer is, in one flush with no hold,
    // as XTest clicks; or only presses, or only releases it, for a drag.
    void click();
    void pressButton();
    void releaseButton();

    // Pointer input sent to the server in one flush, with no pause between the steps: as a
    // touchpad tap, a quick double-click or a hand's jitter reaches it. A move goes to a
    // point of the window.
    struct PointerStep {
        enum Kind { press, release, move } kind;
        int x = 0;
        int y = 0;
    };
    void sendAtOnce(WindowId window, const std::vector<PointerStep>& steps);

    // Whether a drag is under way anywhere on the screen: some client owns the selection
    // that drag and drop hands data through, or holds the pointer grabbed.
    bool dragUnderWay();

    // Asks the window to close, as a window manager's close button does.
    void requestClose(WindowId window);

    // Presses and releases a key, named as X names it ("Tab", "space", "c"), through the
    // server's input path, with others ("Control_L", "Shift_L") held down around it if given.
    void pressKey(const char* keyName, const char* heldKeyName = nullptr,
                  const char* alsoHeldKeyName = nullptr);

    // The size of the window's own area, without any frame a window manager adds.
    std::optional<std::pair<int, int>> size(WindowId window);

    // Asks for the window to be resized, as the program's own request would.
    void resize(WindowId window, int width, int height);

    // What a window manager does on a user's behalf: whether one runs, which window it
    // made active, and asking it to minimise, restore or close a window. The close goes
    // to the window manager, which asks the window itself, as its close button does.
    bool windowManagerRunning();
    std::optional<WindowId> activeWindow();
    std::vector<WindowId> managedWindows(); // with a frame each, as _NET_CLIENT_LIST lists them
    void minimise(WindowId window);
    void restore(WindowId window);
    void closeThroughWindowManager(WindowId window);

    // The window that has the keyboard focus, or one of its ancestors' children.
    WindowId inputFocus();

    // A plain window over the whole screen, mapped until it is destroyed.
    WindowId cover();
    void destroy(WindowId window);

private:
    std::optional<WindowId> findWindow(WindowId parent, const char* caption);
    void sendToWindowManager(WindowId window, const char* message, long first, long second);
    std::optional<WindowId> rootProperty(const char* name);

    _XDisplay* m_display;
};
