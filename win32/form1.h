#pragma once

#include "base_window.h"
#include "form1_program.h"
#include "form1_view.h"

#include <windows.h>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class Command1;
class Picture1;

// The program's only window: the drawing surface Picture1 and the button Command1,
// captioned "new". It draws its first pattern once it is shown, and a further one on every
// press of "new", as options say.
class Form1 final : public BaseWindow, public Form1View {
public:
    explicit Form1(HINSTANCE instance, ProgramOptions options = {});
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    // Whether the window, its controls and its shortcut exist: the system may refuse them.
    bool created() const;

    // Shows the window, draws the first pattern and handles input until the window is
    // closed; returns the process's exit status.
    int run(int showCommand);

    Canvas& canvas() override;
    void showWindow() override;
    void presentPicture() override;
    void showPatternCode(const std::string& code) override;
    std::optional<std::string> codeTextOfPng(const std::vector<std::uint8_t>& png) override;
    void tellProblem(const std::string& line) override;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void placeControls();
    int scaled(int logicalPixels) const;
    SIZE smallestSize() const; // of the whole window, frame included
    void showCanvasMenu(LPARAM at);
    void doCanvasCommand(WORD command);
    std::filesystem::path dialogFolder() const;
    void save();
    void open();
    void paste();

    HACCEL m_shortcuts = nullptr;
    std::unique_ptr<Picture1> m_picture1;
    std::unique_ptr<Command1> m_command1;
    HWND m_focusBeforeDeactivation = nullptr;
    int m_showCommand = SW_SHOWDEFAULT;
    // Where the last save or open was, for the next dialog, for the rest of the run.
    std::filesystem::path m_dialogFolder;
    OfferedPattern m_dropped; // taken from a drop, to be drawn once the drop is over
    Form1Program m_program;
};
