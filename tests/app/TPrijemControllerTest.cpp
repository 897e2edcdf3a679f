#include "app/TPrijemController.h"
#include "app/TStartupUi.h"
#include "support/TClock.h"
#include "support/TRequestList.h"
#include "support/TScriptedMessageBoxes.h"
#include "support/TextCodec.h"

#include "TestTempDir.h"
#include "transfer/TransferTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ndlemo;
namespace fs = std::filesystem;

namespace {
class ScriptedUi : public TStartupUi {
public:
    void SetCaption(const std::string& caption) override { Caption = caption; }
    void SetStatusPanel(int index, const std::string& text) override { Panels[index] = text; }
    TLoginResult RunLogin() override { return Login; }
    void ShowRequestList(TRequestList& requests) override {
        for (int i = 0; i < requests.Count(); ++i)
            Requests.push_back(requests.GetText(i, 1));
    }
    void SetFieldStates() override { Steps += "states;"; }
    void ActivateInvoiceTab() override { Steps += "activate;"; }
    void ResetInvoiceTab() override { Steps += "resetFak;"; }
    void ResetReportsTab() override { Steps += "resetLZ;"; }

    TLoginResult Login{true, "novak", "AB12"};
    std::string Caption;
    std::string Panels[4];
    std::vector<std::string> Requests;
    std::string Steps;
};

class StartupFixture : public ::testing::Test {
protected:
    void SetUp() override {
        TClock::SetNow(TDateTime::FromParts(2024, 3, 15, 8, 30, 0));
        fs::create_directories(m_Dir / "davky");
        fs::create_directories(m_Dir / "odeslane");
        fs::create_directories(m_Dir / "upload");
    }
    void TearDown() override { TClock::SetNow(std::nullopt); }
    void WriteIni(const std::string& extra = "") {
        m_Temp.WriteFile("NdLemo.ini",
                         "[General]\r\nPracoviste=AB12\r\nDirDavky=" + (m_Dir / "davky").string() +
                             "\r\nDirOdeslane=" + (m_Dir / "odeslane").string() + "\r\nTypPrenosu=UPLOAD\r\n" + extra +
                             "[UploadLemo]\r\nAdresa=file:///upload.html\r\nOutDir=" + (m_Dir / "upload").string() +
                             "\r\n");
    }
    std::string Log() const { return Cp1250ToUtf8(m_Temp.ReadFile("240315NdLemo.log")); }
    TPrijemController Controller() const { return TPrijemController(m_Dir, m_Dir / "NdLemo"); }

    test::TTestTempDir m_Temp{"start"};
    const fs::path m_Dir = m_Temp.Path();
    ScriptedUi m_Ui;
    TScriptedMessageBoxes m_Boxes;
};
} // namespace

TEST_F(StartupFixture, GoodStartRunsEveryStepAndLogs) {
    WriteIni();
    TPrijemController c(m_Dir, m_Dir / "NdLemo");
    ASSERT_TRUE(c.StartUp(m_Ui));
    EXPECT_TRUE(c.Created);
    EXPECT_FALSE(c.EndRequested);
    EXPECT_FALSE(c.NoModulo);
    EXPECT_EQ(m_Ui.Caption.rfind("ND LEMO ", 0), 0u);
    EXPECT_EQ(m_Ui.Panels[0], "AB12");
    EXPECT_EQ(m_Ui.Panels[1], "novak");
    EXPECT_EQ(m_Ui.Panels[2], m_Dir.string());
    EXPECT_EQ(m_Ui.Panels[3], "Upload Lemo");
    EXPECT_EQ(m_Ui.Steps, "states;activate;resetFak;resetLZ;");
    EXPECT_TRUE(m_Ui.Requests.empty());
    EXPECT_TRUE(m_Boxes.Shown.empty());
    for (const char* dir : {"pracovni", "out", "out/zaloha"})
        EXPECT_TRUE(fs::is_directory(m_Dir / dir)) << dir;
    c.ShutDown(&m_Ui);
    EXPECT_EQ(Log(), "      15.03.2024 08:30:00 Program spuštěn (uživatel novak)\r\n"
                     "      15.03.2024 08:30:00 Program ukončen\r\n");
}

