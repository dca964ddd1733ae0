#include "picture1.h"

#include "colour_to_qrgb.h"
#include "form1_texts.h"
#include "pattern_file.h"

#include <chrono>
#include <memory>
#include <string>

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QKeySequence>
#include <QMimeData>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>

namespace {

// The image as the clipboard and a drag offer it: PNG first, since a clipboard manager that
// keeps a copy after the program exits may keep only the first type offered, and then the
// toolkit's own types, its private one among them.
std::unique_ptr<QMimeData> imageData(QImage image, const std::string& code) {
    // The PNG carries the pattern's code, so that pasting or dropping it names the pattern.
    if (!code.empty()) {
        for (const PngText& text : patternPngTexts(code, std::chrono::system_clock::now())) {
            image.setText(QString::fromLatin1(text.key), QString::fromLatin1(text.value));
        }
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    auto data = std::make_unique<QMimeData>();
    data->setData(QStringLiteral("image/png"), png);
    data->setImageData(image);
    return data;
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
    setAccessibleName(QString::fromLatin1(texts::picture1AccessibleName));
    // Everything is painted from the image, so nothing behind it needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_image.fill(palette().color(QPalette::Window));
    setAcceptDrops(true);
    connect(this, &Picture1::dragAsked, this, &Picture1::startDragIfStillHeld,
            Qt::QueuedConnection);
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

void Picture1::copyToClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    const QImage image = pattern();
    // The same pattern again keeps the copy there is: on Wayland a second selection without
    // input between would reuse the first one's serial, and the compositor would ignore it
    // once the first was withdrawn, leaving the clipboard empty. The clipboard deletes a
    // copy it no longer holds, which clears m_copy.
    if (!m_copy.isNull() && clipboard->mimeData() == m_copy &&
        qvariant_cast<QImage>(m_copy->imageData()) == image) {
        return;
    }
    m_copy = imageData(image, m_code).release();
    clipboard->setMimeData(m_copy);
}

namespace {

// What a drop offers that may name a pattern. The canvas's own drag, dropped back on it,
// offers nothing new.
bool offersAPattern(const QDropEvent& event, const QWidget* canvas) {
    const QMimeData* data = event.mimeData();
    if (event.source() == canvas || data == nullptr) {
        return false;
    }
    return data->hasUrls() || data->hasImage() || data->hasText() ||
           data->hasFormat(QStringLiteral("image/png"));
}

} // namespace

void Picture1::dragEnterEvent(QDragEnterEvent* event) {
    if (offersAPattern(*event, this)) {
        event->acceptProposedAction();
    }
}

void Picture1::dropEvent(QDropEvent* event) {
    if (!offersAPattern(*event, this)) {
        return;
    }
    event->acceptProposedAction();
    emit dropped(event->mimeData());
}

void Picture1::showCode(const QString& code) {
    m_code = code.toStdString();
    setToolTip(tr("Pattern %1").arg(code));
    setAccessibleDescription(
        tr("Pattern %1. Copy it with %2, or drag it into another program.")
            .arg(code, QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText)));
}

void Picture1::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_press = Press{.at = event->position().toPoint(), .number = ++m_pressCount};
    }
    QWidget::mousePressEvent(event);
}

void Picture1::mouseMoveEvent(QMouseEvent* event) {
    if (!m_press || m_press->dragPending || !event->buttons().testFlag(Qt::LeftButton) ||
        (event->position().toPoint() - m_press->at).manhattanLength() <
            QApplication::startDragDistance()) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    // A move can say the button is held when it is not: a release away from the press comes
    // after a move there that the toolkit makes up, and a window manager that holds a click
    // to raise the window can let the release come away from it. A drag started on that
    // move would stick to the pointer with no button held, so it starts only once the events
    // queued now, and those the window system has sent meanwhile, are handled, and only if
    // the button is still down then from the same press.
    m_press->dragPending = true;
    emit dragAsked(m_press->number, QPrivateSignal());
}

void Picture1::startDragIfStillHeld(unsigned pressNumber) {
    QGuiApplication::sync(); // moves handled in here see the drag pending and ask no more
    if (!m_press || m_press->number != pressNumber ||
        !QGuiApplication::mouseButtons().testFlag(Qt::LeftButton)) {
        return;
    }
    m_press.reset();
    const QImage image = pattern();
    auto* drag = new QDrag(this);
    drag->setMimeData(imageData(image, m_code).release());
    drag->setPixmap(QPixmap::fromImage(image.scaled(
        dragPreviewSide, dragPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
    drag->setHotSpot(QPoint(dragPreviewSide / 2, dragPreviewSide / 2));
    drag->exec(Qt::CopyAction);
}

void Picture1::mouseReleaseEvent(QMouseEvent* event) {
    m_press.reset();
    QWidget::mouseReleaseEvent(event);
}
