#include "command1.h"

#include "form1_texts.h"
#include "screen_reader_names.h"
#include "wide_text.h"

#include <oleacc.h>

Command1::Command1(HWND parent, int controlId) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    m_window =
        CreateWindowExW(0, L"BUTTON", wide(texts::command1Caption).c_str(),
                        WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(INT_PTR{controlId}), instance, nullptr);
    if (m_window != nullptr) {
        nameForScreenReaders(m_window, wide(texts::command1AccessibleName).c_str(),
                             ROLE_SYSTEM_PUSHBUTTON);
    }
}

Command1::~Command1() {
    if (m_window != nullptr) {
        forgetScreenReaderName(m_window);
        DestroyWindow(m_window);
    }
    if (m_font != nullptr) {
        DeleteObject(m_font);
    }
}

void Command1::setFontHeight(int pixels) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTW face{};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != 0) {
        face = metrics.lfMessageFont;
    }
    // A negative height asks for the characters' own height, without the leading.
    face.lfHeight = -pixels;
    face.lfWidth = 0;
    HFONT font = CreateFontIndirectW(&face);
    if (font == nullptr) {
        return;
    }
    SendMessageW(m_window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (m_font != nullptr) {
        DeleteObject(m_font);
    }
    m_font = font;
}
