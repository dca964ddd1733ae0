#pragma once

#include "form1.h"

#include <vector>

#include <QImage>

class QPushButton;

// A script of draws for the window tests: two patterns' worth, so that consecutive
// passes alternate between two different patterns.
extern const std::vector<float> twoPatterns;

// What the canvas must show once pattern 0 or 1 of that script has been drawn.
QImage expectedCanvas(int pattern);

// What the canvas shows, painted and read back at one pixel per point whatever the
// display's scale factor.
QImage canvasImage(Form1& form);

QWidget* picture1Of(Form1& form);
QPushButton* command1Of(Form1& form);
