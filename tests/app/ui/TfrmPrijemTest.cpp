#include "app/ui/TfrmPrijem.h"
#include "app/TPrijemController.h"
#include "app/ui/ProgramEntry.h"
#include "platform/TSingleInstanceLock.h"
#include "support/TScriptedMessageBoxes.h"

#include "TestTempDir.h"
#include "transfer/THttpTestServer.h"
#include "transfer/ui/TfrmDlgHttpInfo.h"

#include <QAction>
#include <QApplication>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>

using namespace ndlemo;
namespace fs = std::filesystem;

namespace {
class MainWindowFixture : public ::testing::Test {
protected:
    test::TTestTempDir m_Temp{"win"};
    const fs::path m_Dir = m_Temp.Path();
    TScriptedMessageBoxes m_Boxes;
};

QAction* ActionNamed(QWidget& w, const char* name) {
    return w.findChild<QAction*>(name);
}
} // namespace

TEST_F(MainWindowFixture, SecondInstanceIsRefusedBeforeAnyWindow) {
    platform::TSingleInstanceLock first("ProgramNdLemo", m_Dir);
    ASSERT_TRUE(first.TryAcquire());
    TProgramOptions options{m_Dir, m_Dir / "NdLemo", m_Dir, false};
    EXPECT_EQ(RunProgram(options), 0);
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Kind, 'P');
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Program NdLemo je již spuštěn.");
    EXPECT_TRUE(first.Held());
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<TfrmPrijem*>(w), nullptr);
}

TEST_F(MainWindowFixture, ActionsCarryTheirCaptionsHintsAndShortcuts) {
    TPrijemController controller(m_Dir, m_Dir / "NdLemo");
    TfrmPrijem window(controller);
    for (const auto& def : TActionRules::Actions()) {
        QAction* a = ActionNamed(window, std::string(def.Name).c_str());
        ASSERT_NE(a, nullptr) << def.Name;
        EXPECT_EQ(a->text().toStdString(), def.Caption);
        EXPECT_EQ(a->toolTip().toStdString(), def.Hint);
    }
    EXPECT_EQ(ActionNamed(window, "acKontrola")->shortcut(), QKeySequence("Ctrl+K"));
    EXPECT_EQ(ActionNamed(window, "acNovyPrijem")->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(ActionNamed(window, "acOdeslat")->shortcut(), QKeySequence("Ctrl+O"));
    for (const char* name :
         {"tbrTop", "PageControlPrij", "tabSheetFak", "tabSheetLZ", "StatusBarPrij", "sbtnTestSpojeni", "sbtnHttpInfo",
          "sbtnNastaveni", "sbtnNastaveniInfo", "sbtnOdeslat", "sbtnOdeslatLZ"})
        EXPECT_NE(window.findChild<QObject*>(name), nullptr) << name;
}

TEST_F(MainWindowFixture, EnablingFollowsTabModeAndBusy) {
    TPrijemController controller(m_Dir, m_Dir / "NdLemo");
    TfrmPrijem window(controller);
    window.show();
    controller.Settings.TypPrenosu = TTransferType("UPLOAD");
    window.UpdateActions();
    auto enabled = [&](const char* name) { return ActionNamed(window, name)->isEnabled(); };
    EXPECT_TRUE(enabled("acKontrola"));
    EXPECT_TRUE(enabled("acUploadLemo"));
    EXPECT_FALSE(enabled("acTestSpojeni"));
    EXPECT_FALSE(enabled("acOdeslatLZ"));
    auto* send = window.findChild<QToolButton*>("sbtnOdeslat");
    EXPECT_EQ(send->text(), QString::fromUtf8("Vytvořit soubor"));

    window.PageControl()->setCurrentIndex(1);
    controller.Settings.TypPrenosu = TTransferType("SCP");
    window.UpdateActions();
    EXPECT_FALSE(enabled("acKontrola"));
    EXPECT_TRUE(enabled("acOdeslatLZ"));
    EXPECT_FALSE(enabled("acUploadLemoLZ"));
    EXPECT_TRUE(enabled("acTestSpojeni"));
    EXPECT_EQ(window.findChild<QToolButton*>("sbtnOdeslatLZ")->text(), QString::fromUtf8("Odeslat soubor"));

    controller.Busy = true;
    window.UpdateActions();
    for (const auto& def : TActionRules::Actions())
        EXPECT_EQ(ActionNamed(window, std::string(def.Name).c_str())->isEnabled(), def.Name == "acDlgScpIni")
            << def.Name;
    // The tab stays while busy, by program and by mouse.
    window.PageControl()->setCurrentIndex(0);
    EXPECT_EQ(window.PageControl()->currentIndex(), 1);
    controller.Busy = false;
    window.PageControl()->setCurrentIndex(0);
    EXPECT_EQ(window.PageControl()->currentIndex(), 0);
}

TEST_F(MainWindowFixture, ActionErrorsReachTheHandlerNotTheEventLoop) {
    TPrijemController controller(m_Dir, m_Dir / "NdLemo");
    controller.Created = true;
    TfrmPrijem window(controller);
    window.SetHandler(TActionId::acDlgAppIni, [] { throw std::runtime_error("Chyba akce"); });
    window.UpdateActions();
    ActionNamed(window, "acDlgAppIni")->trigger();
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Chyba akce.");
    EXPECT_FALSE(controller.EndRequested);
}

TEST_F(MainWindowFixture, InfoLemoFetchesFirstAndOpensTheDialogOnlyWhenTheFetchSucceeds) {
    test::TDeadProxyEnvironment environment;
    test::THttpTestServer server(m_Dir / "web");
    server.WriteFile("info.ini", "[General]\r\nMinVerze=1.0.0.0\r\n");
    server.Start();
    TPrijemController controller(m_Dir, m_Dir / "NdLemo");
    controller.Created = true;
    controller.Transfer.HttpAdresa = server.Url("/");
    controller.Transfer.HttpInfoFileName = "info.ini";
    TfrmPrijem window(controller);
    window.UpdateActions();

    bool shown = false;
    QTimer::singleShot(0, &window, [&] {
        auto* dialog = qobject_cast<TfrmDlgHttpInfo*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = dialog->isVisible();
        EXPECT_EQ(dialog->parentWidget(), &window);
        dialog->reject();
    });
    ActionNamed(window, "acDlgHttpInfo")->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(m_Boxes.Shown.empty());

    controller.Transfer.HttpInfoFileName = "missing.ini";
    ActionNamed(window, "acDlgHttpInfo")->trigger();
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Kind, 'E');
    EXPECT_EQ(m_Boxes.Shown[0].Text,
              "Nelze otevřít URL: \"" + server.Url("/missing.ini") + "\", chyba: \"HttpQueryInfo Status 404\"");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(controller.EndRequested);
}

TEST_F(MainWindowFixture, ALockThatCannotBeOpenedIsReportedWithItsReason) {
    TProgramOptions options{m_Dir, m_Dir / "NdLemo", m_Dir / "missing", false};
    EXPECT_EQ(RunProgram(options), 1);
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Kind, 'E');
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Zámek programu \"" + (m_Dir / "missing" / "ProgramNdLemo.lock").string() +
                                         "\" nelze otevřít: No such file or directory");
}
