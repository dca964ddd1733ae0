#include "picture1.h"

#include "bgr_rows.h"
#include "canvas_accessible.h"
#include "display_colour.h"
#include "drop_source.h"
#include "drop_target.h"
#include "form1_layout.h"
#include "form1_texts.h"
#include "pattern_data_object.h"
#include "png_encoding.h"
#include "wide_text.h"

#include <algorithm>
#include <chrono>
#include <commctrl.h>
#include <cstdlib>
#include <ole2.h>
#include <oleacc.h>
#include <windowsx.h>

namespace {

constexpr int side = layout::picture1.width;
constexpr wchar_t className[] = L"Picture1";

// The bitmap's pixels: 32 bits each, the top row first.
BITMAPINFO bitmapFormat() {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = side;
    format.bmiHeader.biHeight = -side;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    return format;
}

// Another program may hold the clipboard open for a moment, as clipboard viewers and
// history do right after every change, and a busy machine stretches that moment: a copy
// is tried again for up to a second before it is given up, as toolkits do.
constexpr ULONGLONG clipboardPatienceMilliseconds = 1000;
constexpr DWORD clipboardRetryMilliseconds = 50;

// Calls step until it succeeds, or until the clipboard has stayed held by another program
// for the whole of the patience. Between tries, messages sent to this thread are handled:
// the program holding the clipboard open may be waiting on this one to render a format.
template <typename Step> HRESULT whenTheClipboardIsFree(Step step) {
    const ULONGLONG deadline = GetTickCount64() + clipboardPatienceMilliseconds;
    HRESULT result = step();
    while (result == CLIPBRD_E_CANT_OPEN && GetTickCount64() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, clipboardRetryMilliseconds, QS_SENDMESSAGE);
        MSG sent;
        PeekMessageW(&sent, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        result = step();
    }
    return result;
}

// The pointer's place in a mouse message, in the client area; negative left of or above it,
// where the capture still reports it.
POINT pointOf(LPARAM lParam) {
    return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

} // namespace

Picture1::Picture1(HWND parent, int controlId) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    const BITMAPINFO format = bitmapFormat();
    void* bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_pixels = static_cast<std::uint32_t*>(bits);
    if (m_bitmap == nullptr) {
        return;
    }
    // Until the first pattern, the canvas is white.
    std::fill_n(m_pixels, side * side, 0x00FFFFFFU);
    const WindowClass picture1Class{.name = className, .cursor = LoadCursorW(nullptr, IDC_ARROW)};
    if (create(instance, picture1Class, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, parent,
               controlId)) {
        m_tooltip =
            CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                            WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, CW_USEDEFAULT, parent, nullptr, instance, nullptr);
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = parent;
        tool.uId = reinterpret_cast<UINT_PTR>(handle());
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(m_tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

Picture1::~Picture1() {
    if (m_dropTarget != nullptr) {
        RevokeDragDrop(handle());
        m_dropTarget->Release();
    }
    if (m_tooltip != nullptr) {
        DestroyWindow(m_tooltip);
    }
    if (m_accessible != nullptr) {
        m_accessible->disconnect();
        m_accessible->Release();
    }
    if (handle() != nullptr) {
        DestroyWindow(handle());
    }
    if (m_bitmap != nullptr) {
        DeleteObject(m_bitmap);
    }
}

void Picture1::plot(int X, int Y, ColourValue colour) {
    // Column and row 500 of the grid lie outside the 500 x 500 surface.
    if (m_pixels == nullptr || X < 0 || Y < 0 || X >= side || Y >= side) {
        return;
    }
    m_pixels[(Y * side) + X] = displayColour(colour);
}

void Picture1::present() {
    if (handle() != nullptr) {
        InvalidateRect(handle(), nullptr, FALSE);
        UpdateWindow(handle());
    }
}

void Picture1::copyToClipboard() {
    IDataObject* data = PatternDataObject::create(m_pixels, side, pngTexts());
    if (data == nullptr) {
        return;
    }
    // Flushed, the clipboard holds the formats themselves rather than this program's
    // promise of them, so the copy outlives the program.
    if (SUCCEEDED(whenTheClipboardIsFree([data] { return OleSetClipboard(data); }))) {
        whenTheClipboardIsFree([] { return OleFlushClipboard(); });
    }
    data->Release();
}

void Picture1::showCode(const std::string& code) {
    m_code = code;
    const std::wstring name = L"Pattern " + wide(code);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = GetParent(handle());
    tool.uId = reinterpret_cast<UINT_PTR>(handle());
    tool.lpszText = const_cast<wchar_t*>(name.c_str());
    SendMessageW(m_tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    m_description = name + L". Copy it with Ctrl+C, or drag it into another program.";
}

void Picture1::copyCodeToClipboard() {
    const std::wstring code = wide(m_code);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (code.size() + 1) * sizeof(wchar_t));
    if (block == nullptr) {
        return;
    }
    if (auto* text = static_cast<wchar_t*>(GlobalLock(block)); text != nullptr) {
        std::copy_n(code.c_str(), code.size() + 1, text);
        GlobalUnlock(block);
    }
    const HRESULT opened = whenTheClipboardIsFree(
        [this] { return OpenClipboard(handle()) != FALSE ? S_OK : CLIPBRD_E_CANT_OPEN; });
    // The clipboard owns the block once it has taken it.
    if (FAILED(opened) || EmptyClipboard() == FALSE ||
        SetClipboardData(CF_UNICODETEXT, block) == nullptr) {
        GlobalFree(block);
    }
    if (SUCCEEDED(opened)) {
        CloseClipboard();
    }
}

void Picture1::acceptDrops(std::function<void(IDataObject&)> dropped) {
    m_dropTarget = DropTarget::create(std::move(dropped), [this] { return m_draggingOut; });
    if (m_dropTarget != nullptr && FAILED(RegisterDragDrop(handle(), m_dropTarget))) {
        m_dropTarget->Release();
        m_dropTarget = nullptr;
    }
}

std::vector<std::uint8_t> Picture1::png(const std::vector<PngText>& texts) const {
    return m_pixels == nullptr ? std::vector<std::uint8_t>()
                               : encodePng(bgrRows(m_pixels, side, false), side, side, texts);
}

std::vector<PngText> Picture1::pngTexts() const {
    return m_code.empty() ? std::vector<PngText>()
                          : patternPngTexts(m_code, std::chrono::system_clock::now());
}

LRESULT Picture1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the bitmap covers every pixel
    case WM_GETOBJECT:
        if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
            if (m_accessible == nullptr) {
                m_accessible = static_cast<CanvasAccessible*>(CanvasAccessible::create(
                    handle(), [this] { return m_description; }, [this] { copyToClipboard(); }));
            }
            if (m_accessible != nullptr) {
                return LresultFromObject(IID_IAccessible, wParam, m_accessible);
            }
        }
        return byDefault(message, wParam, lParam);
    // A press becomes a drag only once the pointer has moved past the system's drag
    // distance with the button held; a click, or a hand's jitter, carries nothing out. The
    // press is followed here rather than in DragDetect's loop, which leaves the window's
    // other messages waiting while the button is held, and under wine takes any move for a
    // drag.
    case WM_LBUTTONDOWN:
        SetFocus(handle());
        SetCapture(handle());
        m_pressedAt = pointOf(lParam);
        return 0;
    case WM_MOUSEMOVE:
        if (m_pressedAt && (wParam & MK_LBUTTON) != 0 && movedPastDragDistance(pointOf(lParam))) {
            ReleaseCapture();
            dragOut();
        }
        return 0;
    case WM_LBUTTONUP:
        if (m_pressedAt) {
            ReleaseCapture();
        }
        return 0;
    case WM_CAPTURECHANGED:
        m_pressedAt.reset();
        return 0;
    default:
        return byDefault(message, wParam, lParam);
    }
}