TEST_F(StartupFixture, CancelledOrBlankLoginEndsWithoutLog) {
    WriteIni();
    const TLoginResult logins[] = {{false, "novak", "AB12"}, {true, "", "AB12"}, {true, "novak", ""}};
    for (const auto& login : logins) {
        auto c = Controller();
        m_Ui.Login = login;
        EXPECT_FALSE(c.StartUp(m_Ui));
        EXPECT_TRUE(c.EndRequested);
        c.ShutDown(&m_Ui);
        EXPECT_TRUE(m_Boxes.Shown.empty());
        EXPECT_FALSE(fs::exists(m_Dir / "240315NdLemo.log"));
    }
}

TEST_F(StartupFixture, WrongPasswordIsFatalAndLogged) {
    WriteIni();
    auto c = Controller();
    m_Ui.Login.Password = "ab12";
    EXPECT_FALSE(c.StartUp(m_Ui));
    EXPECT_TRUE(c.EndRequested);
    EXPECT_FALSE(c.Created);
    c.ShutDown(&m_Ui);
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Chybné heslo.");
    EXPECT_EQ(Log(), "      15.03.2024 08:30:00 Program spuštěn (uživatel novak)\r\n"
                     "ERROR 15.03.2024 08:30:00 Chybné heslo\r\n"
                     "      15.03.2024 08:30:00 Program ukončen\r\n");
}

TEST_F(StartupFixture, SuffixSwitchesTheModuloCheckOff) {
    WriteIni();
    auto c = Controller();
    m_Ui.Login.Password = "  AB12NOMODCHK ";
    ASSERT_TRUE(c.StartUp(m_Ui));
    EXPECT_TRUE(c.NoModulo);
}

TEST_F(StartupFixture, MissingSettingsAreListedAndTheProgramOpens) {
    auto c = Controller();
    m_Ui.Login.Password = "anything";
    // Without settings the mode is SCP, whose tools are missing: that one is fatal, so give it the tools.
    fs::create_directories(m_Dir / "out");
    for (const char* tool : {"ndlemo-cmd", "out/pscp.exe", "out/plink.exe", "out/md5sum.exe"})
        m_Temp.WriteFile(tool, "");
    EXPECT_TRUE(c.StartUp(m_Ui));
    EXPECT_TRUE(c.Created);
    ASSERT_FALSE(m_Ui.Requests.empty());
    EXPECT_EQ(m_Ui.Requests[0], "Délka hodnoty \"Pracoviště\" musí být 4 a ne 0");
}

TEST_F(StartupFixture, ScpModeNeedsItsTools) {
    WriteIni();
    std::string text = m_Temp.ReadFile("NdLemo.ini");
    text.replace(text.find("UPLOAD"), 6, "SCP");
    m_Temp.WriteFile("NdLemo.ini", text);
    auto c = Controller();
    EXPECT_FALSE(c.StartUp(m_Ui));
    ASSERT_FALSE(m_Boxes.Shown.empty());
    EXPECT_EQ(m_Boxes.Shown.back().Text, "Soubor \"" + (m_Dir / "ndlemo-cmd").string() + "\" neexistuje.");
    EXPECT_NE(Log().find("ERROR "), std::string::npos);
}

TEST_F(StartupFixture, WorkingDirectoryThatCannotBeCreatedIsFatal) {
    WriteIni();
    m_Temp.WriteFile("pracovni", "a file in the way");
    auto c = Controller();
    EXPECT_FALSE(c.StartUp(m_Ui));
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Adresář \"" + (m_Dir / "pracovni").string() + "\" neexistuje.");
}

