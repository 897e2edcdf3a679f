// ndlemo-send sending: invoices and medical reports by SCP against a real sshd on 127.0.0.1 (PuTTY's pscp and plink,
// coreutils' md5sum) and by upload, run as a billing pipeline runs it.

#include "tools/ToolProcess.h"

#include "TestTempDir.h"
#include "transfer/TSshTestServer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;
using namespace ndlemo::test;
using TNames = std::vector<std::string>;

namespace {
const fs::path Data = NDLEMO_TEST_DATA_DIR;

class SendTransferFixture : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(m_Dir.Path() / "run");
        chmod((m_Dir.Path() / "run").c_str(), 0700);
        fs::create_directories(m_Dir.Path() / "davky");
        WriteSettings("SCP");
        std::ofstream(m_Dir.Path() / "faktura.ini")
            << "[Faktura]\nCislo_faktury=123\nRok_faktury=2024\nDatum_vystaveni=05.03.2024\n"
               "Datum_prijeti=15.03.2024\nDatum_splatnosti=14.04.2024\nCastka=1234,50\nVar_symbol=777\n"
               "Generovat=A\nDod_Nazev=Poliklinika\nDod_Psc=11000\nDod_Obec=Praha\n";
        std::ofstream(m_Dir.Path() / "zpravy.ini") << "[Lekarske_zpravy]\nPoznamka=kontrola\n";
        std::ofstream(m_Inst.ServerDir / "test" / "test.txt") << "spojeni ok\n";
        std::ofstream(m_Dir.Path() / "davky" / "zprava.pdf") << "%PDF-1.4 zprava";
    }
    void WriteSettings(const std::string& type, const std::string& remoteDir = "") {
        const std::string d = m_Dir.Path().string();
        std::ofstream(m_Inst.ProgramDir / "NdLemo.ini", std::ios::binary)
            << "[General]\r\nPracoviste=LM01\r\nDirDavky=" << d
            << "/davky\r\nDirOdeslane=" << m_Inst.DirOdeslane.string()
            << "\r\nDefaultICZ=12345678\r\nDefaultICO=87654321\r\n"
            << "DefaultCisloUctu=123456789\r\nDefaultKodBanky=0100\r\nTypPrenosu=" << type
            << "\r\n[UploadLemo]\r\nAdresa=file:///upload.html\r\nOutDir=" << m_Inst.DirUpload.string()
            << "\r\n[FakturaInfo]\r\nDefaultOdbICO=11111111\r\nDefaultOdbNazev=Lemo\r\nDefaultOdbUlice=Hlavni 1\r\n"
            << "DefaultOdbPsc=11000\r\nDefaultOdbObec=Praha\r\n";
        const ndlemo::TransferSettings& p = m_Inst.Prenos;
        std::ofstream(m_Inst.ProgramDir / "NdLemoPrenos.ini", std::ios::binary)
            << "[Prenos]\r\nHost=" << p.Host << "\r\nPort=" << p.Port
            << "\r\nOutDir=" << (remoteDir.empty() ? p.OutDir : remoteDir) << "\r\nUser=" << p.User
            << "\r\nPkf=" << p.Pkf << "\r\nTestSpojDir=" << p.TestSpojDir
            << "\r\nTestSpojFileName=" << p.TestSpojFileName << "\r\n";
    }
    TToolRun Send(std::vector<std::string> args) {
        std::vector<std::string> all = {"--dir", m_Inst.ProgramDir.string()};
        all.insert(all.end(), args.begin(), args.end());
        return RunTool("ndlemo-send", all, "LM01\n",
                       {"LC_ALL=C", "HOME=" + (m_Dir.Path() / "home").string(),
                        "XDG_RUNTIME_DIR=" + (m_Dir.Path() / "run").string(), "PATH=/usr/bin:/bin"});
    }
    TToolRun SendInvoice(std::vector<std::string> extra = {"--yes"}) {
        std::vector<std::string> args = extra;
        args.insert(args.end(),
                    {"--invoice", (m_Dir.Path() / "faktura.ini").string(), (Data / "check" / "clean.txt").string()});
        return Send(args);
    }
    fs::path Archive() const { return m_Inst.DirOdeslane / "2024" / "03"; }
    static std::string Package() { return "LM01_12345678_87654321_2024_xxxxxxx123_20240315"; }

    TTestTempDir m_Dir{"sendtool"};
    THomeOverride m_Home{m_Dir.Path() / "home"};
    TSshTestServer m_Server{m_Dir.Path() / "sshd"};
    TScpInstallation m_Inst{m_Dir.Path(), m_Server};
};
} // namespace

