#include "app/ui/TfrmPrijem.h"
#include "StartedWindow.h"
#include "app/TPrijemController.h"
#include "app/ui/ProgramEntry.h"
#include "app/ui/TfrmLogin.h"
#include "invoice/TdtmPrijem.h"
#include "platform/TSingleInstanceLock.h"
#include "reports/TReportPreview.h"
#include "support/TFileChooser.h"
#include "support/TScriptedMessageBoxes.h"
#include "support/ui/DialogScript.h"
#include "support/ui/TDBGrid.h"

#include "TestLockedFile.h"
#include "TestTempDir.h"
#include "transfer/THttpTestServer.h"
#include "transfer/ui/TfrmDlgHttpInfo.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
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
    TdtmPrijem dtm;
    TfrmPrijem window(controller, dtm);
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
    TdtmPrijem dtm;
    TfrmPrijem window(controller, dtm);
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
    TdtmPrijem dtm;
    TfrmPrijem window(controller, dtm);
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
    TdtmPrijem dtm;
    TfrmPrijem window(controller, dtm);
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

namespace {
class StartedMainWindow : public test::TStartedWindow {
protected:
    void BeforeStart() override {
        // Copies left over by a run that did not end normally.
        fs::create_directories(m_Controller.DirPracovni);
        for (const char* name : {"tmp_file.005", "tmp_lz_007", "tmp_lz_008.pdf"})
            m_Temp.WriteFile(m_Controller.DirPracovni / name, "x");
        m_Temp.WriteFile(m_Controller.DirPracovni / "jiny.txt", "x");
    }
    int BatchRows() { return Find<TDBGrid>("dbgrdPRS")->model()->rowCount(); }
};
} // namespace

TEST_F(StartedMainWindow, TheStartDeletesLeftoverCopies) {
    for (const char* name : {"tmp_file.005", "tmp_lz_007", "tmp_lz_008.pdf"})
        EXPECT_FALSE(InWork(name)) << name;
    EXPECT_TRUE(InWork("jiny.txt"));
    EXPECT_TRUE(m_Boxes.Shown.empty());
}

TEST_F(StartedMainWindow, TheShutDownDeletesTheCopies) {
    m_Chooser.Answers = {Batch("a.333"), Batch("scan")};
    Press(TActionId::acPridatSouborPrijmu);
    m_Window.PageControl()->setCurrentIndex(1);
    Press(TActionId::acPridatSouborLZ);
    ASSERT_TRUE(InWork("tmp_file.001") && InWork("tmp_lz_001"));
    m_Controller.ShutDown(&m_Window);
    EXPECT_FALSE(InWork("tmp_file.001"));
    EXPECT_FALSE(InWork("tmp_lz_001"));
    EXPECT_TRUE(fs::exists(m_Temp.Path() / "davky" / "a.333"));
}

