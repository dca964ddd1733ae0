#pragma once

#include "base_window.h"
#include "canvas.h"

#include <windows.h>
#include <cstdint>
#include <optional>

// The drawing surface: a 500 x 500 bitmap of 32-bit pixels in a child window of its own,
// shown with each pixel as a block of the display's scale. Ctrl+C copies it and a drag
// carries it out, each as a DIB and as PNG.
class Picture1 final : public BaseWindow, public Canvas {
public:
    Picture1(HWND parent, int controlId);
    ~Picture1() override;
    Picture1(const Picture1&) = delete;
    Picture1& operator=(const Picture1&) = delete;

    // Posted to the parent after every paint, so that it is handled behind the paint.
    static constexpr UINT shownMessage = WM_APP + 1;

    void plot(int X, int Y, ColourValue colour) override;

    // Shows what has been plotted, now.
    void present();

    // Puts the pattern on the clipboard, where it stays after the program has ended.
    void copyToClipboard();

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void paint();
    bool movedPastDragDistance(POINT at) const;
    void dragOut();

    HBITMAP m_bitmap = nullptr;
    std::uint32_t* m_pixels = nullptr; // rows top to bottom, 0x00RRGGBB
    std::optional<POINT> m_pressedAt;  // while the left button, pressed here, may yet drag
};
