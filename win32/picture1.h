#pragma once

#include "base_window.h"
#include "canvas.h"
#include "pattern_file.h"

#include <windows.h>
#include <cstdint>
#include <functional>
#include <ole2.h>
#include <optional>
#include <string>
#include <vector>

// The drawing surface: a 500 x 500 bitmap of 32-bit pixels in a child window of its own,
// shown with each pixel as a block of the display's scale. Ctrl+C copies it and a drag
// carries it out, each as a DIB and as PNG with the pattern's code. Its tooltip names the
// pattern, and what is dropped on it is handed on. Screen readers hear a graphic named
// "Pattern", described by its code, whose default action copies it.
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

    // The pattern as PNG, exactly as Ctrl+C copies it, keeping texts; empty where it cannot
    // be encoded.
    std::vector<std::uint8_t> png(const std::vector<PngText>& texts) const;

    // Names the pattern on show, in the tooltip and to screen readers; copies carry it.
    void showCode(const std::string& code);

    // Puts the code of the pattern on show on the clipboard, as text.
    void copyCodeToClipboard();

    // From now on, hands on what is dropped from elsewhere, while the drop is under way.
    void acceptDrops(std::function<void(IDataObject&)> dropped);

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void paint();
    bool movedPastDragDistance(POINT at) const;
    void dragOut();
    std::vector<PngText> pngTexts() const; // what copies and drags keep in their PNG

    HBITMAP m_bitmap = nullptr;
    std::uint32_t* m_pixels = nullptr; // rows top to bottom, 0x00RRGGBB
    std::optional<POINT> m_pressedAt;  // while the left button, pressed here, may yet drag
    bool m_draggingOut = false;
    std::string m_code; // of the pattern on show
    HWND m_tooltip = nullptr;
    IDropTarget* m_dropTarget = nullptr;
    std::wstring m_description; // what screen readers hear of the pattern on show
    class CanvasAccessible* m_accessible = nullptr; // made when a screen reader first asks
};
