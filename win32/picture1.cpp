#include "picture1.h"

#include "display_colour.h"
#include "drop_source.h"
#include "form1_layout.h"
#include "form1_texts.h"
#include "pattern_data_object.h"
#include "screen_reader_names.h"
#include "wide_text.h"

#include <algorithm>
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
        nameForScreenReaders(handle(), wide(texts::picture1AccessibleName).c_str(),
                             ROLE_SYSTEM_GRAPHIC);
    }
}

Picture1::~Picture1() {
    if (handle() != nullptr) {
        forgetScreenReaderName(handle());
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
    IDataObject* data = PatternDataObject::create(m_pixels, side);
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

LRESULT Picture1::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        paint();
        return 0;
    case WM_ERASEBKGND:
        return 1; // the bitmap covers every pixel
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
    IDataObject* data = PatternDataObject::create(m_pixels, side);
    IDropSource* source = DropSource::create();
    if (data != nullptr && source != nullptr) {
        DWORD effect = DROPEFFECT_NONE;
        DoDragDrop(data, source, DROPEFFECT_COPY, &effect);
    }
    if (source != nullptr) {
        source->Release();
    }
    if (data != nullptr) {
        data->Release();
    }
}
