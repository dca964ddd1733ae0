#include "picture1.h"

#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QKeySequence>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>

namespace {

// A ColourValue holds red in its low byte and blue in its third; QRgb is ordered the other
// way round and carries an opaque alpha on top.
QRgb toQRgb(ColourValue colour) {
    const auto red = colour & 0xFFU;
    const auto green = (colour >> 8U) & 0xFFU;
    const auto blue = (colour >> 16U) & 0xFFU;
    return qRgb(static_cast<int>(red), static_cast<int>(green), static_cast<int>(blue));
}

// The preview under the pointer while a pattern is dragged out.
constexpr int dragPreviewSide = 96;

} // namespace

Picture1::Picture1(QWidget* parent)
    : QWidget(parent), m_image(side, side, QImage::Format_RGB32),
      m_pixels(reinterpret_cast<QRgb*>(m_image.bits())) {
    setObjectName(QStringLiteral("Picture1"));
    setFixedSize(side, side);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("Pattern"));
    setAccessibleDescription(
        tr("The colour pattern drawn last. Copy it with %1, or drag it into another program.")
            .arg(QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText)));
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
    emit painted();
}

QImage Picture1::pattern() const {
    // A deep copy: plots write through m_pixels, which an implicitly shared copy would see.
    return m_image.copy();
}

void Picture1::copyToClipboard() const {
    QGuiApplication::clipboard()->setImage(pattern());
}

void Picture1::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressedAt = event->position().toPoint();
    }
    QWidget::mousePressEvent(event);
}

void Picture1::mouseMoveEvent(QMouseEvent* event) {
    if (!m_pressedAt || !event->buttons().testFlag(Qt::LeftButton) ||
        (event->position().toPoint() - *m_pressedAt).manhattanLength() <
            QApplication::startDragDistance()) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    m_pressedAt.reset();
    const QImage image = pattern();
    auto* imageData = new QMimeData;
    imageData->setImageData(image);
    auto* drag = new QDrag(this);
    drag->setMimeData(imageData);
    drag->setPixmap(QPixmap::fromImage(image.scaled(
        dragPreviewSide, dragPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    drag->setHotSpot(QPoint(dragPreviewSide / 2, dragPreviewSide / 2));
    drag->exec(Qt::CopyAction);
}

void Picture1::mouseReleaseEvent(QMouseEvent* event) {
    m_pressedAt.reset();
    QWidget::mouseReleaseEvent(event);
}
