#pragma once

#include "form1_program.h"
#include "form1_view.h"

#include <QWidget>

class Picture1;
class QPushButton;

// The program's only window: the drawing surface Picture1 and the button Command1,
// captioned "new". It draws its first pattern as soon as it is created and shown, and a
// further one on every press of "new".
class Form1 final : public QWidget, public Form1View {
    Q_OBJECT

public:
    explicit Form1(ProgramOptions options = {});

    Canvas& canvas() override;
    void showWindow() override;
    void presentPicture() override;
    void showPatternCode(const std::string& code) override;
    std::optional<std::string> codeTextOfPng(const std::vector<std::uint8_t>& png) override;
    void tellProblem(const std::string& line) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addCanvasActions();
    QString dialogFolder() const;
    void save();
    void open();

    Picture1* m_picture1 = nullptr;
    QPushButton* m_command1 = nullptr;
    // Where the last save or open was, for the next dialog, for the rest of the run.
    QString m_dialogFolder;
    Form1Program m_program;
};
