// The real program under a window manager (started around these tests by their main), as
// users run it: what only a window manager does to a window, what must not change, and how
// a user keeps a pattern: copied, pasted by another program, or dragged out to one.

#include "form1_layout.h"
#include "program_on_screen_fixture.h"
#include "wait_until.h"

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// Long enough for a pass that should not have happened to have reached the screen.
constexpr auto settle = 600ms;

// The middle of the canvas, in the window's own coordinates.
constexpr int canvasCentreX = layout::centreX(layout::picture1);
constexpr int canvasCentreY = layout::centreY(layout::picture1);

class UnderAWindowManager : public ProgramOnScreen {
protected:
    explicit UnderAWindowManager(const ChildProcess::Options& options = {})
        : ProgramOnScreen(options) {}

    void SetUp() override {
        ASSERT_TRUE(session.windowManagerRunning())
            << "no window manager: run from this suite's main";
        ProgramOnScreen::SetUp();
    }

    // Waits until the canvas shows shown again, after something that must not change it.
    bool showsAgain(const ScreenPixels& shown) {
        return waitUntil([&] { return canvasPixels(session, form1) == shown; }, 20s);
    }
};

// A home of the tests' own, with a Pictures folder.
const QTemporaryDir& testHome() {
    static const QTemporaryDir home;
    return home;
}

std::filesystem::path testPictures() {
    return std::filesystem::path(testHome().path().toStdString()) / "Pictures";
}

// The Linux program finds the user's Pictures through the XDG user folders of its
// configuration, read when it starts.
ChildProcess::Options withPictures(const std::filesystem::path& pictures) {
    const std::filesystem::path config =
        std::filesystem::path(testHome().path().toStdString()) / "config";
    std::filesystem::create_directories(config);
    std::ofstream(config / "user-dirs.dirs")
        << "XDG_PICTURES_DIR=\"" << pictures.string() << "\"\n";
    return {.set = {{"XDG_CONFIG_HOME", config.string()}}};
}

// The Windows program finds it through its prefix's link to the user's own folder, read
// when it saves.
void linkWindowsPictures(const std::filesystem::path& pictures) {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix == nullptr) {
        return;
    }
    for (const auto& user :
         std::filesystem::directory_iterator(std::filesystem::path(prefix) / "drive_c/users")) {
        if (std::filesystem::is_symlink(user.path() / "Pictures")) {
            std::filesystem::remove(user.path() / "Pictures");
            std::filesystem::create_directory_symlink(pictures, user.path() / "Pictures");
        }
    }
}

// Either program, with its Pictures folder where the test says.
class KeepingPatterns : public UnderAWindowManager {
protected:
    explicit KeepingPatterns(std::filesystem::path pictures = testPictures())
        : UnderAWindowManager(withPictures(pictures)), m_pictures(std::move(pictures)) {}

    void SetUp() override {
        if (m_pictures == testPictures()) {
            std::filesystem::remove_all(m_pictures);
            std::filesystem::create_directories(m_pictures);
        }
        linkWindowsPictures(m_pictures);
        UnderAWindowManager::SetUp();
    }

    // A window of the program's over Form1, a dialog or a message box, has the keyboard.
    bool form1Active() { return session.activeWindow() == form1; }

private:
    std::filesystem::path m_pictures;
};

// Pictures is a folder no file can be made in, not even by the superuser, and a small one,
// which a dialog lists at once.
class SavingWhereNoFileCanBeMade : public KeepingPatterns {
protected:
    SavingWhereNoFileCanBeMade() : KeepingPatterns("/proc/sys/dev") {}
};

