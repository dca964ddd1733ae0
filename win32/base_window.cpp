#include "base_window.h"

BaseWindow::~BaseWindow() {
    if (m_window != nullptr) {
        SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
        DestroyWindow(m_window);
    }
}

bool BaseWindow::create(HINSTANCE instance, const WindowClass& windowClass, const wchar_t* caption,
                        DWORD style, HWND parent, int controlId) {
    WNDCLASSEXW registration{};
    registration.cbSize = sizeof registration;
    registration.lpfnWndProc = &BaseWindow::procedure;
    registration.hInstance = instance;
    registration.hCursor = windowClass.cursor;
    registration.hIcon = windowClass.icon;
    registration.hIconSm = windowClass.smallIcon;
    registration.hbrBackground = windowClass.background;
    registration.lpszClassName = windowClass.name;
    // Registered by the first window of its kind; the others find it there.
    if (RegisterClassExW(&registration) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    const int place = parent != nullptr ? 0 : CW_USEDEFAULT;
    CreateWindowExW(0, windowClass.name, caption, style, place, place, place, place, parent,
                    reinterpret_cast<HMENU>(INT_PTR{controlId}), instance, this);
    return m_window != nullptr;
}

LRESULT CALLBACK BaseWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<BaseWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* owner = reinterpret_cast<BaseWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (owner == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const LRESULT result = owner->handleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        owner->m_window = nullptr;
    }
    return result;
}
