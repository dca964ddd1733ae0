#include "form1.h"

#include "command1.h"
#include "file_dialogs.h"
#include "form1_layout.h"
#include "form1_texts.h"
#include "offered_pattern_of.h"
#include "pattern_file.h"
#include "pattern_messages.h"
#include "picture1.h"
#include "png_reading.h"
#include "resource_ids.h"
#include "whole_file_save.h"
#include "wide_text.h"

#include <array>
#include <chrono>
#include <utility>
#include <windowsx.h>

namespace {

constexpr wchar_t className[] = L"Form1";
constexpr DWORD style = WS_OVERLAPPEDWINDOW;

// The controls' identifiers. Neither is IDOK or IDCANCEL, which Enter and Escape send:
// those keys do nothing here.
constexpr int picture1Id = 101;
constexpr int command1Id = 102;

// What the canvas's context menu and the window's shortcuts do, in the menu's order.
enum CanvasCommand : WORD {
    copyCommand = 201,
    copyCodeCommand,
    saveCommand,
    openCommand,
    pasteCommand,
    backCommand,
    forwardCommand,
    menuCommand, // the menu itself, from the keyboard
};

struct CanvasMenuItem {
    CanvasCommand command;
    const wchar_t* text; // with its shortcut, after a tab
};
constexpr std::array<CanvasMenuItem, 7> canvasMenu = {{
    {copyCommand, L"&Copy\tCtrl+C"},
    {copyCodeCommand, L"Copy c&ode"},
    {saveCommand, L"&Save...\tCtrl+S"},
    {openCommand, L"&Open...\tCtrl+O"},
    {pasteCommand, L"&Paste\tCtrl+V"},
    {backCommand, L"&Back\tCtrl+Z"},
    {forwardCommand, L"&Forward\tCtrl+Shift+Z"},
}};

// Every shortcut works wherever the focus is in the window; Ctrl+Y goes forward too, as
// it redoes in Windows programs. The Menu key and Shift+F10 open the canvas's menu, which
// not every system's default handling does for a window of the program's own class.
constexpr std::array<ACCEL, 10> shortcuts = {{
    {FCONTROL | FVIRTKEY, 'C', copyCommand},
    {FCONTROL | FVIRTKEY, 'S', saveCommand},
    {FCONTROL | FVIRTKEY, 'O', openCommand},
    {FCONTROL | FVIRTKEY, 'V', pasteCommand},
    {FCONTROL | FVIRTKEY, 'Z', backCommand},
    {FCONTROL | FSHIFT | FVIRTKEY, 'Z', forwardCommand},
    {FCONTROL | FVIRTKEY, 'Y', forwardCommand},
    {FSHIFT | FVIRTKEY, VK_INSERT, pasteCommand},
    {FVIRTKEY, VK_APPS, menuCommand},
    {FSHIFT | FVIRTKEY, VK_F10, menuCommand},
}};

// Posted once a drop has been taken, so that what it names is drawn after the drop is over.
constexpr UINT droppedMessage = WM_APP + 2;

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
    auto table = shortcuts;
    m_shortcuts = CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
    if (!created()) {
        return;
    }
    m_picture1->acceptDrops([this](IDataObject& dropped) {
        m_dropped = offeredPatternOf(dropped);
        PostMessageW(handle(), droppedMessage, 0, 0);
    });
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
        // The shortcuts work wherever the focus is in the window; Tab and Shift+Tab move the
        // focus between the controls, as in a dialog.
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

void Form1::showPatternCode(const std::string& code) {
    m_picture1->showCode(code);
}

std::optional<std::string> Form1::codeTextOfPng(const std::vector<std::uint8_t>& png) {
    return ::codeTextOfPng(png);
}

void Form1::tellProblem(const std::string& line) {
    MessageBoxW(handle(), utf16(line).c_str(), wide(texts::form1Caption).c_str(),
                MB_OK | MB_ICONWARNING);
}

std::filesystem::path Form1::dialogFolder() const {
    return m_dialogFolder.empty() ? picturesFolder() : m_dialogFolder;
}

void Form1::save() {
    const std::string code = m_program.codeOnShow();
    const std::optional<std::filesystem::path> file =
        askWhereToSave(handle(), dialogFolder(), wide(suggestedFileName(code)));
    if (!file) {
        return;
    }
    m_dialogFolder = file->parent_path();
    const std::vector<std::uint8_t> png =
        m_picture1->png(patternPngTexts(code, std::chrono::system_clock::now()));
    const std::optional<std::wstring> failure =
        png.empty() ? std::optional<std::wstring>(L"the image could not be encoded")
                    : saveWhole(*file, png);
    if (failure) {
        tellProblem(couldNotSave(shownFileName(*file), utf8(*failure)));
    }
}

void Form1::open() {
    if (const std::optional<std::filesystem::path> file =
            askWhichToOpen(handle(), dialogFolder())) {
        m_dialogFolder = file->parent_path();
        m_program.drawFromFile(*file);
    }
}

void Form1::paste() {
    IDataObject* data = nullptr;
    if (FAILED(OleGetClipboard(&data)) || data == nullptr) {
        m_program.drawFromOffered({});
        return;
    }
    const OfferedPattern offered = offeredPatternOf(*data);
    data->Release();
    m_program.drawFromOffered(offered);
}

void Form1::showCanvasMenu(LPARAM at) {
    POINT place{GET_X_LPARAM(at), GET_Y_LPARAM(at)};
    // From the keyboard, the menu opens at the canvas's top-left corner.
    if (at == -1) {
        place = {0, 0};
        ClientToScreen(m_picture1->handle(), &place);
    }
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) {
        return;
    }
    for (const CanvasMenuItem& item : canvasMenu) {
        AppendMenuW(menu, MF_STRING, item.command, item.text);
        if (item.command == copyCodeCommand || item.command == pasteCommand) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        }
    }
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, place.x, place.y, 0,
                   handle(), nullptr);
    DestroyMenu(menu);
}

void Form1::doCanvasCommand(WORD command) {
    switch (command) {
    case copyCommand:
        m_picture1->copyToClipboard();
        break;
    case copyCodeCommand:
        m_picture1->copyCodeToClipboard();
        break;
    case saveCommand:
        save();
        break;
    case openCommand:
        open();
        break;
    case pasteCommand:
        paste();
        break;
    case backCommand:
        m_program.goBack();
        break;
    case forwardCommand:
        m_program.goForward();
        break;
    case menuCommand:
        showCanvasMenu(-1);
        break;
    default:
        break;
    }
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
        } else if (lParam == 0 && m_picture1) { // from a shortcut or the menu
            doCanvasCommand(LOWORD(wParam));
        }
        return 0;
    // The canvas's own, passed up by the system's default handling: by the right button,
    // the Menu key or Shift+F10.
    case WM_CONTEXTMENU:
        if (m_picture1 && reinterpret_cast<HWND>(wParam) == m_picture1->handle()) {
            showCanvasMenu(lParam);
            return 0;
        }
        return byDefault(message, wParam, lParam);
    case droppedMessage:
        m_program.drawFromOffered(std::exchange(m_dropped, OfferedPattern()));
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