QByteArray pngOf(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace

// The fixture has waited for the window manager to make the window active and focused.
TEST_F(UnderAWindowManager, TheWindowIsActiveAndTheKeyboardStartsOnTheCanvas) {
    // Space on the canvas presses nothing.
    session.pressKey("space");
    std::this_thread::sleep_for(settle);
    EXPECT_EQ(canvasPixels(session, form1), first);

    // Tab moves the focus to "new", and Space presses it: one new pattern, then no other.
    session.pressKey("Tab");
    session.pressKey("space");
    const std::optional<ScreenPixels> second = waitForPattern(session, form1, first);
    ASSERT_TRUE(second.has_value()) << "Tab then Space drew no new pattern";
    std::this_thread::sleep_for(settle);
    EXPECT_EQ(canvasPixels(session, form1), *second);
}

TEST_F(UnderAWindowManager, AWindowShrunkBelowItsLayoutKeepsItWhole) {
    session.resize(form1, 300, 200);
    std::this_thread::sleep_for(settle);
    const auto size = session.size(form1);
    ASSERT_TRUE(size.has_value());
    EXPECT_GE(size->first, layout::smallestClientWidth);
    EXPECT_GE(size->second, layout::smallestClientHeight);
    EXPECT_EQ(canvasPixels(session, form1), first);
}

TEST_F(UnderAWindowManager, CoveringAndMinimisingLeaveEveryCanvasPixelAsItWas) {
    const XSession::WindowId cover = session.cover();
    std::this_thread::sleep_for(settle);
    EXPECT_NE(canvasPixels(session, cover), first) << "the cover did not cover the canvas";
    session.destroy(cover);
    EXPECT_TRUE(showsAgain(first)) << "uncovered, the canvas shows something else";

    session.minimise(form1);
    std::this_thread::sleep_for(settle);
    EXPECT_FALSE(session.waitForWindow("Form1", 0ms).has_value()) << "not minimised";
    session.restore(form1);
    ASSERT_TRUE(session.waitForWindow("Form1", 20s).has_value()) << "not restored";
    EXPECT_TRUE(showsAgain(first)) << "restored, the canvas shows something else";
    std::this_thread::sleep_for(settle);
    EXPECT_EQ(canvasPixels(session, form1), first);
}

TEST_F(UnderAWindowManager, TheFramesCloseButtonEndsTheProgramWithStatusZero) {
    session.closeThroughWindowManager(form1);
    const std::optional<ChildProcess::Ending> ending = program.waitForExit(20s);
    ASSERT_TRUE(ending.has_value()) << "the program did not end";
    EXPECT_TRUE(ending->exited) << "ended by signal " << ending->code;
    EXPECT_EQ(ending->code, 0);
}

TEST_F(UnderAWindowManager, ControlCCopiesThePatternShownAndANewPatternLeavesTheCopyAlone) {
    session.pressKey("c", "Control_L");
    EXPECT_TRUE(waitUntil([&] { return pastedImage() == first; }, 20s))
        << "what is pasted is not what the canvas shows";

    pressNew(session, form1); // the focus goes to "new" with the click
    const std::optional<ScreenPixels> second = waitForPattern(session, form1, first);
    ASSERT_TRUE(second.has_value()) << "no new pattern";
    EXPECT_EQ(pastedImage(), first) << "the copy changed with the canvas";

    session.pressKey("c", "Control_L");
    ScreenPixels pasted;
    EXPECT_TRUE(waitUntil(
        [&] {
            pasted = pastedImage();
            return pasted == *second;
        },
        20s))
        << "with the focus on \"new\", Ctrl+C copied nothing new: a paste gave "
        << whatWasPasted(pasted, first);
    EXPECT_EQ(canvasPixels(session, form1), *second) << "copying drew a pattern";
}

// Quick input on the canvas, as a touchpad tap or a quick hand sends it. openbox holds each
// press to raise the window, so the program can see the pointer move before the release
// comes: none of it may start a drag, nor draw a pattern.
TEST_F(UnderAWindowManager, QuickClicksOnTheCanvasStartNoDragAndDrawNothing) {
    using Step = XSession::PointerStep;
    const Step press{Step::press};
    const Step release{Step::release};
    const Step away{Step::move, canvasCentreX + 120, canvasCentreY + 40};
    const Step jitter{Step::move, canvasCentreX + 2, canvasCentreY};
    struct QuickInput {
        const char* name;
        std::vector<std::vector<Step>> flushes;
    };
    const std::vector<QuickInput> inputs = {
        {"a click and a move in one flush", {{press, release, away}}},
        {"a click, then a move at once", {{press, release}, {away}}},
        {"a double-click and a move in one flush", {{press, release, press, release, away}}},
        {"a press, 2 px of jitter and a release", {{press, jitter, release}, {away}}},
    };
    for (int round = 1; round <= 20; ++round) {
        for (const QuickInput& input : inputs) {
            session.movePointer(form1, canvasCentreX, canvasCentreY);
            for (const std::vector<Step>& flush : input.flushes) {
                session.sendAtOnce(form1, flush);
            }
            // A drag under way would hold on until the next click, which the next round is.
            // The window manager's hold of a click, and a busy program's of the pointer
            // while it tells a click from a drag, end once they have handled the input.
            std::this_thread::sleep_for(100ms);
            ASSERT_TRUE(waitUntil([&] { return !session.dragUnderWay(); }, 3s))
                << input.name << " started a drag, round " << round;
        }
    }
    std::this_thread::sleep_for(settle);
    EXPECT_EQ(canvasPixels(session, form1), first) << "a click on the canvas drew a pattern";
}

TEST_F(UnderAWindowManager, DraggingTheCanvasOutHandsThePatternToAnotherProgram) {
    const QTemporaryDir folder;
    const std::string dropped = folder.filePath(QStringLiteral("dropped.png")).toStdString();
    const std::string entered = dropped + ".entered";
    ChildProcess target(DROP_TARGET, {dropped});
    const std::optional<XSession::WindowId> targetWindow =
        waitForWindowOf(session, target, "Drop target");
    ASSERT_TRUE(targetWindow.has_value()) << target.standardError();

    // Down on the canvas, past the drag distance, over the other program, and let go once it
    // has accepted the drag.
    session.movePointer(form1, canvasCentreX, canvasCentreY);
    session.pressButton();
    for (int step = 1; step <= 5; ++step) {
        std::this_thread::sleep_for(20ms);
        session.movePointer(form1, canvasCentreX + 5 * step, canvasCentreY);
    }
    int wiggle = 0;
    const bool accepted = waitUntil(
        [&] {
            session.movePointer(*targetWindow, 60 + wiggle % 2, 60);
            ++wiggle;
            return std::filesystem::exists(entered);
        },
        20s);
    session.releaseButton();
    ASSERT_TRUE(accepted) << "the drag never reached the other program";
    ASSERT_TRUE(waitUntil([&] { return std::filesystem::exists(dropped); }, 20s))
        << "nothing was dropped";
    EXPECT_EQ(imagePixels(QImage(QString::fromStdString(dropped))), first);
    EXPECT_EQ(canvasPixels(session, form1), first) << "the drag drew a pattern";
}

// Ctrl+S saves into the user's Pictures, under the name the dialog offers: the canvas's own
// pixels, with the code kept in the PNG. A code copied from the Linux program draws what
// the Linux program draws, on either program, and a PNG pasted draws the pattern it keeps;
// what names no pattern says so in a box of its own and leaves the pattern as it was.
TEST_F(KeepingPatterns, SavedIntoPicturesAndDrawnAgainFromACodeOrPngPasted) {
    session.pressKey("s", "Control_L");
    ASSERT_TRUE(waitUntil([&] { return !form1Active(); }, 20s)) << "no save dialog";
    session.pressKey("Return");
    // Nothing else is left there, such as the file written first and renamed.
    std::filesystem::path saved;
    ASSERT_TRUE(waitUntil(
        [&] {
            const std::vector<std::filesystem::path> files(
                std::filesystem::directory_iterator(testPictures()), {});
            saved = files.size() == 1 ? files[0] : std::filesystem::path();
            return saved.extension() == ".png";
        },
        20s))
        << "Pictures does not hold one PNG alone";
    QImageReader reader(QString::fromStdString(saved.string()));
    const QImage image = reader.read();
    EXPECT_EQ(imagePixels(image), first) << saved;
    const QString code = image.text(QStringLiteral("Pattern"));
    EXPECT_EQ(saved.filename().string(), "pattern-" + code.toStdString() + ".png");
    ASSERT_TRUE(waitUntil([&] { return form1Active(); }, 20s));

    // A code pinned to its pattern on every platform, as typed.
    const ScreenPixels linuxPixels = canvasOfCode("NQT9XN1AXGV9EAEP");
    copyToClipboard("nqt9-xn1a xgv9-eaep", QStringLiteral("UTF8_STRING"));
    session.pressKey("v", "Control_L");
    EXPECT_TRUE(showsAgain(linuxPixels)) << "the code did not draw what the Linux program draws";

    QFile savedFile(QString::fromStdString(saved.string()));
    ASSERT_TRUE(savedFile.open(QIODevice::ReadOnly));
    const QByteArray savedPng = savedFile.readAll();
    struct BadInput {
        QByteArray data;
        const char* type;
    };
    const std::array<BadInput, 4> badInputs = {{
        {savedPng.left(savedPng.size() / 2), "image/png"},        // cut short
        {pngOf(QImage(8, 8, QImage::Format_RGB32)), "image/png"}, // without a code
        {"not a code", "UTF8_STRING"},
        {"NQT9XN1AXGV9EAEQ", "UTF8_STRING"}, // its check fails
    }};
    for (const auto& bad : badInputs) {
        copyToClipboard(bad.data, QString::fromLatin1(bad.type));
        session.pressKey("v", "Control_L");
        EXPECT_TRUE(waitUntil([&] { return !form1Active(); }, 20s))
            << bad.data.left(20).toStdString() << " was not refused in a box of its own";
        session.pressKey("Return"); // dismissed, as a user does
        ASSERT_TRUE(waitUntil([&] { return form1Active(); }, 20s));
    }
    EXPECT_TRUE(showsAgain(linuxPixels)) << "a paste that names no pattern changed the canvas";

    copyToClipboard(savedPng, QStringLiteral("image/png"));
    session.pressKey("v", "Control_L");
    EXPECT_TRUE(showsAgain(first)) << "the saved PNG, pasted, did not draw its pattern";
    session.pressKey("z", "Control_L");
    EXPECT_TRUE(showsAgain(linuxPixels)) << "back did not go to the pasted code's pattern";
    session.pressKey("z", "Control_L", "Shift_L");
    EXPECT_TRUE(showsAgain(first)) << "forward did not come back";
}

// The dialog offers Pictures, where the save fails: a box of its own says so, captioned as
// the window, and once it is dismissed the pattern is as it was.
TEST_F(SavingWhereNoFileCanBeMade, SaysSoInABoxAndLeavesThePattern) {
    session.pressKey("s", "Control_L");
    std::optional<XSession::WindowId> dialog;
    ASSERT_TRUE(waitUntil(
        [&] {
            dialog = session.activeWindow();
            return dialog && *dialog != form1;
        },
        20s))
        << "no save dialog";
    session.pressKey("Return");
    EXPECT_TRUE(waitUntil(
        [&] {
            const std::optional<XSession::WindowId> active = session.activeWindow();
            return active && *active != form1 && *active != *dialog &&
                   session.caption(*active) == "Form1";
        },
        20s))
        << "the failed save said nothing";
    session.pressKey("Return");
    ASSERT_TRUE(waitUntil([&] { return form1Active(); }, 20s));
    EXPECT_TRUE(showsAgain(first));
}
