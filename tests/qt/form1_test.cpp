#include "canvas_reference.h"
#include "form1.h"
#include "icon_image.h"
#include "pattern_messages.h"
#include "picture1.h"
#include "scripted_random_source.h"
#include "window_icon.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <functional>
#include <optional>

#include <QAccessible>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QImageReader>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

long count(const Journal& journal, Step step) {
    return std::ranges::count_if(journal,
                                 [step](const JournalEntry& entry) { return entry.step == step; });
}

long passesIn(const Journal& journal) {
    return count(journal, Step::NextUniform) / 10;
}

// A press and release of the left button at a point of the window, as the window system
// would deliver them: hit-tested, so a covered or misplaced button is not pressed.
void clickThroughWindow(Form1& form, QPoint windowPoint) {
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, windowPoint);
}

QPoint command1Centre(Form1& form) {
    return command1Of(form)->geometry().center();
}

// The same press and release, queued behind whatever the application is doing now.
void queueClick(Form1& form, QPoint windowPoint) {
    QWindow* window = form.windowHandle();
    const QPointF local(windowPoint);
    const QPointF global(window->mapToGlobal(windowPoint));
    QCoreApplication::postEvent(window, new QMouseEvent(QEvent::MouseButtonPress, local, global,
                                                        Qt::LeftButton, Qt::LeftButton, {}));
    QCoreApplication::postEvent(
        window, new QMouseEvent(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, {}, {}));
}

// Answers the next file dialog from inside its own event loop, where a modal dialog waits,
// as soon as it is up.
void answerFileDialog(std::function<void(QFileDialog*)> answer) {
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer = std::move(answer)] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        }
    });
    poll->start(20);
}

} // namespace

TEST(Form1Layout, ControlsSitWhereTheyShouldWithLegibleCaptions) {
    ScriptedRandomSource source(twoPatterns);
    Form1 form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Form1"));
    EXPECT_EQ(picture1Of(form)->geometry(), QRect(56, 64, 500, 500));
    QPushButton* command1 = command1Of(form);
    EXPECT_EQ(command1->geometry(), QRect(576, 544, 57, 17));
    EXPECT_EQ(command1->text(), QStringLiteral("new"));
    const QFontMetrics metrics(command1->font());
    EXPECT_LE(metrics.height(), 17);
    EXPECT_LT(metrics.horizontalAdvance(command1->text()), 57 - 8);
    EXPECT_FALSE(picture1Of(form)->accessibleName().isEmpty());
    EXPECT_FALSE(command1->accessibleName().isEmpty());

    EXPECT_GE(form.width(), 633);
    EXPECT_GE(form.height(), 564);
    EXPECT_TRUE(form.rect().contains(picture1Of(form)->geometry()));
    EXPECT_TRUE(form.rect().contains(command1->geometry()));
    EXPECT_GE(form.minimumWidth(), 633);
    EXPECT_GE(form.minimumHeight(), 564);
}

TEST(Form1Layout, FocusStartsOnTheCanvasAndTabMovesItToTheButton) {
    ScriptedRandomSource source(twoPatterns);
    Form1 form;
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_EQ(QApplication::focusWidget(), picture1Of(form));
    QTest::keyClick(&form, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), command1Of(form));
    QTest::keyClick(&form, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), picture1Of(form));
}

// What an assistive technology is told the controls are; the toolkit alone would call the
// window and the canvas plain containers.
TEST(Form1Layout, TheWindowIsAWindowAndTheCanvasAGraphic) {
    ScriptedRandomSource source(twoPatterns);
    Form1 form;
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&form)->role(), QAccessible::Window);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(picture1Of(form))->role(),
              QAccessible::Graphic);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(command1Of(form))->role(), QAccessible::Button);
}

// The built-in icon is the program's icon drawing, pixel for pixel, at every size a window
// manager shows. A pixmap holds its colours premultiplied by alpha, so both are compared so.
TEST(WindowIcon, IsTheIconDrawingAtEveryWindowSize) {
    const QIcon icon = windowIcon();
    const std::vector<ColourValue> pattern = iconPattern();
    for (const int side : {16, 32, 48, 64, 128}) {
        SCOPED_TRACE(side);
        const std::vector<std::uint32_t> pixels = iconImage(pattern, side);
        const QImage drawn = QImage(reinterpret_cast<const uchar*>(pixels.data()), side, side,
                                    qsizetype{4} * side, QImage::Format_ARGB32)
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(icon.pixmap(QSize(side, side), 1.0)
                      .toImage()
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied),
                  drawn);
    }
    EXPECT_EQ(icon.availableSizes().size(), 5);
}

