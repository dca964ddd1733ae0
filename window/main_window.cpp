#include "main_window.h"

#include "accessible_roles.h"
#include "avx_upper_halves.h"
#include "drawing_pass.h"
#include "form1_layout.h"
#include "picture1.h"
#include "random_source.h"

#include <QAction>
#include <QKeySequence>
#include <QPushButton>

namespace {

constexpr QRect toQRect(const layout::Rectangle& rectangle) {
    return {rectangle.left, rectangle.top, rectangle.width, rectangle.height};
}

constexpr int command1FontPixels = 11; // keeps "new" whole inside the 17 pixel high button

} // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
    // Before the controls exist: an accessible interface, once made, keeps its role.
    installAccessibleRoles();
    m_picture1 = new Picture1(this);
    m_command1 = new QPushButton(this);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Form1"));
    setMinimumSize(layout::smallestClientWidth, layout::smallestClientHeight);
    resize(layout::openingClientWidth, layout::openingClientHeight);

    m_picture1->setGeometry(toQRect(layout::picture1));

    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setText(QStringLiteral("new"));
    m_command1->setAccessibleName(tr("New pattern"));
    m_command1->setAccessibleDescription(tr("Draws a new pattern over the current one"));
    QFont captionFont = m_command1->font();
    captionFont.setPixelSize(command1FontPixels);
    m_command1->setFont(captionFont);
    m_command1->setGeometry(toQRect(layout::command1));
    connect(m_command1, &QPushButton::clicked, this, &Form1::command1Click);

    // The platform's copy shortcut copies the pattern wherever the focus is in the window.
    auto* copyPattern = new QAction(this);
    copyPattern->setShortcut(QKeySequence::Copy);
    copyPattern->setShortcutContext(Qt::WindowShortcut);
    connect(copyPattern, &QAction::triggered, m_picture1, &Picture1::copyToClipboard);
    addAction(copyPattern);

    setTabOrder(m_picture1, m_command1);
    m_picture1->setFocus();

    load();
}

void Form1::clearWindowDrawing() {
    // A widget keeps nothing drawn on it outside its own paint events, so the window's own
    // surface never holds drawing of the program's to clear.
}

Canvas& Form1::canvas() {
    return *m_picture1;
}

void Form1::load() {
    show();
    randomSource().reseed(randomSource().timeOfDaySeconds());
    drawAndPresent();
}

void Form1::command1Click() {
    // Presses that were queued behind a close request came too late to count.
    if (!m_closeRequested) {
        drawAndPresent();
    }
}

void Form1::closeEvent(QCloseEvent* event) {
    m_closeRequested = true;
    QWidget::closeEvent(event);
}

void Form1::drawAndPresent() {
    clearUpperVectorState();
    DrawPattern(*this);
    m_picture1->present();
}
