#include "transfer/ui/TfrmToolConsole.h"

#include "TestTempDir.h"
#include "support/ui/DialogScript.h"
#include "transfer/ToolRun.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <filesystem>

using namespace ndlemo;
using ndlemo::test::Child;
using ndlemo::test::TTestTempDir;
namespace fs = std::filesystem;

namespace {
std::string ScriptLine(const TTestTempDir& dir, const std::string& body) {
    dir.WriteFile("tool", "#!/bin/sh\n" + body);
    fs::permissions(dir.Path() / "tool", fs::perms::owner_all);
    return "\"" + (dir.Path() / "tool").string() + "\"";
}

// A stand-in for the main window: a field and a button that must not react while a tool runs.
class TMainWindow : public QWidget {
public:
    TMainWindow() {
        auto* layout = new QVBoxLayout(this);
        Edit = new QLineEdit(this);
        Button = new QPushButton("Odeslat", this);
        layout->addWidget(Edit);
        layout->addWidget(Button);
        QObject::connect(Button, &QPushButton::clicked, [this] { ++Clicks; });
    }
    QLineEdit* Edit;
    QPushButton* Button;
    int Clicks = 0;
};
} // namespace

TEST(TfrmToolConsole, ShowsTheToolAndItsOutputWhileTheWindowPaintsButTakesNoInput) {
    TTestTempDir dir;
    TMainWindow window;
    window.show();
    TfrmToolConsole console(&window);
    auto* output = Child<QPlainTextEdit>(console, "memVystup");
    ASSERT_NE(output, nullptr);

    struct {
        bool Ran = false;
        bool Visible = false;
        QString Tool;
        QString Shown;
    } during;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        during.Ran = true;
        during.Visible = console.isVisible();
        during.Tool = Child<QLabel>(console, "lblNastroj")->text();
        during.Shown = output->toPlainText();
        window.Edit->setFocus();
        QTest::keyClicks(window.Edit, "abc");
        QTest::mouseClick(window.Button, Qt::LeftButton);
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    timer.start(200);

    const TToolResult result = RunTool(console, "pscp.exe",
                                       ScriptLine(dir, "printf 'P.zip |  50%%\\r'; sleep 0.6; "
                                                       "printf 'P.zip | 100%%\\r\\n'; echo hotovo >&2"),
                                       dir.Path());
    EXPECT_EQ(result.ExitCode, 0);
    // Timers ran while the tool ran: the event loop turned, so the window was painted.
    EXPECT_TRUE(during.Ran);
    EXPECT_TRUE(during.Visible);
    EXPECT_EQ(during.Tool.toStdString(), "pscp.exe");
    EXPECT_EQ(during.Shown.toStdString(), "P.zip |  50%");
    // The input was dropped, not kept for later.
    EXPECT_EQ(window.Edit->text().toStdString(), "");
    EXPECT_EQ(window.Clicks, 0);
    EXPECT_FALSE(console.isVisible());
    EXPECT_EQ(output->toPlainText().toStdString(), "P.zip | 100%\nhotovo\n");

    QCoreApplication::processEvents();
    EXPECT_EQ(window.Edit->text().toStdString(), "");
    QTest::keyClicks(window.Edit, "x");
    QTest::mouseClick(window.Button, Qt::LeftButton);
    EXPECT_EQ(window.Edit->text().toStdString(), "x");
    EXPECT_EQ(window.Clicks, 1);
}

TEST(TfrmToolConsole, ItsButtonEndsAToolThatHangs) {
    TTestTempDir dir;
    TfrmToolConsole console;
    auto* output = Child<QPlainTextEdit>(console, "memVystup");
    auto* stop = Child<QPushButton>(console, "bbtnUkoncit");
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text().toStdString(), "Ukončit nástroj");

    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (output->toPlainText().contains("waiting") && stop->isEnabled())
            QTest::mouseClick(stop, Qt::LeftButton);
    });
    timer.start(50);
    const TToolResult result =
        RunTool(console, "plink.exe", ScriptLine(dir, "echo waiting >&2; exec sleep 60"), dir.Path());
    timer.stop();
    EXPECT_NE(result.ExitCode, 0);
    EXPECT_EQ(result.Reason, "waiting");
    EXPECT_FALSE(console.isVisible());

    // The next tool starts with a fresh console.
    const TToolResult next = RunTool(console, "md5sum.exe", ScriptLine(dir, "echo OK"), dir.Path());
    EXPECT_EQ(next.ExitCode, 0);
    EXPECT_TRUE(stop->isEnabled());
    EXPECT_EQ(output->toPlainText().toStdString(), "OK\n");
}