// The order of the load sequence is the shared layer's; what is the window's is that it is
// on screen before the first reseed, and that its canvas then shows the first pattern.
TEST(Form1StartUp, IsShownBeforeTheFirstReseedAndShowsTheFirstPattern) {
    Journal journal;
    ScriptedRandomSource source(twoPatterns, &journal);
    std::optional<bool> shownAtFirstReseed;
    source.onCall = [&](Step step) {
        if (step == Step::Reseed && !shownAtFirstReseed) {
            shownAtFirstReseed =
                std::ranges::any_of(QApplication::topLevelWidgets(), [](QWidget* w) {
                    return w->objectName() == QStringLiteral("Form1") && w->isVisible();
                });
        }
    };

    Form1 form;
    source.onCall = nullptr;

    EXPECT_EQ(shownAtFirstReseed, std::optional(true));
    EXPECT_EQ(passesIn(journal), 1);
    EXPECT_EQ(canvasImage(form), expectedCanvas(0));
}

// A window drawn under a scripted source whose calls are journalled.
class Form1Presses : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(QTest::qWaitForWindowExposed(&form)); }

    Journal journal;
    // Before form, which draws from the source in use as it is built: members are built in
    // the order they are declared.
    ScriptedRandomSource source{twoPatterns, &journal};
    Form1 form;
};

TEST_F(Form1Presses, EachPressDrawsExactlyOneFurtherPattern) {
    clickThroughWindow(form, command1Centre(form));
    EXPECT_EQ(passesIn(journal), 2);
    EXPECT_EQ(count(journal, Step::Reseed), 3);
    EXPECT_EQ(canvasImage(form), expectedCanvas(1));

    command1Of(form)->setFocus();
    QTest::keyClick(command1Of(form), Qt::Key_Space);
    EXPECT_EQ(passesIn(journal), 3);
    EXPECT_EQ(canvasImage(form), expectedCanvas(0));

    // A click beside the button presses nothing.
    clickThroughWindow(form, command1Of(form)->geometry().topLeft() - QPoint(3, 3));
    EXPECT_EQ(passesIn(journal), 3);
}

TEST_F(Form1Presses, PressesMadeDuringAPassEachDrawOneMoreAfterIt) {
    bool queued = false;
    std::vector<bool> previousPatternShownAtReseed;
    source.onCall = [&](Step step) {
        if (step == Step::NextUniform && !queued) {
            queued = true;
            queueClick(form, command1Centre(form));
            queueClick(form, command1Centre(form));
        }
        // A pass that started inside another would find that one's pattern half drawn.
        const long finishedPasses = passesIn(journal);
        if (step == Step::Reseed && finishedPasses >= 2) {
            const auto previous = static_cast<int>((finishedPasses - 1) % 2);
            previousPatternShownAtReseed.push_back(canvasImage(form) == expectedCanvas(previous));
        }
    };
    clickThroughWindow(form, command1Centre(form));
    EXPECT_TRUE(QTest::qWaitFor([&] { return passesIn(journal) >= 4; }, 5000));
    QTest::qWait(100);
    EXPECT_EQ(passesIn(journal), 4);
    EXPECT_EQ(previousPatternShownAtReseed, (std::vector<bool>{true, true}));
    EXPECT_EQ(canvasImage(form), expectedCanvas(1));
}

TEST_F(Form1Presses, ANewPatternIsDrawnOverTheOldWithoutBlanking) {
    const QImage first = canvasImage(form);

    std::optional<QImage> duringTheDraws;
    source.onCall = [&](Step step) {
        if (step == Step::NextUniform && !duringTheDraws) {
            duringTheDraws = canvasImage(form);
        }
    };
    clickThroughWindow(form, command1Centre(form));
    ASSERT_TRUE(duringTheDraws.has_value());
    EXPECT_EQ(*duringTheDraws, first);
    EXPECT_NE(canvasImage(form), first);
}

// The platform's copy shortcut, wherever the focus is, copies the pattern's own 500 x 500
// pixels, not what a dense display shows of them; a later pattern leaves the copy alone.
TEST_F(Form1Presses, CopyPutsThePatternsOwnPixelsOnTheClipboardWhereverTheFocusIs) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    QTest::keySequence(&form, QKeySequence::Copy);
    EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32), expectedCanvas(0));
    // PNG first, for a clipboard manager that keeps only the first type once the program
    // is gone; and the same pattern copied again leaves the copy there is in place.
    const QMimeData* copy = clipboard->mimeData();
    ASSERT_NE(copy, nullptr);
    ASSERT_FALSE(copy->formats().isEmpty());
    EXPECT_EQ(copy->formats().first(), QStringLiteral("image/png"));
    EXPECT_EQ(QImage::fromData(copy->data(QStringLiteral("image/png")), "PNG")
                  .convertToFormat(QImage::Format_RGB32),
              expectedCanvas(0));
    QTest::keySequence(&form, QKeySequence::Copy);
    EXPECT_EQ(clipboard->mimeData(), copy);

    clickThroughWindow(form, command1Centre(form));
    ASSERT_EQ(canvasImage(form), expectedCanvas(1));
    EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32), expectedCanvas(0));

    command1Of(form)->setFocus();
    QTest::keySequence(command1Of(form), QKeySequence::Copy);
    EXPECT_EQ(clipboard->image().convertToFormat(QImage::Format_RGB32), expectedCanvas(1));
    EXPECT_EQ(passesIn(journal), 2) << "copying drew a pattern";
}

