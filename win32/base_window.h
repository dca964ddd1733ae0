#pragma once

#include <windows.h>

// A window owned by an object: the object is kept with the window from its first message,
// WM_NCCREATE, to its last, WM_NCDESTROY, and every message in between goes to the object's
// handleMessage. Each kind of window registers its class the first time one is made.
class BaseWindow {
public:
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    // The window: null until it is made, if it cannot be, and once it is destroyed.
    HWND handle() const { return m_window; }

protected:
    // What the class's registration holds beyond the procedure.
    struct WindowClass {
        const wchar_t* name = nullptr;
        HCURSOR cursor = nullptr;
        HICON icon = nullptr;
        HICON smallIcon = nullptr;
        HBRUSH background = nullptr;
    };

    BaseWindow() = default;
    // A window still there is destroyed by the object's own destructor, whose handleMessage
    // it may still need; here it gets the default handling only.
    virtual ~BaseWindow();

    // Makes the window, placed later: a top-level window where the system places new ones,
    // a control of parent at its top-left corner. False if it cannot be made.
    bool create(HINSTANCE instance, const WindowClass& windowClass, const wchar_t* caption,
                DWORD style, HWND parent = nullptr, int controlId = 0);

    virtual LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    LRESULT byDefault(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcW(m_window, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window = nullptr;
};
