#pragma once

#include "offered_pattern.h"
#include "pattern_history.h"
#include "program_options.h"
#include "warm_up_thread.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class Form1View;

// What the program does with its window, whatever toolkit draws it: the first pattern when
// the window opens, one pattern a press of "new", the run's patterns again by their codes,
// none once a close has been asked for, and the angular tables built behind the first
// picture. Each front end hands it the window's events and does what it asks of the window.
class Form1Program {
public:
    explicit Form1Program(Form1View& form1, ProgramOptions options = {});

    // Shows the window and draws the first pattern into it.
    void load();

    // The same, with the pattern a text names first, as a link to it gives one; where the
    // text names none, says why and draws a fresh pattern instead.
    void loadCode(std::string_view text);

    // "new" was pressed.
    void command1Click();

    // Draws the pattern before or after the one on show in the run's history, if there is
    // one; returns whether there was.
    bool goBack();
    bool goForward();

    // Draws the pattern a text names and puts it at the end of the history, or says in the
    // window why the text names none and leaves everything as it was. Returns whether a
    // pattern was drawn.
    bool drawFromCode(std::string_view text);

    // The same for a PNG pasted or dropped, by the code it keeps, and for a file chosen or
    // dropped, which must be such a PNG.
    bool drawFromPng(const std::vector<std::uint8_t>& png);
    bool drawFromFile(const std::filesystem::path& file);

    // The same for whatever a paste or a drop brings.
    bool drawFromOffered(const OfferedPattern& offered);

    // The code of the pattern on show: empty before the first is drawn.
    std::string codeOnShow() const;

    // The window has been asked to close: presses queued behind the request came too late
    // to count.
    void closeRequested();

    // The canvas has been painted on the screen. The first time, and until a thread can be
    // had, the angular tables' warm-up is started; call it behind the paint, so that the
    // warm-up slows neither.
    void pictureShown();

private:
    void drawAndPresent();
    void redrawAndPresent(PatternCode code);

    Form1View& m_form1;
    ProgramOptions m_options;
    bool m_closeRequested = false;
    PatternHistory m_history;
    // Declared last, so that it is stopped, after the table in hand, before the rest goes.
    WarmUpThread m_warmUp;
};
