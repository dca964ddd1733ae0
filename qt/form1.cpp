#include "form1.h"

#include "accessible_roles.h"
#include "form1_layout.h"
#include "form1_texts.h"
#include "picture1.h"

#include <utility>

#include <QAction>
#include <QKeySequence>
#include <QPushButton>

namespace {

constexpr QRect toQRect(const layout::Rectangle& rectangle) {
    return {rectangle.left, rectangle.top, rectangle.width, rectangle.height};
}

} // namespace

Form1::Form1(ProgramOptions options) : m_program(*this, std::move(options)) {
    // Before the controls exist: an accessible interface, once made, keeps its role.
    installAccessibleRoles();
    m_picture1 = new Picture1(this);
    m_command1 = new QPushButton(this);
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(texts::form1Caption));
    setMinimumSize(layout::smallestClientWidth, layout::smallestClientHeight);
    resize(layout::openingClientWidth, layout::openingClientHeight);

    m_picture1->setGeometry(toQRect(layout::picture1));

    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setText(QString::fromLatin1(texts::command1Caption));
    m_command1->setAccessibleName(QString::fromLatin1(texts::command1AccessibleName));
    m_command1->setAccessibleDescription(QString::fromLatin1(texts::command1AccessibleDescription));
    QFont captionFont = m_command1->font();
    captionFont.setPixelSize(texts::command1FontPixels);
    m_command1->setFont(captionFont);
    m_command1->setGeometry(toQRect(layout::command1));
    connect(m_command1, &QPushButton::clicked, this, [this] { m_program.command1Click(); });
    // Queued behind the paint, so that what it starts slows neither the paint nor the
    // picture.
    connect(
        m_picture1, &Picture1::painted, this, [this] { m_program.pictureShown(); },
        Qt::QueuedConnection);

    // The platform's copy shortcut copies the pattern wherever the focus is in the window.
    auto* copyPattern = new QAction(this);
    copyPattern->setShortcut(QKeySequence::Copy);
    copyPattern->setShortcutContext(Qt::WindowShortcut);
    connect(copyPattern, &QAction::triggered, m_picture1, &Picture1::copyToClipboard);
    addAction(copyPattern);

    setTabOrder(m_picture1, m_command1);
    m_picture1->setFocus();

    m_program.load();
}

Canvas& Form1::canvas() {
    return *m_picture1;
}

void Form1::showWindow() {
    show();
}

void Form1::presentPicture() {
    m_picture1->present();
}

void Form1::closeEvent(QCloseEvent* event) {
    m_program.closeRequested();
    QWidget::closeEvent(event);
}