TEST_F(StartupFixture, DirectoryCollisionIsShownAndTheStartGoesOn) {
    WriteIni();
    auto c = Controller();
    ASSERT_TRUE(c.StartUp(m_Ui));
    struct Row {
        std::string odeslane;
        bool collides;
    } rows[] = {
        {m_Dir.string(), true},
        {m_Dir.string() + "/", true},
        {"  " + m_Dir.string() + "/out/../out  ", true},
        {(m_Dir / "out" / "zaloha").string(), true},
        {(m_Dir / "pracovni").string(), true},
        {(m_Dir / "odeslane").string(), false},
    };
    for (const auto& row : rows) {
        c.Settings.DirOdeslane = row.odeslane;
        if (row.collides) {
            try {
                c.CheckDirCollision();
                ADD_FAILURE() << row.odeslane;
            } catch (const std::exception& e) {
                EXPECT_EQ(std::string(e.what()),
                          "Nepřípustná hodnota \"" + row.odeslane + "\" pro \"Adresář odeslaných souborů\"");
            }
        } else {
            EXPECT_NO_THROW(c.CheckDirCollision()) << row.odeslane;
        }
    }
    c.Settings.UploadOutDir = (m_Dir / "odeslane").string() + "/";
    EXPECT_THROW(c.CheckDirCollision(), std::exception);
    c.Settings.TypPrenosu = TTransferType("SCP");
    EXPECT_NO_THROW(c.CheckDirCollision());
}

TEST_F(StartupFixture, CollisionInAnotherLetterCase) {
    fs::path upper = m_Dir.parent_path() / ("UP" + m_Dir.filename().string());
    // Case matters on this file system, but the check compares upper-cased paths as the program always has.
    EXPECT_EQ(TPrijemController::NormalizeDir(m_Dir.string() + "/abc", true),
              TPrijemController::NormalizeDir(m_Dir.string() + "/ABC/", true));
    EXPECT_NE(TPrijemController::NormalizeDir(upper.string(), true), TPrijemController::NormalizeDir(m_Dir, true));
}

TEST_F(StartupFixture, ErrorsAfterTheStartAreShownOnly) {
    WriteIni();
    auto c = Controller();
    ASSERT_TRUE(c.StartUp(m_Ui));
    c.Guard([] { throw std::runtime_error("Něco selhalo"); });
    c.Guard([] { throw std::runtime_error("Otázka?"); });
    c.Guard([] { throw std::runtime_error("Hotovo!"); });
    EXPECT_FALSE(c.EndRequested);
    ASSERT_EQ(m_Boxes.Shown.size(), 3u);
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Něco selhalo.");
    EXPECT_EQ(m_Boxes.Shown[1].Text, "Otázka?.");
    EXPECT_EQ(m_Boxes.Shown[2].Text, "Hotovo!");
    EXPECT_EQ(Log().find("ERROR"), std::string::npos);
}

TEST_F(StartupFixture, TheConnectionTestChecksTheSettingsFirstAndIsNeverLeftBusy) {
    TPrijemController c = Controller();
    c.Settings.TypPrenosu = TTransferType(TTransferMode::Scp);
    c.TestSpojeni(m_Ui, nullptr);
    EXPECT_EQ(m_Ui.Requests.size(), 7u) << "every SCP value is missing";
    EXPECT_TRUE(m_Boxes.Shown.empty());
    EXPECT_FALSE(c.Busy);

    // Acceptable settings, but no tools in out: the test raises and the flag is cleared all the same.
    m_Ui.Requests.clear();
    c.Transfer = test::WithScpValues({"127.0.0.1", "22", "/in", "lemo", "lemo.ppk", "/test", "test.txt"});
    c.Guard([&] { c.TestSpojeni(m_Ui, nullptr); });
    EXPECT_TRUE(m_Ui.Requests.empty());
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Kind, 'E');
    EXPECT_NE(m_Boxes.Shown[0].Text.find("neexistuje"), std::string::npos) << m_Boxes.Shown[0].Text;
    EXPECT_FALSE(c.Busy);
}
