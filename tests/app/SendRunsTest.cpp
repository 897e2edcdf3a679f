// Whole send runs of both tabs, in a temporary installation, against a real sshd on 127.0.0.1 with PuTTY's pscp and
// plink and coreutils' md5sum (started by the tests), and in upload mode.

#include "app/SendRuns.h"

#include "TestData.h"
#include "TestRaised.h"
#include "TestTempDir.h"
#include "app/RecordingRunUi.h"
#include "app/TPrijemController.h"
#include "invoice/TAttachedFileList.h"
#include "invoice/TdtmPrijem.h"
#include "support/ESubroutineError.h"
#include "support/TClock.h"
#include "support/TFormatSettings.h"
#include "support/TScriptedMessageBoxes.h"
#include "support/TextCodec.h"
#include "transfer/TSshTestServer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace ndlemo;
using namespace ndlemo::test;
namespace fs = std::filesystem;
using TNames = std::vector<std::string>;

namespace {
const fs::path Data = NDLEMO_TEST_DATA_DIR;

class SendRunFixture : public ::testing::Test {
protected:
    void SetUp() override {
        TFormatSettings::Set(TFormatSettings{});
        TClock::SetNow(TDateTime::FromParts(2024, 3, 15, 14, 25, 1, 123));
        fs::create_directories(m_Dir.Path() / "davky");
        AppSettings& s = m_Controller.Settings;
        s.Pracoviste = "LM01";
        s.DirDavky = (m_Dir.Path() / "davky").string();
        s.DirOdeslane = m_Inst.DirOdeslane.string();
        s.TypPrenosu = TTransferType(TTransferMode::Scp);
        s.UploadAdresa = "file:///upload.html";
        s.UploadOutDir = m_Inst.DirUpload.string();
        m_Controller.Transfer = m_Inst.Prenos;
        m_Controller.UserName = "novak";
        m_Controller.Log.Open(m_Controller.ProgramDir, m_Controller.ProgramFile);
        m_Ui.Console = &m_Inst.Console;
        m_Ui.OnResetInvoice = [this] { m_Batches.Clear(); };
        m_Ui.OnResetReports = [this] { m_Reports.Clear(); };

        m_Form.ICZ = "12345678";
        m_Form.CisFaktury = "123";
        m_Form.ICO = "87654321";
        m_Form.RokFaktury = "2024";
        m_Form.DatVystaveni = "05.03.2024";
        m_Form.DatPrijeti = "15.03.2024";
        m_Form.DatSplatnosti = "14.04.2024";
        m_Form.Castka = 1234.5;
        m_Form.Ucet = "19-123456789";
        m_Form.Banka = "0100";
        m_Form.VS = "777";
        m_Batches.Add(Data / "check" / "clean.txt");
        m_Batches.Add(Data / "batch" / "valid_all_types.dav");

        m_ReportsForm = {"12345678", "87654321", "kontrolní zprávy"};
    }
    void TearDown() override { TClock::SetNow(std::nullopt); }

    void Upload() { m_Controller.Settings.TypPrenosu = TTransferType(TTransferMode::Upload); }
    TSendOutcome Send() { return RunOdeslat(m_Controller, m_Form, m_Batches, m_Ui, m_Stage); }
    TSendOutcome SendReports() { return RunOdeslatLZ(m_Controller, m_ReportsForm, m_Reports, m_Ui, m_Stage); }
    std::string Log() const {
        std::ifstream in(m_Controller.Log.FileName(), std::ios::binary);
        return Cp1250ToUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
    }
    fs::path Archive() const { return m_Inst.DirOdeslane / "2024" / "03"; }
    static std::string Package() { return "LM01_12345678_87654321_2024_xxxxxxx123_20240315"; }

    TTestTempDir m_Dir{"sendrun"};
    THomeOverride m_Home{m_Dir.Path() / "home"};
    TSshTestServer m_Server{m_Dir.Path() / "sshd"};
    TScpInstallation m_Inst{m_Dir.Path(), m_Server};
    TPrijemController m_Controller{m_Inst.ProgramDir, m_Inst.ProgramDir / "NdLemo"};
    TdtmPrijem m_Dtm;
    TAttachedFileList m_Batches{TFileListKind::Batch, m_Dtm.qssPRS, m_Inst.DirPracovni};
    TAttachedFileList m_Reports{TFileListKind::Report, m_Dtm.qssLZ, m_Inst.DirPracovni};
    TInvoiceForm m_Form;
    TReportsForm m_ReportsForm;
    TRecordingRunUi m_Ui;
    TScriptedMessageBoxes m_Boxes;
    TSendStage m_Stage = TSendStage::Check;
};
} // namespace