// Ctrl+Insert and Ctrl+Delete press the buttons of the batch list, only while they are enabled, and never
// reach the grid.
TEST_F(StartedMainWindow, CtrlInsertAndCtrlDeleteOnTheBatchGrid) {
    auto* grid = Find<TDBGrid>("dbgrdPRS");
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(BatchRows(), 0);
    EXPECT_TRUE(m_Boxes.Shown.empty());

    m_Chooser.Answers = {Batch("a.333"), Batch("b.333")};
    QTest::keyClick(grid, Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(BatchRows(), 2);
    grid->selectRow(0);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(BatchRows(), 1);
    EXPECT_EQ(grid->model()->index(0, 2).data().toString(), QStringLiteral("b.333"));
    EXPECT_FALSE(InWork("tmp_file.001"));

    // While a run is busy the buttons are disabled: nothing happens.
    m_Controller.Busy = true;
    QTest::keyClick(grid, Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    m_Controller.Busy = false;
    EXPECT_EQ(m_Chooser.Opened.size(), 2u);
    EXPECT_EQ(BatchRows(), 1);
}

TEST_F(StartedMainWindow, TheReportGridHasNoKeysOfItsOwn) {
    m_Window.PageControl()->setCurrentIndex(1);
    auto* grid = Find<TDBGrid>("dbgrdLZ");
    m_Chooser.Answers = {Batch("scan.pdf")};
    Press(TActionId::acPridatSouborLZ);
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClick(grid, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(m_Chooser.Opened.size(), 1u);
    EXPECT_EQ(grid->model()->rowCount(), 1);
}

TEST_F(StartedMainWindow, RemovingIsEnabledOnlyWithFiles) {
    m_Window.UpdateActions();
    EXPECT_TRUE(ActionNamed(m_Window, "acPridatSouborPrijmu")->isEnabled());
    EXPECT_FALSE(ActionNamed(m_Window, "acOdstranitSouborPrijmu")->isEnabled());
    m_Chooser.Answers = {Batch("a.333")};
    Press(TActionId::acPridatSouborPrijmu);
    m_Window.UpdateActions();
    EXPECT_TRUE(ActionNamed(m_Window, "acOdstranitSouborPrijmu")->isEnabled());
    EXPECT_FALSE(ActionNamed(m_Window, "acOdstranitSouborLZ")->isEnabled());
}

// A leftover copy that cannot be deleted stops the start with the deletion message.
TEST_F(MainWindowFixture, ALockedLeftoverMakesTheStartFail) {
    test::TFixedRegion region(TDateTime::FromParts(2024, 3, 15, 9, 0, 0));
    for (const char* dir : {"davky", "odeslane", "upload", "pracovni"})
        fs::create_directories(m_Dir / dir);
    m_Temp.WriteFile("NdLemo.ini", Utf8ToCp1250(test::InstallationIni(m_Dir)));
    m_Temp.WriteFile("pracovni/tmp_file.005", "x");
    test::TLockedFile locked(m_Dir / "pracovni" / "tmp_file.005");
    if (!locked.Locked())
        GTEST_SKIP() << "the file system cannot lock a file";
    TPrijemController controller(m_Dir, m_Dir / "NdLemo");
    TdtmPrijem dtm;
    TfrmPrijem window(controller, dtm);
    window.Login = [] { return TLoginResult{true, "novak", "LM01"}; };
    EXPECT_FALSE(controller.StartUp(window));
    EXPECT_TRUE(controller.EndRequested);
    ASSERT_FALSE(m_Boxes.Shown.empty());
    const std::string& shown = m_Boxes.Shown.back().Text;
    EXPECT_EQ(shown.rfind("Při výmazu souborů dle masky: \"" + (m_Dir / "pracovni" / "tmp_file.*").string() +
                              "\" nastala chyba: ",
                          0),
              0u)
        << shown;
}

// The program's run: the data module and the window, with the report preview and the file chooser installed
// while it lasts, through the real login to the shut-down.
TEST_F(MainWindowFixture, TheRunInstallsThePreviewAndTheChooserWhileItLasts) {
    test::TFixedRegion region(TDateTime::FromParts(2024, 3, 15, 9, 0, 0));
    for (const char* dir : {"davky", "odeslane", "upload"})
        fs::create_directories(m_Dir / dir);
    m_Temp.WriteFile("NdLemo.ini", Utf8ToCp1250(test::InstallationIni(m_Dir)));
    m_Temp.WriteFile("pracovni/tmp_lz_003", "x");
    TReportPreview* preview = nullptr;
    TFileChooser* chooser = nullptr;
    bool loggedIn = false;
    QTimer::singleShot(0, [&] {
        auto* login = qobject_cast<TfrmLogin*>(QApplication::activeModalWidget());
        ASSERT_NE(login, nullptr);
        preview = TReportPreview::Current();
        chooser = TFileChooser::Current();
        test::Child<QLineEdit>(*login, "edtUziv")->setText(QStringLiteral("novak"));
        test::Child<QLineEdit>(*login, "edtHeslo")->setText(QStringLiteral("LM01"));
        QTest::mouseClick(test::Child<QPushButton>(*login, "bbtOK"), Qt::LeftButton);
        loggedIn = !login->isVisible();
    });
    TProgramOptions options{m_Dir, m_Dir / "NdLemo", m_Dir, false};
    EXPECT_EQ(RunProgram(options), 0);
    EXPECT_TRUE(loggedIn);
    EXPECT_NE(preview, nullptr);
    EXPECT_NE(chooser, nullptr);
    EXPECT_EQ(TReportPreview::Current(), nullptr);
    EXPECT_EQ(TFileChooser::Current(), nullptr);
    EXPECT_TRUE(m_Boxes.Shown.empty());
    const std::string log = Cp1250ToUtf8(m_Temp.ReadFile("240315NdLemo.log"));
    EXPECT_NE(log.find("Program spuštěn (uživatel novak)"), std::string::npos) << log;
    EXPECT_NE(log.find("Program ukončen"), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(m_Dir / "pracovni" / "tmp_lz_003"));
}
