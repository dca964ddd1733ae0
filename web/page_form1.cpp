#include "page_form1.h"

#include <cstdlib>
#include <emscripten.h>
#include <memory>

namespace {

EM_JS(void, pageShowWindow, (), { Module.page.showWindow(); });

EM_JS(void, pagePresentPicture, (const std::uint32_t* pixels, int side),
      { Module.page.presentPicture(HEAPU8.subarray(pixels, pixels + 4 * side * side)); });

EM_JS(void, pageShowPatternCode, (const char* code),
      { Module.page.showPatternCode(UTF8ToString(code)); });

EM_JS(void, pageTellProblem, (const char* line), { Module.page.tellProblem(UTF8ToString(line)); });

// A browser decodes images only asynchronously, so the page decodes a PNG before it hands
// it over, and its findings wait here: null where the PNG is no whole image, else the text
// under the code's key, empty where there is none. Returned in memory the caller frees.
EM_JS(char*, pageCodeTextOfPng, (const std::uint8_t* png, std::size_t size), {
    const text = Module.page.codeTextOfPng(HEAPU8.subarray(png, png + size));
    if (text == null) {
        return 0;
    }
    const length = lengthBytesUTF8(text) + 1;
    const copy = _malloc(length);
    stringToUTF8(text, copy, length);
    return copy;
});

} // namespace

void PageForm1::showWindow() {
    pageShowWindow();
}

void PageForm1::presentPicture() {
    pagePresentPicture(m_canvas.pixels(), PageCanvas::side);
}

void PageForm1::showPatternCode(const std::string& code) {
    pageShowPatternCode(code.c_str());
}

std::optional<std::string> PageForm1::codeTextOfPng(const std::vector<std::uint8_t>& png) {
    const std::unique_ptr<char, decltype(&std::free)> text(
        pageCodeTextOfPng(png.data(), png.size()), &std::free);
    if (!text) {
        return std::nullopt;
    }
    return std::string(text.get());
}

void PageForm1::tellProblem(const std::string& line) {
    pageTellProblem(line.c_str());
}
