// Reads the window captioned Form1 from inside Windows, as another program sees it, and
// prints what the tests check, one thing a line:
//
//     handle CLASS HANDLE
//     client WIDTH HEIGHT
//     control CLASS LEFT TOP WIDTH HEIGHT
//     text CLASS TEXT
//     accessible CLASS ROLE NAME
//     description CLASS TEXT
//     default-action CLASS ACTION
//     focus CLASS
//     capture CLASS
//
// with each window's handle in hexadecimal, controls placed in Form1's client area, in
// physical pixels, the accessible name and role as Active Accessibility gives them to a
// screen reader, and the window that holds the mouse capture, if one does, as a drag holds
// it. Exits with 1 if there is no such window.
//
//     window_probe shrink
//
// first sizes Form1 to a single pixel, as another program may, then reads it.
//
//     window_probe do-default-action
//
// first does the canvas's default action, as a screen reader does at a user's command, then
// reads Form1.
//
//     window_probe hold-clipboard MILLISECONDS
//
// instead holds the clipboard open that long, as a clipboard viewer does while it reads a
// copy, and prints "held" once it holds it.

#include <windows.h>
#include <cstdint>
#include <cstdio>
#include <string>

// The interface identifiers defined here: the import library has them only as a DLL's
// data, which a plain reference does not reach.
#include <initguid.h>
#include <oleacc.h>

namespace {

std::string utf8(const std::wstring& text) {
    if (text.empty()) {
        return {};
    }
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), bytes,
                        nullptr, nullptr);
    return out;
}

std::string classOf(HWND window) {
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return utf8(name);
}

std::string textOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return utf8(text);
}

void printAccessible(HWND control) {
    IAccessible* accessible = nullptr;
    const HRESULT got =
        AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                   reinterpret_cast<void**>(&accessible));
    if (FAILED(got)) {
        std::printf("accessible %s none %lx\n", classOf(control).c_str(),
                    static_cast<unsigned long>(got));
        return;
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    VARIANT role;
    VariantInit(&role);
    const bool named = SUCCEEDED(accessible->get_accName(self, &name)) && name != nullptr;
    const long roleValue =
        SUCCEEDED(accessible->get_accRole(self, &role)) && role.vt == VT_I4 ? role.lVal : 0;
    std::printf("accessible %s %ld %s\n", classOf(control).c_str(), roleValue,
                named ? utf8(name).c_str() : "");
    SysFreeString(name);
    BSTR description = nullptr;
    if (SUCCEEDED(accessible->get_accDescription(self, &description)) && description != nullptr) {
        std::printf("description %s %s\n", classOf(control).c_str(), utf8(description).c_str());
    }
    SysFreeString(description);
    BSTR action = nullptr;
    if (SUCCEEDED(accessible->get_accDefaultAction(self, &action)) && action != nullptr) {
        std::printf("default-action %s %s\n", classOf(control).c_str(), utf8(action).c_str());
    }
    SysFreeString(action);
    accessible->Release();
}

void printHandle(HWND window) {
    std::printf("handle %s %llx\n", classOf(window).c_str(),
                static_cast<unsigned long long>(reinterpret_cast<std::uintptr_t>(window)));
}

BOOL CALLBACK printControl(HWND control, LPARAM form1) {
    printHandle(control);
    RECT place;
    GetWindowRect(control, &place);
    MapWindowPoints(nullptr, reinterpret_cast<HWND>(form1), reinterpret_cast<POINT*>(&place), 2);
    const std::string name = classOf(control);
    std::printf("control %s %ld %ld %ld %ld\n", name.c_str(), place.left, place.top,
                place.right - place.left, place.bottom - place.top);
    std::printf("text %s %s\n", name.c_str(), textOf(control).c_str());
    printAccessible(control);
    return TRUE;
}

int holdClipboard(DWORD milliseconds) {
    if (OpenClipboard(nullptr) == 0) {
        std::fprintf(stderr, "window_probe: the clipboard cannot be opened\n");
        return 1;
    }
    std::printf("held\n");
    std::fflush(stdout);
    Sleep(milliseconds);
    CloseClipboard();
    return 0;
}

} // namespace

int main(int argumentCount, char** arguments) {
    if (argumentCount == 3 && std::string(arguments[1]) == "hold-clipboard") {
        return holdClipboard(static_cast<DWORD>(std::stoul(arguments[2])));
    }
    // Physical pixels, as the window has them: Windows scales what it reports of other
    // windows to a program that is not aware of the display's scale.
    SetProcessDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);
    // By its class too: a message box of the program's has the same caption.
    HWND form1 = FindWindowW(L"Form1", L"Form1");
    if (form1 == nullptr) {
        std::fprintf(stderr, "window_probe: no window captioned Form1\n");
        return 1;
    }
    if (argumentCount == 2 && std::string(arguments[1]) == "shrink") {
        SetWindowPos(form1, nullptr, 0, 0, 1, 1, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    CoInitialize(nullptr);
    if (argumentCount == 2 && std::string(arguments[1]) == "do-default-action") {
        IAccessible* canvas = nullptr;
        if (SUCCEEDED(
                AccessibleObjectFromWindow(FindWindowExW(form1, nullptr, L"Picture1", nullptr),
                                           static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                           reinterpret_cast<void**>(&canvas)))) {
            VARIANT self;
            VariantInit(&self);
            self.vt = VT_I4;
            self.lVal = CHILDID_SELF;
            canvas->accDoDefaultAction(self);
            canvas->Release();
        }
    }
    printHandle(form1);
    RECT client;
    GetClientRect(form1, &client);
    std::printf("client %ld %ld\n", client.right, client.bottom);
    EnumChildWindows(form1, &printControl, reinterpret_cast<LPARAM>(form1));
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    if (GetGUIThreadInfo(GetWindowThreadProcessId(form1, nullptr), &thread) != 0) {
        if (thread.hwndFocus != nullptr) {
            std::printf("focus %s\n", classOf(thread.hwndFocus).c_str());
        }
        if (thread.hwndCapture != nullptr) {
            std::printf("capture %s\n", classOf(thread.hwndCapture).c_str());
        }
    }
    CoUninitialize();
    std::fflush(stdout);
    return 0;
}