TEST(Canvas, ShowsTheChannelsInTheirPlacesAndClipsOutsideItsInterior) {
    ScriptedRandomSource source(twoPatterns);
    Form1 form;
    Canvas& canvas = form.canvas();
    canvas.plot(0, 0, 0x000000FF);
    canvas.plot(1, 0, 0x00FF0000);
    canvas.plot(499, 499, 0x0000FF00);
    const QImage before = canvasImage(form);
    EXPECT_EQ(before.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(before.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(before.pixel(499, 499), qRgb(0, 255, 0));

    const std::array<std::array<int, 2>, 12> outside = {{{500, 0},
                                                         {0, 500},
                                                         {500, 500},
                                                         {-1, 0},
                                                         {0, -1},
                                                         {INT_MIN, 0},
                                                         {0, INT_MIN},
                                                         {INT_MAX, 3},
                                                         {3, INT_MAX},
                                                         {INT_MIN, INT_MAX},
                                                         {-500, -500},
                                                         {1000, 250}}};
    for (const auto& point : outside) {
        canvas.plot(point[0], point[1], 0x00FFFFFF);
    }
    form.clearWindowDrawing();
    EXPECT_EQ(canvasImage(form), before);
}

TEST(Canvas, EveryPointIsPaintedAsOneSharpSquareAtAnyScale) {
    ScriptedRandomSource source(twoPatterns);
    Form1 form;
    const QImage painted = picture1Of(form)->grab().toImage();
    const int scale = painted.width() / 500;
    ASSERT_EQ(painted.size(), QSize(500 * scale, 500 * scale));
    const QImage points = canvasImage(form);
    for (int y = 0; y < painted.height(); ++y) {
        for (int x = 0; x < painted.width(); ++x) {
            ASSERT_EQ(painted.pixel(x, y), points.pixel(x / scale, y / scale))
                << "at (" << x << ", " << y << ")";
        }
    }
}

// Back and forward, and a code pasted, wherever the focus is, redraw the run's patterns; a
// paste that names none says why and leaves the pattern as it was.
TEST_F(Form1Presses, BackForwardAndAPastedCodeRedrawPatternsWhereverTheFocusIs) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    const QString firstCode = picture1Of(form)->toolTip().section(QLatin1Char(' '), -1);
    clickThroughWindow(form, command1Centre(form));
    command1Of(form)->setFocus();

    QTest::keySequence(command1Of(form), QKeySequence::Undo);
    EXPECT_EQ(canvasImage(form), expectedCanvas(0));
    EXPECT_TRUE(picture1Of(form)->toolTip().endsWith(firstCode));
    QTest::keySequence(command1Of(form), QKeySequence::Redo);
    EXPECT_EQ(canvasImage(form), expectedCanvas(1));

    // Shift+F10 opens the canvas's menu, with every action, over the canvas.
    QTimer::singleShot(0, [] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr) << "no menu";
        EXPECT_EQ(menu->actions().size(), 7);
        menu->close();
    });
    QTest::keyClick(command1Of(form), Qt::Key_F10, Qt::ShiftModifier);
    form.activateWindow(); // as the offscreen platform does not, once the menu has gone
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    QGuiApplication::clipboard()->setText(firstCode.toLower());
    QTest::keySequence(command1Of(form), QKeySequence::Paste);
    EXPECT_EQ(canvasImage(form), expectedCanvas(0));

    // What the image reader must refuse: a PNG cut short, and one whose code text is far
    // longer than any code.
    QImage longText = expectedCanvas(1);
    longText.setText(QStringLiteral("Pattern"), QString(100'000, QLatin1Char('x')));
    QByteArray longTextPng;
    QBuffer longTextBuffer(&longTextPng);
    ASSERT_TRUE(longTextBuffer.open(QIODevice::WriteOnly) && longText.save(&longTextBuffer, "png"));
    auto* unreadable = new QMimeData;
    unreadable->setData(QStringLiteral("image/png"), longTextPng.left(longTextPng.size() / 2));
    auto* tooLong = new QMimeData;
    tooLong->setData(QStringLiteral("image/png"), longTextPng);
    auto* text = new QMimeData;
    text->setText(QStringLiteral("not a code"));
    QStringList said;
    for (QMimeData* offered : {unreadable, tooLong, text}) {
        QGuiApplication::clipboard()->setMimeData(offered);
        QTest::keySequence(command1Of(form), QKeySequence::Paste);
        auto* problem = form.findChild<QMessageBox*>(QStringLiteral("Problem"));
        ASSERT_NE(problem, nullptr) << said.size();
        said << problem->text();
        delete problem; // as when dismissed; the offscreen platform then activates nothing
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }
    const QString wrongLength = QString::fromStdString(whyNoCode(CodeProblem::WrongLength));
    EXPECT_EQ(said, QStringList({QString::fromLatin1(notAnImage), wrongLength, wrongLength}));
    EXPECT_EQ(canvasImage(form), expectedCanvas(0));
    EXPECT_EQ(picture1Of(form)->toolTip().section(QLatin1Char(' '), -1), firstCode);
}

// Ctrl+S offers the code's name in the user's Pictures folder; accepted, it writes exactly
// the canvas with the code kept in the PNG, which opening again draws.
TEST_F(Form1Presses, SaveWritesTheCanvasWithItsCodeIntoPicturesAndOpenDrawsItAgain) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTemporaryDir home;
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("config")) &&
                QDir(home.path()).mkpath(QStringLiteral("My Pictures")));
    QFile userDirs(home.filePath(QStringLiteral("config/user-dirs.dirs")));
    ASSERT_TRUE(userDirs.open(QIODevice::WriteOnly));
    userDirs.write("XDG_PICTURES_DIR=\"" + home.filePath(QStringLiteral("My Pictures")).toUtf8() +
                   "\"\n");
    userDirs.close();
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toUtf8());
    const QString code = picture1Of(form)->toolTip().section(QLatin1Char(' '), -1);

    answerFileDialog([](QFileDialog* dialog) { QTest::keyClick(dialog, Qt::Key_Return); });
    QTest::keySequence(&form, QKeySequence::Save);
    qunsetenv("XDG_CONFIG_HOME");
    const QString saved = home.filePath(QStringLiteral("My Pictures/pattern-") + code + ".png");
    QImageReader reader(saved);
    const QImage image = reader.read();
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), expectedCanvas(0))
        << saved.toStdString();
    EXPECT_EQ(image.text(QStringLiteral("Pattern")), code);
    EXPECT_TRUE(
        image.text(QStringLiteral("Software")).startsWith(QStringLiteral("Pattern generator ")));
    EXPECT_EQ(QDir(home.filePath(QStringLiteral("My Pictures"))).entryList(QDir::Files).size(), 1);

    // A folder no file can be made in, even by the superuser, and a small one: the dialogs
    // list the folder they start in, which the next one does, and /proc itself takes them
    // seconds. The box names the file and the system's reason, and the pattern stays.
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    answerFileDialog([](QFileDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(QStringLiteral("/proc/sys/dev/pattern.png"));
        QTest::keyClick(name, Qt::Key_Return);
    });
    QTest::keySequence(&form, QKeySequence::Save);
    auto* problem = form.findChild<QMessageBox*>(QStringLiteral("Problem"));
    ASSERT_NE(problem, nullptr) << "a failed save said nothing";
    EXPECT_TRUE(
        problem->text().startsWith(QStringLiteral("Could not save /proc/sys/dev/pattern.png: ")))
        << problem->text().toStdString();
    EXPECT_GT(problem->text().size(),
              QStringLiteral("Could not save /proc/sys/dev/pattern.png: .").size());
    delete problem;
    EXPECT_EQ(canvasImage(form), expectedCanvas(0));
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));

    clickThroughWindow(form, command1Centre(form));
    ASSERT_EQ(canvasImage(form), expectedCanvas(1));
    answerFileDialog([saved](QFileDialog* dialog) {
        // Typed into the name box, as a user would: the dialog lists its folder only later.
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(name, nullptr);
        name->setText(saved);
        QTest::keyClick(name, Qt::Key_Return);
    });
    // The offscreen platform has no window manager to give the window back its activation
    // once the dialog has gone.
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    QTest::keySequence(&form, QKeySequence::Open);
    EXPECT_EQ(canvasImage(form), expectedCanvas(0));

    // The file dropped on the canvas from elsewhere draws its pattern too.
    clickThroughWindow(form, command1Centre(form));
    ASSERT_EQ(canvasImage(form), expectedCanvas(1));
    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(saved)});
    const QPointF centre = QRectF(picture1Of(form)->rect()).center();
    QDragEnterEvent enter(centre.toPoint(), Qt::CopyAction, &file, Qt::LeftButton, {});
    QCoreApplication::sendEvent(picture1Of(form), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(centre, Qt::CopyAction, &file, Qt::LeftButton, {});
    QCoreApplication::sendEvent(picture1Of(form), &drop);
    EXPECT_EQ(canvasImage(form), expectedCanvas(0));
    EXPECT_EQ(form.findChild<QMessageBox*>(), nullptr);
}
