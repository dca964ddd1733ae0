#include "screen_reading.h"

#include "display_colour.h"
#include "drawing_pass.h"
#include "form1_layout.h"
#include "pattern_code.h"

#include <cstddef>
#include <cstdlib>
#include <thread>
#include <variant>

#include <QImage>
#include <QProcess>

namespace {

using namespace std::chrono_literals;

constexpr int canvasSide = layout::picture1.width;

} // namespace

std::string programUnderTest() {
    const char* other = std::getenv("PATTERN_GENERATOR_UNDER_TEST");
    return other != nullptr && *other != '\0' ? other : PATTERN_GENERATOR;
}

ScreenPixels canvasOfCode(std::string_view code) {
    struct Surface final : DrawingWindow, Canvas {
        ScreenPixels pixels = ScreenPixels(std::size_t{canvasSide} * canvasSide);
        void clearWindowDrawing() override {}
        Canvas& canvas() override { return *this; }
        void plot(int X, int Y, ColourValue colour) override {
            // Column and row 500 of the grid lie outside the canvas.
            if (X < canvasSide && Y < canvasSide) {
                pixels[(static_cast<std::size_t>(Y) * canvasSide) + static_cast<std::size_t>(X)] =
                    displayColour(colour);
            }
        }
    } surface;
    RedrawPattern(surface, std::get<PatternCode>(readCode(code)).sourceState);
    return surface.pixels;
}

ScreenPixels canvasPixels(XSession& session, XSession::WindowId form1) {
    // The canvas's tooltip, brought up by a pointer resting on it, would cover part of it.
    // The pointer is moved off the canvas but not out of the window, where the keyboard
    // focus would follow it on a server without a window manager.
    const auto [x, y] = session.pointer(form1);
    if (x >= layout::picture1.left && x < layout::picture1.left + canvasSide &&
        y >= layout::picture1.top && y < layout::picture1.top + canvasSide) {
        session.movePointer(form1, layout::picture1.left / 2, layout::picture1.top / 2);
        std::this_thread::sleep_for(500ms);
    }
    return session.pixels(form1, layout::picture1.left, layout::picture1.top, canvasSide,
                          canvasSide);
}

bool showsAPattern(const ScreenPixels& pixels) {
    constexpr auto side = static_cast<std::size_t>(canvasSide);
    return pixels.size() == side * side && showsAPattern(PixelSquare{pixels.data(), canvasSide});
}

bool showsAPattern(PixelSquare square) {
    const std::uint32_t colour = square.topLeft[square.stride + 1];
    bool oneColour = true;
    for (int y = 1; y < canvasSide; ++y) {
        const std::uint32_t* row = square.topLeft + y * square.stride;
        const std::uint32_t* partnerRow = square.topLeft + (canvasSide - y) * square.stride;
        for (int x = 1; x < canvasSide; ++x) {
            if (row[x] != partnerRow[canvasSide - x]) {
                return false;
            }
            oneColour = oneColour && row[x] == colour;
        }
    }
    return !oneColour;
}

std::optional<ScreenPixels> waitForPattern(XSession& session, XSession::WindowId form1,
                                           const ScreenPixels& other,
                                           std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < deadline) {
        ScreenPixels pixels = canvasPixels(session, form1);
        if (pixels != other && showsAPattern(pixels)) {
            return pixels;
        }
        std::this_thread::sleep_for(20ms);
    }
    return std::nullopt;
}

ScreenPixels pastedImage() {
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"),
                {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                 QStringLiteral("-target"), QStringLiteral("image/png"), QStringLiteral("-out")});
    // A request that reaches the clipboard's owner as it hands the selection on to a new
    // window of its own, as wine's bridge does at every copy, may never be answered: xclip
    // would wait for ever, so it is given up, and the caller pastes again.
    if (!xclip.waitForFinished(5000)) {
        xclip.kill();
        xclip.waitForFinished();
        return {};
    }
    if (xclip.exitCode() != 0) {
        return {};
    }
    return imagePixels(QImage::fromData(xclip.readAllStandardOutput(), "PNG"));
}

void copyToClipboard(const QByteArray& data, const QString& type) {
    // xclip serves the selection from the background until another program takes it.
    QProcess xclip;
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                                          QStringLiteral("-target"), type, QStringLiteral("-in")});
    xclip.write(data);
    xclip.closeWriteChannel();
    xclip.waitForFinished(5000);
    // Wine's bridge to the X clipboard takes a new owner's data in its own time; a person
    // takes longer to paste than this.
    std::this_thread::sleep_for(1s);
}

const char* whatWasPasted(const ScreenPixels& pasted, const ScreenPixels& earlier) {
    if (pasted.empty()) {
        return "nothing";
    }
    return pasted == earlier ? "the earlier pattern" : "another image";
}

ScreenPixels imagePixels(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    ScreenPixels pixels;
    pixels.reserve(static_cast<std::size_t>(rgb.width()) * static_cast<std::size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            pixels.push_back(row[x] & 0xFFFFFFU);
        }
    }
    return pixels;
}

void pressNew(XSession& session, XSession::WindowId form1) {
    session.movePointer(form1, layout::centreX(layout::command1),
                        layout::centreY(layout::command1));
    std::this_thread::sleep_for(50ms);
    session.click();
}
