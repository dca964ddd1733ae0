#include "form1.h"

#include "command1.h"
#include "form1_layout.h"
#include "form1_texts.h"
#include "picture1.h"
#include "resource_ids.h"
#include "wide_text.h"

#include <utility>

namespace {

constexpr wchar_t className[] = L"Form1";
constexpr DWORD style = WS_OVERLAPPEDWINDOW;

// The controls' identifiers, and the copy shortcut's. Neither control is IDOK or IDCANCEL,
// which Enter and Escape send: those keys do nothing here.
constexpr int picture1Id = 101;
constexpr int command1Id = 102;
constexpr int copyCommandId = 201;

// The outer size of a window whose client area is width x height at dpi.
SIZE windowSize(int width, int height, UINT dpi) {
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, style, FALSE, 0, dpi);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

} // namespace

Form1::Form1(HINSTANCE instance, ProgramOptions options) : m_program(*this, std::move(options)) {
    const WindowClass form1Class{
        .name = className,
        .cursor = LoadCursorW(nullptr, IDC_ARROW),
        .icon = LoadIconW(instance, MAKEINTRESOURCEW(APPLICATION_ICON)),
        .smallIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(APPLICATION_ICON),
                                                   IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), 0)),
        .background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)};
    if (!create(instance, form1Class, wide(texts::form1Caption).c_str(), style)) {
        return;
    }
    m_picture1 = std::make_unique<Picture1>(handle(), picture1Id);
    m_command1 = std::make_unique<Command1>(handle(), command1Id);
    ACCEL copy{FCONTROL | FVIRTKEY, 'C', copyCommandId};
    m_shortcuts = CreateAcceleratorTableW(&copy, 1);
    if (!created()) {
        return;
    }
    const SIZE opening = windowSize(scaled(layout::openingClientWidth),
                                    scaled(layout::openingClientHeight), GetDpiForWindow(handle()));
    SetWindowPos(handle(), nullptr, 0, 0, opening.cx, opening.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    placeControls();
}

Form1::~Form1() {
    if (handle() != nullptr) {
        DestroyWindow(handle());
    }
    if (m_shortcuts != nullptr) {
        DestroyAcceleratorTable(m_shortcuts);
    }
}

int Form1::run(int showCommand) {
    m_showCommand = showCommand;
    m_program.load();
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Ctrl+C copies wherever the focus is in the window; Tab and Shift+Tab move the focus
        // between the controls, as in a dialog.
        if (handle() != nullptr && (TranslateAcceleratorW(handle(), m_shortcuts, &message) != 0 ||
                                    IsDialogMessageW(handle(), &message) != 0)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

bool Form1::created() const {
    return handle() != nullptr && m_picture1->handle() != nullptr &&
           m_command1->handle() != nullptr && m_shortcuts != nullptr;
}

Canvas& Form1::canvas() {
    return *m_picture1;
}

void Form1::showWindow() {
    ShowWindow(handle(), m_showCommand);
    UpdateWindow(handle());
    SetFocus(m_picture1->handle());
}

void Form1::presentPicture() {
    m_picture1->present();
}

SIZE Form1::smallestSize() const {
    return windowSize(scaled(layout::smallestClientWidth), scaled(layout::smallestClientHeight),
                      GetDpiForWindow(handle()));
}

int Form1::scaled(int logicalPixels) const {
    return MulDiv(logicalPixels, static_cast<int>(GetDpiForWindow(handle())),
                  USER_DEFAULT_SCREEN_DPI);
}

void Form1::placeControls() {
    const auto place = [this](HWND control, const layout::Rectangle& rectangle) {
        SetWindowPos(control, nullptr, scaled(rectangle.left), scaled(rectangle.top),
                     scaled(rectangle.width), scaled(rectangle.height),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(m_picture1->handle(), layout::picture1);
    place(m_command1->handle(), layout::command1);
    m_command1->setFontHeight(scaled(texts::command1FontPixels));
}

LRESULT Form1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == command1Id && HIWORD(wParam) == BN_CLICKED) {
            m_program.command1Click();
        } else if (LOWORD(wParam) == copyCommandId && m_picture1) {
            m_picture1->copyToClipboard();
        }
        return 0;
    case WM_GETMINMAXINFO:
        if (m_picture1) {
            const SIZE smallest = smallestSize();
            reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {smallest.cx, smallest.cy};
        }
        return 0;
    case WM_DPICHANGED: {
        const RECT* suggested = reinterpret_cast<RECT*>(lParam);
        SetWindowPos(handle(), nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        placeControls();
        return 0;
    }
    // A window of controls hands the focus back to the control that last had it, as a
    // dialog does; at first that is the canvas.
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(handle(), focus) != 0) {
                m_focusBeforeDeactivation = focus;
            }
            return 0;
        }
        [[fallthrough]];
    case WM_SETFOCUS:
        if (m_picture1) {
            SetFocus(m_focusBeforeDeactivation != nullptr ? m_focusBeforeDeactivation
                                                          : m_picture1->handle());
        }
        return 0;
    case Picture1::shownMessage:
        m_program.pictureShown();
        return 0;
    case WM_CLOSE:
        m_program.closeRequested();
        DestroyWindow(handle());
        return 0;
    case WM_DESTROY:
        // The controls go with the window; so does the annotation screen readers read them by.
        m_command1.reset();
        m_picture1.reset();
        PostQuitMessage(0);
        return 0;
    default:
        return byDefault(message, wParam, lParam);
    }
}
