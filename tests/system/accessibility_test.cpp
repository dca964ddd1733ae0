// The real program as a screen reader sees it: its window, canvas and button through
// AT-SPI, by a real assistive-technology client, under a window manager. Run on an X server
// with the accessibility bus (see CMakeLists.txt).

#include "program_on_screen_fixture.h"
#include "wait_until.h"

#include <chrono>
#include <optional>
#include <string>
#include <thread>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// What the client says of the program with process id pid, or its failure.
QByteArray askClient(long long pid, const QStringList& command) {
    QProcess client;
    client.start(QStringLiteral("/usr/bin/python3"),
                 QStringList{QStringLiteral(ACCESSIBILITY_CLIENT), QString::number(pid)} + command);
    client.waitForFinished(30000);
    EXPECT_EQ(client.exitCode(), 0) << client.readAllStandardError().toStdString();
    return client.readAllStandardOutput();
}

// The first accessible of the role in the tree the client described.
std::optional<QJsonObject> withRole(const QJsonArray& tree, const char* role) {
    for (const auto& node : tree) {
        if (node.toObject().value(QStringLiteral("role")).toString() == QLatin1String(role)) {
            return node.toObject();
        }
    }
    return std::nullopt;
}

class AsAScreenReaderSeesIt : public ProgramOnScreen {
protected:
    AsAScreenReaderSeesIt()
        : ProgramOnScreen({.set = {{"QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1"}}}) {}
};

} // namespace

TEST_F(AsAScreenReaderSeesIt, AFrameWithAnImageAndAPushButtonThatSayWhatTheyAre) {
    const QJsonArray tree =
        QJsonDocument::fromJson(askClient(program.processId(), {QStringLiteral("describe")}))
            .array();
    ASSERT_FALSE(tree.isEmpty());

    const std::optional<QJsonObject> frame = withRole(tree, "frame");
    ASSERT_TRUE(frame.has_value()) << QJsonDocument(tree).toJson().toStdString();
    EXPECT_EQ(frame->value(QStringLiteral("name")).toString(), QStringLiteral("Form1"));
    EXPECT_TRUE(frame->value(QStringLiteral("active")).toBool());

    const std::optional<QJsonObject> image = withRole(tree, "image");
    ASSERT_TRUE(image.has_value()) << QJsonDocument(tree).toJson().toStdString();
    EXPECT_EQ(image->value(QStringLiteral("name")).toString(), QStringLiteral("Pattern"));
    // The pattern's code, and what can be done with it, as its context menu offers.
    const QString description = image->value(QStringLiteral("description")).toString();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^Pattern [0-9A-Z]{16}\\. Copy"))
                    .match(description)
                    .hasMatch())
        << description.toStdString();
    const QJsonArray actions = image->value(QStringLiteral("actions")).toArray();
    for (const char* action : {"Copy", "Copy code", "Save", "Open", "Paste", "Back", "Forward"}) {
        EXPECT_TRUE(actions.contains(QString::fromLatin1(action))) << action;
    }
    EXPECT_TRUE(image->value(QStringLiteral("focused")).toBool()) << "the canvas has no focus";

    const std::optional<QJsonObject> button = withRole(tree, "push button");
    ASSERT_TRUE(button.has_value()) << QJsonDocument(tree).toJson().toStdString();
    EXPECT_EQ(button->value(QStringLiteral("name")).toString(), QStringLiteral("New pattern"));
    EXPECT_TRUE(
        button->value(QStringLiteral("actions")).toArray().contains(QStringLiteral("Press")));
    EXPECT_FALSE(withRole(tree, "filler").has_value()) << "something is a plain container";
}

TEST_F(AsAScreenReaderSeesIt, PressingNewThroughItDrawsOneNewPattern) {
    askClient(program.processId(),
              {QStringLiteral("act"), QStringLiteral("New pattern"), QStringLiteral("Press")});
    const std::optional<ScreenPixels> second = waitForPattern(session, form1, first);
    ASSERT_TRUE(second.has_value()) << "no new pattern";
    std::this_thread::sleep_for(600ms);
    EXPECT_EQ(canvasPixels(session, form1), *second) << "more than one pattern was drawn";
}

// The canvas's actions do what its menu does: Copy puts the pattern on the clipboard, and
// Back, after "new", brings it back.
TEST_F(AsAScreenReaderSeesIt, TheCanvasActionsCopyAndGoBack) {
    askClient(program.processId(),
              {QStringLiteral("act"), QStringLiteral("Pattern"), QStringLiteral("Copy")});
    EXPECT_EQ(pastedImage(), first) << "what is pasted is not what the canvas shows";
    EXPECT_EQ(canvasPixels(session, form1), first) << "copying drew a pattern";

    askClient(program.processId(),
              {QStringLiteral("act"), QStringLiteral("New pattern"), QStringLiteral("Press")});
    ASSERT_TRUE(waitForPattern(session, form1, first).has_value()) << "no new pattern";
    askClient(program.processId(),
              {QStringLiteral("act"), QStringLiteral("Pattern"), QStringLiteral("Back")});
    EXPECT_TRUE(waitUntil([&] { return canvasPixels(session, form1) == first; }, 20s))
        << "Back did not bring the first pattern back";
}
