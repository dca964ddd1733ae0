#pragma once

#include "canvas.h"

#include <QImage>
#include <QWidget>

// The window's drawing surface: a 500 x 500 widget without a border, whose whole area is
// the drawable interior. Plots go into an image in memory; present() puts them on screen.
class Picture1 final : public QWidget, public Canvas {
    Q_OBJECT

public:
    static constexpr int side = 500;

    explicit Picture1(QWidget* parent);

    void plot(int X, int Y, ColourValue colour) override;

    // Paints the image now, so that a pattern reaches the screen even when further input
    // is already waiting to start the next one.
    void present();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage m_image;
    // The image's pixels, row after row without padding. Taken once: the image is never
    // copied, so it never detaches and the pixels never move.
    QRgb* m_pixels;
};
