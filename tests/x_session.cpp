#include "x_session.h"

#include <cstring>
#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

XSession::XSession() : m_display(XOpenDisplay(nullptr)) {}

XSession::~XSession() {
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
    }
}

std::optional<XSession::WindowId> XSession::waitForWindow(const char* caption,
                                                          std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (const auto window = findWindow(DefaultRootWindow(m_display), caption)) {
            return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

std::vector<std::uint32_t> XSession::pixels(WindowId window, int left, int top, int width,
                                            int height) {
    std::vector<std::uint32_t> shown;
    XImage* image = XGetImage(m_display, window, left, top, static_cast<unsigned>(width),
                              static_cast<unsigned>(height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return shown;
    }
    shown.reserve(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            shown.push_back(static_cast<std::uint32_t>(XGetPixel(image, x, y) & 0xFFFFFFU));
        }
    }
    XDestroyImage(image);
    return shown;
}

void XSession::movePointer(WindowId window, int x, int y) {
    int rootX = 0;
    int rootY = 0;
    Window child = 0;
    XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), x, y, &rootX, &rootY,
                          &child);
    XTestFakeMotionEvent(m_display, -1, rootX, rootY, CurrentTime);
    XSync(m_display, False);
}

void XSession::click() {
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    XSync(m_display, False);
}

void XSession::requestClose(WindowId window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XSync(m_display, False);
}

std::optional<XSession::WindowId> XSession::findWindow(WindowId parent, const char* caption) {
    Window root = 0;
    Window parentOfParent = 0;
    Window* children = nullptr;
    unsigned int childCount = 0;
    if (XQueryTree(m_display, parent, &root, &parentOfParent, &children, &childCount) == 0) {
        return std::nullopt;
    }
    std::optional<WindowId> found;
    for (unsigned int i = 0; i < childCount && !found; ++i) {
        char* name = nullptr;
        if (XFetchName(m_display, children[i], &name) != 0 && name != nullptr) {
            XWindowAttributes attributes{};
            if (std::strcmp(name, caption) == 0 &&
                XGetWindowAttributes(m_display, children[i], &attributes) != 0 &&
                attributes.map_state == IsViewable) {
                found = children[i];
            }
            XFree(name);
        }
        if (!found) {
            found = findWindow(children[i], caption);
        }
    }
    if (children != nullptr) {
        XFree(children);
    }
    return found;
}
