#include "form1_program.h"

#include "avx_upper_halves.h"
#include "drawing_pass.h"
#include "form1_view.h"
#include "pattern_file.h"
#include "pattern_messages.h"
#include "random_source.h"

#include <optional>
#include <utility>
#include <variant>

Form1Program::Form1Program(Form1View& form1, ProgramOptions options)
    : m_form1(form1), m_options(std::move(options)) {}

void Form1Program::load() {
    // Shown first, so that the window opens without waiting for a pass.
    m_form1.showWindow();
    randomSource().reseed(randomSource().timeOfDaySeconds());
    drawAndPresent();
}

void Form1Program::loadCode(std::string_view text) {
    m_form1.showWindow();
    // Reseeded whatever the text holds, so that the next press draws a fresh pattern.
    randomSource().reseed(randomSource().timeOfDaySeconds());
    const std::variant<PatternCode, CodeProblem> read = readCode(text);
    if (const auto* code = std::get_if<PatternCode>(&read)) {
        m_history.add(*code);
        redrawAndPresent(*code);
        return;
    }
    m_form1.tellProblem(linkIgnored(std::get<CodeProblem>(read)));
    drawAndPresent();
}

void Form1Program::command1Click() {
    if (!m_closeRequested) {
        drawAndPresent();
    }
}

bool Form1Program::goBack() {
    if (m_closeRequested) {
        return false;
    }
    const std::optional<PatternCode> earlier = m_history.back();
    if (earlier) {
        redrawAndPresent(*earlier);
    }
    return earlier.has_value();
}

bool Form1Program::goForward() {
    if (m_closeRequested) {
        return false;
    }
    const std::optional<PatternCode> later = m_history.forward();
    if (later) {
        redrawAndPresent(*later);
    }
    return later.has_value();
}

bool Form1Program::drawFromCode(std::string_view text) {
    if (m_closeRequested) {
        return false;
    }
    const std::variant<PatternCode, CodeProblem> read = readCode(text);
    if (const auto* problem = std::get_if<CodeProblem>(&read)) {
        m_form1.tellProblem(whyNoCode(*problem));
        return false;
    }
    const PatternCode code = std::get<PatternCode>(read);
    m_history.add(code);
    redrawAndPresent(code);
    return true;
}

bool Form1Program::drawFromPng(const std::vector<std::uint8_t>& png) {
    if (m_closeRequested) {
        return false;
    }
    const std::optional<std::string> text = m_form1.codeTextOfPng(png);
    if (!text) {
        m_form1.tellProblem(notAnImage);
        return false;
    }
    if (text->empty()) {
        m_form1.tellProblem(imageWithoutCode);
        return false;
    }
    return drawFromCode(*text);
}

bool Form1Program::drawFromFile(const std::filesystem::path& file) {
    if (m_closeRequested) {
        return false;
    }
    const auto read = readPatternFile(file);
    if (const auto* reason = std::get_if<std::string>(&read)) {
        m_form1.tellProblem(couldNotOpen(shownFileName(file), *reason));
        return false;
    }
    return drawFromPng(std::get<std::vector<std::uint8_t>>(read));
}

bool Form1Program::drawFromOffered(const OfferedPattern& offered) {
    struct Drawer {
        Form1Program& program;
        bool operator()(std::monostate /*nothing*/) const {
            program.m_form1.tellProblem(nothingToPaste);
            return false;
        }
        bool operator()(const OfferedFile& file) const { return program.drawFromFile(file.path); }
        bool operator()(const OfferedPng& png) const { return program.drawFromPng(png.bytes); }
        bool operator()(OfferedImage /*image*/) const {
            program.m_form1.tellProblem(imageWithoutCode);
            return false;
        }
        bool operator()(const OfferedText& text) const { return program.drawFromCode(text.utf8); }
    };
    return !m_closeRequested && std::visit(Drawer{*this}, offered);
}

std::string Form1Program::codeOnShow() const {
    const std::optional<PatternCode> shown = m_history.shown();
    return shown ? codeText(*shown) : std::string();
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
    const PatternCode code{DrawPattern(m_form1, m_options.plot)};
    m_history.add(code);
    m_form1.showPatternCode(codeText(code));
    m_form1.presentPicture();
}

void Form1Program::redrawAndPresent(PatternCode code) {
    clearUpperVectorState();
    RedrawPattern(m_form1, code.sourceState, m_options.plot);
    m_form1.showPatternCode(codeText(code));
    m_form1.presentPicture();
}
