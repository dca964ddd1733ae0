#include "x_session.h"

#include <bit>
#include <cstddef>
#include <cstring>
#include <thread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace {

// Windows come and go while a test looks at them; a request about one that has just gone
// fails, and the test sees no window rather than the process ending.
int ignoreError(Display* /*display*/, XErrorEvent* /*error*/) {
    return 0;
}

} // namespace

XSession::XSession() : m_display(XOpenDisplay(nullptr)) {
    XSetErrorHandler(ignoreError);
}

XSession::~XSession() {
    if (m_display != nullptr) {
        XCloseDisplay(m_display);
    }
}

XSession::WindowId XSession::root() const {
    return DefaultRootWindow(m_display);
}

std::string XSession::caption(WindowId window) {
    char* name = nullptr;
    std::string caption;
    if (XFetchName(m_display, window, &name) != 0 && name != nullptr) {
        caption = name;
    }
    XFree(name);
    return caption;
}

std::optional<XSession::WindowId> XSession::window(const char* caption) {
    return findWindow(DefaultRootWindow(m_display), caption);
}

std::optional<XSession::WindowId> XSession::waitForWindow(const char* caption,
                                                          std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (const auto found = window(caption)) {
            return found;
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
    // A 24-bit screen's image holds 0x00RRGGBB words in the host's order, read as they lie;
    // any other goes through Xlib one pixel at a time.
    const bool plainWords =
        image->bits_per_pixel == 32 && image->red_mask == 0xFF0000U &&
        image->green_mask == 0xFF00U && image->blue_mask == 0xFFU &&
        image->byte_order == (std::endian::native == std::endian::little ? LSBFirst : MSBFirst);
    for (int y = 0; y < height; ++y) {
        const char* row = image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line;
        for (int x = 0; x < width; ++x) {
            std::uint32_t word = 0;
            if (plainWords) {
                std::memcpy(&word, row + 4 * static_cast<std::ptrdiff_t>(x), sizeof word);
            } else {
                word = static_cast<std::uint32_t>(XGetPixel(image, x, y));
            }
            shown.push_back(word & 0xFFFFFFU);
        }
    }
    XDestroyImage(image);
    return shown;
}

void XSession::movePointer(WindowId window, int x, int y) {
    sendAtOnce(window, {{PointerStep::move, x, y}});
}

std::pair<int, int> XSession::pointer(WindowId window) {
    Window rootReturn = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int x = 0;
    int y = 0;
    unsigned int buttons = 0;
    XQueryPointer(m_display, window, &rootReturn, &child, &rootX, &rootY, &x, &y, &buttons);
    return {x, y};
}

void XSession::click() {
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XTestFakeButtonEvent(m_display, 1, False, CurrentTime);
    XSync(m_display, False);
}

void XSession::sendAtOnce(WindowId window, const std::vector<PointerStep>& steps) {
    // Asking where the window is waits for the server, which would send what is queued; so
    // the points are found first and the input queued after.
    int originX = 0;
    int originY = 0;
    Window child = 0;
    XTranslateCoordinates(m_display, window, DefaultRootWindow(m_display), 0, 0, &originX, &originY,
                          &child);
    for (const PointerStep& step : steps) {
        if (step.kind == PointerStep::move) {
            XTestFakeMotionEvent(m_display, -1, originX + step.x, originY + step.y, CurrentTime);
        } else {
            XTestFakeButtonEvent(m_display, 1, step.kind == PointerStep::press ? True : False,
                                 CurrentTime);
        }
    }
    XSync(m_display, False);
}

bool XSession::dragUnderWay() {
    if (XGetSelectionOwner(m_display, XInternAtom(m_display, "XdndSelection", False)) != None) {
        return true;
    }
    const int grab = XGrabPointer(m_display, DefaultRootWindow(m_display), False, 0, GrabModeAsync,
                                  GrabModeAsync, None, None, CurrentTime);
    if (grab == GrabSuccess) {
        XUngrabPointer(m_display, CurrentTime);
    }
    XSync(m_display, False);
    return grab == AlreadyGrabbed || grab == GrabFrozen;
}

void XSession::pressButton() {
    XTestFakeButtonEvent(m_display, 1, True, CurrentTime);
    XSync(m_display, False);
}

void XSession::releaseButton() {
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

void XSession::pressKey(const char* keyName, const char* heldKeyName, const char* alsoHeldKeyName) {
    const auto keyCode = [this](const char* name) {
        return XKeysymToKeycode(m_display, XStringToKeysym(name));
    };
    for (const char* held : {heldKeyName, alsoHeldKeyName}) {
        if (held != nullptr) {
            XTestFakeKeyEvent(m_display, keyCode(held), True, CurrentTime);
        }
    }
    XTestFakeKeyEvent(m_display, keyCode(keyName), True, CurrentTime);
    XTestFakeKeyEvent(m_display, keyCode(keyName), False, CurrentTime);
    for (const char* held : {alsoHeldKeyName, heldKeyName}) {
        if (held != nullptr) {
            XTestFakeKeyEvent(m_display, keyCode(held), False, CurrentTime);
        }
    }
    XSync(m_display, False);
}

std::optional<std::pair<int, int>> XSession::size(WindowId window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(m_display, window, &attributes) == 0) {
        return std::nullopt;
    }
    return std::pair{attributes.width, attributes.height};
}

void XSession::resize(WindowId window, int width, int height) {
    XResizeWindow(m_display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(m_display, False);
}

std::optional<XSession::WindowId> XSession::rootProperty(const char* name) {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    const Atom property = XInternAtom(m_display, name, False);
    std::optional<WindowId> value;
    if (XGetWindowProperty(m_display, DefaultRootWindow(m_display), property, 0, 1, False,
                           XA_WINDOW, &type, &format, &count, &remaining, &data) == Success &&
        data != nullptr && count == 1 && format == 32) {
        value = *reinterpret_cast<Window*>(data);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return value;
}

bool XSession::windowManagerRunning() {
    return rootProperty("_NET_SUPPORTING_WM_CHECK").has_value();
}

std::vector<XSession::WindowId> XSession::managedWindows() {
    Atom type = 0;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    std::vector<WindowId> windows;
    if (XGetWindowProperty(m_display, DefaultRootWindow(m_display),
                           XInternAtom(m_display, "_NET_CLIENT_LIST", False), 0, 4096, False,
                           XA_WINDOW, &type, &format, &count, &remaining, &data) == Success &&
        data != nullptr && format == 32) {
        const auto* listed = reinterpret_cast<const Window*>(data);
        windows.assign(listed, listed + count);
    }
    if (data != nullptr) {
        XFree(data);
    }
    return windows;
}

std::optional<XSession::WindowId> XSession::activeWindow() {
    return rootProperty("_NET_ACTIVE_WINDOW");
}

void XSession::sendToWindowManager(WindowId window, const char* message, long first, long second) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, message, False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = first;
    event.xclient.data.l[1] = second;
    XSendEvent(m_display, DefaultRootWindow(m_display), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XSync(m_display, False);
}

void XSession::minimise(WindowId window) {
    XIconifyWindow(m_display, window, DefaultScreen(m_display));
    XSync(m_display, False);
}

void XSession::restore(WindowId window) {
    // Source 2: a request on a user's behalf, such as a pager or task bar makes.
    sendToWindowManager(window, "_NET_ACTIVE_WINDOW", 2, CurrentTime);
}

void XSession::closeThroughWindowManager(WindowId window) {
    sendToWindowManager(window, "_NET_CLOSE_WINDOW", CurrentTime, 2);
}

XSession::WindowId XSession::inputFocus() {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(m_display, &focus, &revert);
    return focus;
}

XSession::WindowId XSession::cover() {
    const int screen = DefaultScreen(m_display);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True; // placed by nobody but itself, over everything
    attributes.background_pixel = BlackPixel(m_display, screen);
    const Window window =
        XCreateWindow(m_display, DefaultRootWindow(m_display), 0, 0,
                      static_cast<unsigned>(DisplayWidth(m_display, screen)),
                      static_cast<unsigned>(DisplayHeight(m_display, screen)), 0, CopyFromParent,
                      InputOutput, nullptr, CWOverrideRedirect | CWBackPixel, &attributes);
    XMapRaised(m_display, window);
    XSync(m_display, False);
    return window;
}

void XSession::destroy(WindowId window) {
    XDestroyWindow(m_display, window);
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
