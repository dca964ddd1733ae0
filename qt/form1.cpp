#include "form1.h"

#include "accessible_roles.h"
#include "form1_layout.h"
#include "form1_texts.h"
#include "offered_pattern_of.h"
#include "pattern_file.h"
#include "pattern_messages.h"
#include "picture1.h"

#include <chrono>
#include <utility>

#include <QAction>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QImageWriter>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSaveFile>
#include <QShortcut>
#include <QStandardPaths>

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

    addCanvasActions();
    connect(m_picture1, &Picture1::dropped, this, [this](const QMimeData* dropped) {
        m_program.drawFromOffered(offeredPatternOf(dropped));
    });

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

void Form1::addCanvasActions() {
    // Each is in the canvas's context menu, with its shortcut, which works wherever the
    // focus is in the window.
    const auto add = [this](const QString& text, const QKeySequence& keys, auto handler) {
        auto* action = new QAction(text, m_picture1);
        action->setShortcut(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, handler);
        m_picture1->addAction(action);
        return action;
    };
    add(tr("&Copy"), QKeySequence::Copy, [this] { m_picture1->copyToClipboard(); });
    add(tr("Copy c&ode"), QKeySequence(), [this] {
        QGuiApplication::clipboard()->setText(QString::fromStdString(m_program.codeOnShow()));
    });
    add(tr("&Save..."), QKeySequence::Save, [this] { save(); });
    add(tr("&Open..."), QKeySequence::Open, [this] { open(); });
    add(tr("&Paste"), QKeySequence::Paste, [this] {
        m_program.drawFromOffered(offeredPatternOf(QGuiApplication::clipboard()->mimeData()));
    });
    add(tr("&Back"), QKeySequence::Undo, [this] { m_program.goBack(); });
    add(tr("&Forward"), QKeySequence::Redo, [this] { m_program.goForward(); });
    m_picture1->setContextMenuPolicy(Qt::ActionsContextMenu);
    // The Menu key opens it where the toolkit's default handling does; Shift+F10 does too,
    // at the canvas's corner, as in other desktop programs.
    auto* menuKeys = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), this);
    connect(menuKeys, &QShortcut::activated, this, [this] {
        QMenu::exec(m_picture1->actions(), m_picture1->mapToGlobal(QPoint(0, 0)), nullptr,
                    m_picture1);
    });
}

QString Form1::dialogFolder() const {
    if (!m_dialogFolder.isEmpty()) {
        return m_dialogFolder;
    }
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    return !pictures.isEmpty() && QFileInfo(pictures).isDir() ? pictures : QDir::homePath();
}

void Form1::save() {
    const std::string code = m_program.codeOnShow();
    const QString path = QFileDialog::getSaveFileName(
        this, tr("Save pattern"),
        QDir(dialogFolder()).filePath(QString::fromStdString(suggestedFileName(code))),
        tr("PNG images (*.png)"));
    if (path.isEmpty()) {
        return;
    }
    m_dialogFolder = QFileInfo(path).absolutePath();
    // Written to a file of its own beside the name and renamed over it once whole, so a
    // failure leaves neither a part of a file nor a half-overwritten one.
    QSaveFile file(path);
    QImageWriter writer(&file, "png");
    for (const PngText& text : patternPngTexts(code, std::chrono::system_clock::now())) {
        writer.setText(QString::fromLatin1(text.key), QString::fromLatin1(text.value));
    }
    if (!file.open(QIODevice::WriteOnly) || !writer.write(m_picture1->pattern()) ||
        !file.commit()) {
        const QString reason =
            file.error() != QFileDevice::NoError ? file.errorString() : writer.errorString();
        tellProblem(
            couldNotSave(QDir::toNativeSeparators(path).toStdString(), reason.toStdString()));
    }
}

void Form1::open() {
    const QString path = QFileDialog::getOpenFileName(this, tr("Open pattern"), dialogFolder(),
                                                      tr("PNG images (*.png);;All files (*)"));
    if (!path.isEmpty()) {
        m_dialogFolder = QFileInfo(path).absolutePath();
        m_program.drawFromFile(QFile::encodeName(path).toStdString());
    }
}

std::optional<std::string> Form1::codeTextOfPng(const std::vector<std::uint8_t>& png) {
    // The whole image is read, so that a code written after the pixels is found too, and a
    // damaged image names nothing.
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(png.data()),
                                               static_cast<qsizetype>(png.size()));
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, "png");
    const QImage image = reader.read();
    if (image.isNull()) {
        return std::nullopt;
    }
    return image.text(QString::fromLatin1(codeTextKey)).toStdString();
}

void Form1::showPatternCode(const std::string& code) {
    m_picture1->showCode(QString::fromStdString(code));
}

void Form1::tellProblem(const std::string& line) {
    // Not modal: the window goes on as it was, and the box goes when it is dismissed.
    auto* box = new QMessageBox(QMessageBox::Warning, windowTitle(), QString::fromStdString(line),
                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("Problem"));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void Form1::closeEvent(QCloseEvent* event) {
    m_program.closeRequested();
    QWidget::closeEvent(event);
}