TEST_F(SendRunFixture, AnInvoiceIsSentByScpArchivedPrintedAndTheTabStartsAnew) {
    TServerMd5sum md5sum;
    m_Server.Start();
    std::ofstream(m_Inst.ServerDir / "test" / "test.txt") << "spojení v pořádku\n";
    m_Form.GenerFak = true;
    m_Form.DodavatelNazev = "Poliklinika";
    m_Form.DodavatelPsc = "11000";
    m_Form.DodavatelObec = "Praha";
    m_Controller.Settings.DefaultOdbICO = "11111111";
    m_Controller.Settings.DefaultOdbNazev = "Lemo";
    m_Controller.Settings.DefaultOdbUlice = "Hlavní 1";
    m_Controller.Settings.DefaultOdbPsc = "11000";
    m_Controller.Settings.DefaultOdbObec = "Praha";
    m_Boxes.Answers = {true};

    EXPECT_EQ(Send(), TSendOutcome::Sent);
    const std::string zip = Package() + ".zip";
    EXPECT_EQ(m_Stage, TSendStage::Done);
    EXPECT_EQ(m_Dir.ReadFile("srv/in/" + zip), m_Dir.ReadFile(Archive() / zip));
    EXPECT_EQ(TScpInstallation::Listing(Archive()),
              (TNames{Package() + ".001", Package() + ".002", Package() + ".fak", zip}));
    EXPECT_EQ(m_Ui.Steps,
              (TNames{"check report: Fakturu a dávky lze přijmout", "check report: Faktura a dávky byly přijaty",
                      "invoice: " + (Archive() / (Package() + ".pdf")).string(), "new invoice"}));
    EXPECT_EQ(m_Ui.Reports[1].FileName, zip);
    ASSERT_EQ(m_Boxes.Shown.size(), 2u);
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Odeslat fakturu a dávky ?");
    EXPECT_EQ(m_Boxes.Shown[1].Text, "Faktura a dávky byly odeslány");
    EXPECT_NE(Log().find("Odeslán soubor " + zip + " (Host:\"127.0.0.1\")"), std::string::npos) << Log();
    EXPECT_TRUE(fs::is_empty(m_Inst.DirPracovni)) << "the attached copies went with the new invoice";
    EXPECT_TRUE(fs::is_empty(m_Inst.DirZaloha));
    EXPECT_FALSE(m_Controller.Busy);

    // The same invoice again: refused by the already-sent search with the first package's path; nothing is sent.
    m_Batches.Add(Data / "check" / "clean.txt");
    m_Boxes.Shown.clear();
    m_Ui.Steps.clear();
    EXPECT_EQ(Raised([this] { Send(); }), "Faktura již byla odeslána\r\n" + (Archive() / zip).string() + "\r\n");
    EXPECT_EQ(m_Stage, TSendStage::Check);
    EXPECT_TRUE(m_Ui.Steps.empty());
    EXPECT_EQ(TScpInstallation::Listing(m_Inst.ServerDir / "in"), TNames{zip});
}

TEST_F(SendRunFixture, NoToTheQuestionLeavesEverythingAsItWas) {
    m_Boxes.Answers = {false};
    EXPECT_EQ(Send(), TSendOutcome::Declined);
    EXPECT_EQ(m_Ui.Steps, TNames{"check report: Fakturu a dávky lze přijmout"});
    EXPECT_EQ(m_Dtm.qssPRS.RecordCount(), 2);
    EXPECT_TRUE(fs::is_empty(m_Inst.ServerDir / "in"));
    EXPECT_FALSE(fs::exists(Archive() / (Package() + ".zip")));
    EXPECT_FALSE(m_Controller.Busy);
}

TEST_F(SendRunFixture, AFailingTransferKeepsTheInvoiceAndASecondAttemptSucceeds) {
    TServerMd5sum md5sum;
    std::ofstream(m_Inst.ServerDir / "test" / "test.txt") << "ok\n";
    // The server is not running: the connection test refuses.
    m_Boxes.Answers = {true};
    const std::string failure = Raised([this] { Send(); });
    EXPECT_EQ(failure.rfind("Test spojení skončil chybou: 1 (", 0), 0u) << failure;
    EXPECT_EQ(m_Stage, TSendStage::Transfer);
    EXPECT_EQ(m_Dtm.qssPRS.RecordCount(), 2);
    EXPECT_EQ(m_Controller.Prij.CisloFaktury, "123");
    EXPECT_EQ(std::count(m_Ui.Steps.begin(), m_Ui.Steps.end(), "new invoice"), 0);
    EXPECT_FALSE(m_Controller.Busy);

    m_Server.Start();
    m_Boxes.Answers = {true};
    EXPECT_EQ(Send(), TSendOutcome::Sent);
    EXPECT_TRUE(fs::exists(m_Inst.ServerDir / "in" / (Package() + ".zip")));
}

