#pragma once

#include <windows.h>

// The push button captioned "new", in a font sized for the display's scale, so that the
// caption stays whole inside the button.
class Command1 {
public:
    Command1(HWND parent, int controlId);
    ~Command1();
    Command1(const Command1&) = delete;
    Command1& operator=(const Command1&) = delete;

    HWND handle() const { return m_window; }

    // Takes a font of the given height in pixels.
    void setFontHeight(int pixels);

private:
    HWND m_window = nullptr;
    HFONT m_font = nullptr;
};
