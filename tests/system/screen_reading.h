#pragma once

#include "x_session.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What a user sees of the program on an X screen, and how a hand uses it.

// The program built beside the tests, or another copy of it named by the environment
// variable PATTERN_GENERATOR_UNDER_TEST, such as one unpacked from the package.
std::string programUnderTest();

// The canvas's pixels as the screen shows them, row by row, as 0xRRGGBB.
using ScreenPixels = std::vector<std::uint32_t>;
ScreenPixels canvasPixels(XSession& session, XSession::WindowId form1);

// A 500 x 500 square read where it lies in a larger picture: row y + 1 starts stride pixels
// after row y. Only the equality of pixels counts, so any fixed alpha may ride along.
struct PixelSquare {
    const std::uint32_t* topLeft;
    std::ptrdiff_t stride;
};

// Whether pixels show a whole drawn pattern: unchanged by a half turn about the grid centre,
// and more than one colour. Column and row 500 are clipped, so column and row 0 have no
// partner on the screen.
bool showsAPattern(const ScreenPixels& pixels);
bool showsAPattern(PixelSquare square);

// Waits up to timeout for the canvas to show a whole pattern other than the one given.
std::optional<ScreenPixels>
waitForPattern(XSession& session, XSession::WindowId form1, const ScreenPixels& other = {},
               std::chrono::milliseconds timeout = std::chrono::seconds(20));

// What the canvas shows, on any platform, for a pattern's code, from the engine built here.
ScreenPixels canvasOfCode(std::string_view code);

class QByteArray;
class QImage;
class QString;

// An image's pixels, row by row, as 0xRRGGBB.
ScreenPixels imagePixels(const QImage& image);

// What pasting the clipboard as an image gives another program: the PNG that the X clipboard
// client xclip receives, row by row as 0xRRGGBB; empty if the clipboard holds no image, or
// gives none within 5 s.
ScreenPixels pastedImage();

// Puts data of a MIME type on the X clipboard, as another program's copy does.
void copyToClipboard(const QByteArray& data, const QString& type);

// What a paste gave that was not the pattern expected, for a failure message: nothing, the
// earlier pattern, or another image.
const char* whatWasPasted(const ScreenPixels& pasted, const ScreenPixels& earlier);

// Clicks "new" as a hand would: the pointer comes to rest on the button, then presses.
void pressNew(XSession& session, XSession::WindowId form1);