TEST_F(SendRunFixture, InUploadModeThePackageIsPlacedWithoutAnyTool) {
    Upload();
    m_Boxes.Answers = {true};
    EXPECT_EQ(Send(), TSendOutcome::Placed);
    const fs::path placed = m_Inst.DirUpload / (Package() + ".zip");
    EXPECT_TRUE(fs::exists(placed));
    EXPECT_TRUE(fs::exists(Archive() / (Package() + ".zip"))) << "an invoice is archived in upload mode too";
    EXPECT_TRUE(fs::is_empty(m_Inst.ServerDir / "in"));
    EXPECT_TRUE(m_Inst.Console.Tools.empty()) << "no tool runs in upload mode";
    EXPECT_EQ(m_Ui.Steps, (TNames{"check report: Fakturu a dávky lze přijmout",
                                  "check report: Vytvořen soubor pro upload", "new invoice", "upload dialog 1"}));
    EXPECT_EQ(m_Ui.Reports[1].FileName, placed.string());
    EXPECT_EQ(m_Controller.LastUploadFile, placed.string());
    ASSERT_EQ(m_Boxes.Shown.size(), 1u) << "no \"byly odeslány\" box in upload mode";
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Vytvořit soubor pro upload ?");
}

TEST_F(SendRunFixture, MedicalReportsGoByScpAndByUpload) {
    TServerMd5sum md5sum;
    m_Server.Start();
    std::ofstream(m_Inst.ServerDir / "test" / "test.txt") << "ok\n";
    m_Dir.WriteFile("davky/zprava.pdf", "%PDF-1.4");
    m_Dir.WriteFile("davky/README", "bez přípony");
    m_Reports.Add(m_Dir.Path() / "davky" / "zprava.pdf");
    m_Reports.Add(m_Dir.Path() / "davky" / "README");
    m_Boxes.Answers = {true};
    EXPECT_EQ(SendReports(), TSendOutcome::Sent);
    const std::string id = m_Controller.Prij.IdPrenosu;
    EXPECT_EQ(id.substr(0, 17), "20240315142501123");
    const std::string zip = "NDLLZ_LM01_12345678_87654321_" + id + ".zip";
    EXPECT_TRUE(fs::exists(m_Inst.ServerDir / "in" / zip));
    EXPECT_EQ(TScpInstallation::Listing(m_Inst.DirOdeslane / "2024" / "03"), TNames{zip});
    EXPECT_EQ(m_Ui.Steps, (TNames{"files report: Lékařské zprávy byly odeslány", "new reports"}));
    EXPECT_EQ(m_Ui.Reports[0].FileName, zip);
    EXPECT_EQ(m_Boxes.Shown.size(), 1u) << "only the question";
    EXPECT_EQ(TScpInstallation::Listing(m_Inst.DirPracovni), (TNames{"tmp_file.001", "tmp_file.002"}))
        << "the documents' copies are gone, the invoice's batch files stay";

    // By upload: placed, not archived, the upload dialog for the reports.
    Upload();
    m_Ui.Steps.clear();
    m_Reports.Add(m_Dir.Path() / "davky" / "zprava.pdf");
    m_Boxes.Answers = {true};
    EXPECT_EQ(SendReports(), TSendOutcome::Placed);
    const std::string placed = "NDLLZ_LM01_12345678_87654321_" + m_Controller.Prij.IdPrenosu + ".zip";
    EXPECT_TRUE(fs::exists(m_Inst.DirUpload / placed));
    EXPECT_EQ(TScpInstallation::Listing(m_Inst.DirOdeslane / "2024" / "03"), TNames{zip});
    EXPECT_EQ(m_Ui.Steps, (TNames{"files report: Vytvořen soubor LZ pro upload", "new reports", "upload dialog 11"}));
    EXPECT_EQ(m_Boxes.Shown.back().Text, "Vytvořit soubor s LZ pro upload ?");
    EXPECT_EQ(TScpInstallation::Listing(m_Inst.DirPracovni), (TNames{"tmp_file.001", "tmp_file.002"}));
}

TEST_F(SendRunFixture, TheMedicalReportsCheckRefusesWhatItMust) {
    Upload();
    m_ReportsForm.ICO = "8765432";
    EXPECT_EQ(Raised([this] { SendReports(); }), "Délka hodnoty \"IČO\" musí být 8 a ne 7");
    m_ReportsForm.ICO = "87654321";
    EXPECT_EQ(Raised([this] { SendReports(); }), "Nejsou přiřazeny žádné soubory");
    EXPECT_FALSE(fs::exists(m_Inst.DirOdeslane / "2024")) << "no archive directory in upload mode";
}