void Picture1::paint() {
    PAINTSTRUCT painting;
    HDC device = BeginPaint(handle(), &painting);
    RECT client;
    GetClientRect(handle(), &client);
    // Each pixel becomes a whole block at any scale, as the pattern's points are.
    SetStretchBltMode(device, COLORONCOLOR);
    const BITMAPINFO format = bitmapFormat();
    StretchDIBits(device, 0, 0, client.right, client.bottom, 0, 0, side, side, m_pixels, &format,
                  DIB_RGB_COLORS, SRCCOPY);
    EndPaint(handle(), &painting);
    PostMessageW(GetParent(handle()), shownMessage, 0, 0);
}

bool Picture1::movedPastDragDistance(POINT at) const {
    const UINT dpi = GetDpiForWindow(handle());
    return std::abs(at.x - m_pressedAt->x) > GetSystemMetricsForDpi(SM_CXDRAG, dpi) ||
           std::abs(at.y - m_pressedAt->y) > GetSystemMetricsForDpi(SM_CYDRAG, dpi);
}

void Picture1::dragOut() {
    IDataObject* data = PatternDataObject::create(m_pixels, side, pngTexts());
    IDropSource* source = DropSource::create();
    if (data != nullptr && source != nullptr) {
        DWORD effect = DROPEFFECT_NONE;
        m_draggingOut = true;
        DoDragDrop(data, source, DROPEFFECT_COPY, &effect);
        m_draggingOut = false;
    }
    if (source != nullptr) {
        source->Release();
    }
    if (data != nullptr) {
        data->Release();
    }
}
