#include "picture1.h"

#include <QPaintEvent>
#include <QPainter>

namespace {

// A ColourValue holds red in its low byte and blue in its third; QRgb is ordered the other
// way round and carries an opaque alpha on top.
QRgb toQRgb(ColourValue colour) {
    const auto red = colour & 0xFFU;
    const auto green = (colour >> 8U) & 0xFFU;
    const auto blue = (colour >> 16U) & 0xFFU;
    return qRgb(static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue));
}

} // namespace

Picture1::Picture1(QWidget* parent)
    : QWidget(parent), m_image(side, side, QImage::Format_RGB32),
      m_pixels(reinterpret_cast<QRgb*>(m_image.bits())) {
    setObjectName(QStringLiteral("Picture1"));
    setFixedSize(side, side);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Pattern"));
    setAccessibleDescription(tr("The colour pattern drawn last"));
    // Everything is painted from the image, so nothing behind it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_image.fill(palette().color(QPalette::Window));
}

void Picture1::plot(int X, int Y, ColourValue colour) {
    // One unsigned comparison per axis clips negative and too large coordinates alike.
    if (static_cast<unsigned>(X) >= unsigned{side} || static_cast<unsigned>(Y) >= unsigned{side}) {
        return;
    }
    m_pixels[Y * side + X] = toQRgb(colour);
}

void Picture1::present() {
    repaint();
}

void Picture1::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // Drawn into the widget's logical pixels without smoothing, so that at a scale factor
    // above 1 every point stays a sharp square.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(event->rect(), m_image, event->rect());
}