TEST_F(SendTransferFixture, AnInvoiceIsSentByScpAndNotASecondTime) {
    TServerMd5sum md5sum;
    m_Server.Start();
    const std::string zip = Package() + ".zip";
    TToolRun r = SendInvoice();
    ASSERT_EQ(r.Status, 0) << r.Err;
    EXPECT_TRUE(fs::exists(m_Inst.ServerDir / "in" / zip));
    const std::string pdf = (Archive() / (Package() + ".pdf")).string();
    EXPECT_NE(r.Out.find("Fakturu a dávky lze přijmout\nFaktura a dávky byly přijaty\n" + zip + "\n" + pdf + "\n"),
              std::string::npos)
        << r.Out;
    EXPECT_NE(r.Err.find("Faktura a dávky byly odeslány"), std::string::npos) << r.Err;
    EXPECT_TRUE(fs::is_empty(m_Inst.DirPracovni));
    // The invoice printout in the archive, read back.
    ASSERT_TRUE(fs::exists(pdf));
    ASSERT_EQ(std::system(("pdftotext -raw '" + pdf + "' '" + (m_Dir.Path() / "f.txt").string() + "'").c_str()), 0);
    const std::string text = ReadWhole(m_Dir.Path() / "f.txt");
    EXPECT_NE(text.find("FAKTURA za dávky"), std::string::npos) << text;
    EXPECT_NE(text.find("1 234,50"), std::string::npos) << text;

    r = SendInvoice();
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "Faktura již byla odeslána\r\n" + (Archive() / zip).string() + "\r\n\n");
}

TEST_F(SendTransferFixture, AFailingTransferEndsWithThreeAndKeepsThePackage) {
    TServerMd5sum md5sum;
    m_Server.Start();
    // The connection test passes; the upload into a directory whose parent is missing fails.
    WriteSettings("SCP", (m_Inst.ServerDir / "chybi" / "in").string() + "/");
    const TToolRun r = SendInvoice();
    EXPECT_EQ(r.Status, 3) << r.Err;
    EXPECT_NE(r.Err.find("(Host:\"127.0.0.1\""), std::string::npos) << r.Err;
    EXPECT_EQ(TScpInstallation::Listing(m_Inst.DirZaloha), TNames{Package() + ".zip"});
    EXPECT_FALSE(fs::exists(Archive() / (Package() + ".zip")));
}

TEST_F(SendTransferFixture, MedicalReportsArePlacedForUploadAndAQuestionNeedsYes) {
    WriteSettings("UPLOAD");
    TToolRun r =
        Send({"--reports", (m_Dir.Path() / "zpravy.ini").string(), (m_Dir.Path() / "davky" / "zprava.pdf").string()});
    EXPECT_EQ(r.Status, 4);
    EXPECT_EQ(r.Err, "Vytvořit soubor s LZ pro upload ?\n");
    EXPECT_TRUE(fs::is_empty(m_Inst.DirUpload));

    r = Send({"--yes", "--reports", (m_Dir.Path() / "zpravy.ini").string(),
              (m_Dir.Path() / "davky" / "zprava.pdf").string()});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const TNames placed = TScpInstallation::Listing(m_Inst.DirUpload);
    ASSERT_EQ(placed.size(), 1u);
    EXPECT_EQ(placed[0].rfind("NDLLZ_LM01_12345678_87654321_", 0), 0u);
    EXPECT_NE(r.Out.find("zprava.pdf\t15\t"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("Vytvořen soubor LZ pro upload\n" + (m_Inst.DirUpload / placed[0]).string() + "\n"),
              std::string::npos)
        << r.Out;
    EXPECT_FALSE(fs::exists(m_Inst.DirOdeslane / "2024")) << "medical reports are not archived in upload mode";
    EXPECT_TRUE(fs::is_empty(m_Inst.DirPracovni));
}

TEST_F(SendTransferFixture, TheConnectionTestPrintsTheTestFile) {
    TServerMd5sum md5sum;
    m_Server.Start();
    const TToolRun r = Send({"--test-connection"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "spojeni ok\r\n");
}
