#pragma once

#include "canvas.h"
#include "form1_layout.h"

#include <optional>
#include <string>

#include <QImage>
#include <QMimeData>
#include <QPoint>
#include <QPointer>
#include <QWidget>

// The window's drawing surface: a 500 x 500 widget without a border, whose whole area is
// the drawable interior. Plots go into an image in memory; present() puts them on screen.
// A user keeps a pattern by copying it to the clipboard or dragging it out, as an image of
// its 500 x 500 pixels; nothing is written to a file.
class Picture1 final : public QWidget, public Canvas {
    Q_OBJECT

public:
    static constexpr int side = layout::picture1.width;

    explicit Picture1(QWidget* parent);

    void plot(int X, int Y, ColourValue colour) override;

    // Paints the image now, so that a pattern reaches the screen even when further input
    // is already waiting to start the next one.
    void present();

    // The pattern as drawn, pixel for pixel, in an image of its own that later plots leave
    // as it is.
    QImage pattern() const;

    // Puts the pattern on the clipboard, as an image.
    void copyToClipboard();

    // Names the pattern on show, in the tooltip and to screen readers.
    void showCode(const QString& code);

signals:
    // The image has been painted onto the widget.
    void painted();
    // A move past the drag distance asks for a drag; the answer is queued behind the events
    // already waiting.
    void dragAsked(unsigned pressNumber, QPrivateSignal);
    // Data dropped on the canvas from elsewhere, to be read for a pattern's code; valid
    // only while the signal is handled.
    void dropped(const QMimeData* data);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void startDragIfStillHeld(unsigned pressNumber);

    // The left button's press on the canvas, until it comes up or a drag starts from it. A
    // drag waits for the events queued behind the move that asked for it, and its press's
    // number tells whether another press has come meanwhile.
    struct Press {
        QPoint at;
        unsigned number = 0;
        bool dragPending = false;
    };
    std::optional<Press> m_press;
    unsigned m_pressCount = 0;
    // What the last copy put on the clipboard, while the clipboard holds it.
    QPointer<QMimeData> m_copy;
    std::string m_code; // of the pattern on show
    QImage m_image;
    // The image's pixels, row after row without padding; declared after m_image, from which
    // it is taken as it is built. Taken once: the image is never shared (pattern() hands out
    // deep copies), so it never detaches and the pixels never move.
    QRgb* m_pixels;
};
