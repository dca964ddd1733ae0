#pragma once

#include "drawing_window.h"

#include <QWidget>

class Picture1;
class QPushButton;

// The program's only window: the drawing surface Picture1 and the button Command1,
// captioned "new". It draws its first pattern as soon as it is created and shown, and a
// further one on every press of "new".
class Form1 final : public QWidget, public DrawingWindow {
    Q_OBJECT

public:
    explicit Form1(QWidget* parent = nullptr);

    void clearWindowDrawing() override;
    Canvas& canvas() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void load();
    void command1Click();
    void drawAndPresent();

    Picture1* m_picture1 = nullptr;
    QPushButton* m_command1 = nullptr;
    bool m_closeRequested = false;
};
