// What the page's script calls: the window's events, handed to the program, and what the
// script needs of the shared layer to copy, save and open patterns.

#include "form1_program.h"
#include "grid_tables.h"
#include "page_form1.h"
#include "pattern_file.h"
#include "pattern_messages.h"
#include "table_warm_up.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <emscripten.h>
#include <string>
#include <vector>

namespace {

PageForm1& form1() {
    static PageForm1 form;
    return form;
}

Form1Program& program() {
    static Form1Program running(form1());
    return running;
}

// Answers handed to the script, which copies them before it calls again.
std::string answer;

} // namespace

extern "C" {

// The page has loaded, its address naming a pattern or not.
EMSCRIPTEN_KEEPALIVE void pageLoad() {
    program().load();
}

// The address names a pattern: at load, or when the browser steps back or forward to it.
EMSCRIPTEN_KEEPALIVE void pageFollowLink(const char* code) {
    program().loadCode(code);
}

EMSCRIPTEN_KEEPALIVE void pagePressNew() {
    program().command1Click();
}

// What a paste, a drop or an opened file brings: kind 0 is nothing, 1 an image's bytes,
// which the page has decoded and read as a PNG (any other image keeps no code), 2 text.
// Returns whether a pattern was drawn.
EMSCRIPTEN_KEEPALIVE int pageDrawOffered(int kind, const std::uint8_t* bytes, std::size_t size) {
    OfferedPattern offered;
    switch (kind) {
    case 1:
        offered = OfferedPng{std::vector<std::uint8_t>(bytes, bytes + size)};
        break;
    case 2:
        offered = OfferedText{std::string(reinterpret_cast<const char*>(bytes), size)};
        break;
    default:
        break;
    }
    return program().drawFromOffered(offered) ? 1 : 0;
}

// A file larger than any pattern's PNG, refused before it is read.
EMSCRIPTEN_KEEPALIVE void pageRefuseLargeFile(const char* name) {
    form1().tellProblem(couldNotOpen(name, tooLargeForAPattern));
}

EMSCRIPTEN_KEEPALIVE double pageLargestPatternFile() {
    return static_cast<double>(largestPatternFile);
}

// Builds the next angular table while the page is idle; returns 0 once all are built.
EMSCRIPTEN_KEEPALIVE int pageWarmUpStep() {
    static int step = 0;
    return warmUpStep(GridTables::shared(), step++) ? 1 : 0;
}

// The texts the pattern on show's PNG carries, as "key<TAB>value" lines.
EMSCRIPTEN_KEEPALIVE const char* pagePngTexts() {
    answer.clear();
    for (const PngText& text :
         patternPngTexts(program().codeOnShow(), std::chrono::system_clock::now())) {
        answer += text.key + '\t' + text.value + '\n';
    }
    return answer.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* pageSuggestedFileName() {
    answer = suggestedFileName(program().codeOnShow());
    return answer.c_str();
}

} // extern "C"
