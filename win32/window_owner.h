#pragma once

#include <windows.h>

// The window procedure of a class whose objects each own a window: the object handed to
// CreateWindowEx is kept with the window from its first message, WM_NCCREATE, on, and each
// message from then on goes to its handleMessage. The few messages before that one get
// the default handling. The class befriends its own instance of this template.
template <typename Owner>
LRESULT CALLBACK ownedWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* created =
            static_cast<Owner*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* owner = reinterpret_cast<Owner*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return owner != nullptr ? owner->handleMessage(window, message, wParam, lParam)
                            : DefWindowProcW(window, message, wParam, lParam);
}
