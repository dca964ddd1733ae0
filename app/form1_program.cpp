#include "form1_program.h"

#include "avx_upper_halves.h"
#include "drawing_pass.h"
#include "form1_view.h"
#include "random_source.h"

#include <utility>

Form1Program::Form1Program(Form1View& form1, ProgramOptions options)
    : m_form1(form1), m_options(std::move(options)) {}

void Form1Program::load() {
    // Shown first, so that the window opens without waiting for a pass.
    m_form1.showWindow();
    randomSource().reseed(randomSource().timeOfDaySeconds());
    drawAndPresent();
}

void Form1Program::command1Click() {
    if (!m_closeRequested) {
        drawAndPresent();
    }
}

void Form1Program::closeRequested() {
    m_closeRequested = true;
}

void Form1Program::pictureShown() {
    if (m_options.startWarmUp && !m_warmUp.joinable()) {
        m_warmUp = m_options.startWarmUp();
    }
}

void Form1Program::drawAndPresent() {
    clearUpperVectorState();
    DrawPattern(m_form1, m_options.plot);
    m_form1.presentPicture();
}
