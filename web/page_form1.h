#pragma once

#include "form1_view.h"
#include "page_canvas.h"

// Form1 as a page shows it. The page's script makes the elements and handles their events;
// this hands it what the program asks of the window, through the functions the script
// gave the module as its "page".
class PageForm1 final : public Form1View {
public:
    void showWindow() override;
    void presentPicture() override;
    void showPatternCode(const std::string& code) override;
    std::optional<std::string> codeTextOfPng(const std::vector<std::uint8_t>& png) override;
    void tellProblem(const std::string& line) override;
    Canvas& canvas() override { return m_canvas; }

private:
    PageCanvas m_canvas;
};
