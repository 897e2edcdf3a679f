// The package sends end to end: against a real sshd on 127.0.0.1 with PuTTY's pscp and plink and coreutils' md5sum,
// started and stopped by the tests, and in upload mode without any tool.

#include "invoice/SendPackage.h"

#include "TestRaised.h"
#include "TestTempDir.h"
#include "support/ESubroutineError.h"
#include "support/TClock.h"
#include "support/TFormatSettings.h"
#include "support/TScriptedMessageBoxes.h"
#include "transfer/PackageNames.h"
#include "transfer/TSshTestServer.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

using namespace ndlemo;
using namespace ndlemo::test;
namespace fs = std::filesystem;
using TNames = std::vector<std::string>;

namespace {
// Entry names of an archive, in order.
TNames ZipEntries(const fs::path& zipFile) {
    TNames names;
    int error = 0;
    zip_t* archive = zip_open(zipFile.c_str(), ZIP_RDONLY, &error);
    if (!archive) {
        ADD_FAILURE() << "cannot open " << zipFile;
        return names;
    }
    for (zip_int64_t i = 0; i < zip_get_num_entries(archive, 0); ++i)
        names.emplace_back(zip_get_name(archive, static_cast<zip_uint64_t>(i), 0));
    zip_discard(archive);
    return names;
}

class SendPackage : public ::testing::Test {
protected:
    void SetUp() override {
        TFormatSettings::Set(TFormatSettings{});
        TClock::SetNow(TDateTime::FromParts(2024, 4, 2, 14, 7, 33));
    }
    void TearDown() override { TClock::SetNow(std::nullopt); }

    // An invoice with two batch files attached (their temporary copies in pracovni).
    void FillInvoice() {
        m_Prij.ICZ = "12345678";
        m_Prij.ICO = "87654321";
        m_Prij.CisloFaktury = "123";
        m_Prij.RokFaktury = "2024";
        m_Prij.DatumVystaveni = TDate::FromYmd(2024, 3, 31);
        m_Prij.DatumPrijeti = TDate::FromYmd(2024, 4, 2);
        m_Prij.DatumSplatnosti = TDate::FromYmd(2024, 5, 2);
        m_Prij.Castka = 1520.0;
        Attach("tmp_file.001", "KDAVKA.111", "D batch one\r\n");
        Attach("tmp_file.002", "KDAVKA.222", std::string(50000, 'x'));
        m_Name = InvoicePackageName("LM01", m_Prij.ICZ, m_Prij.ICO, m_Prij.RokFaktury, m_Prij.CisloFaktury,
                                    m_Prij.DatumPrijeti, false);
    }
    // Medical reports: a PDF, a document without extension; transfer id of 2 April 2024.
    void FillReports() {
        m_Prij.ICZ = "12345678";
        m_Prij.ICO = "87654321";
        m_Prij.IdPrenosu = "20240402140733123042";
        Attach("tmp_lz_001.pdf", "zpráva.pdf", "%PDF-1.4 report");
        Attach("tmp_lz_002", "README", "no extension");
        m_Name = ReportsPackageName("LM01", m_Prij.ICZ, m_Prij.ICO, m_Prij.IdPrenosu);
    }
    void Attach(const std::string& copy, const std::string& source, const std::string& bytes) {
        m_Dir.WriteFile("program/pracovni/" + copy, bytes);
        auto file = std::make_unique<TLemoSoubor>();
        file->JmenoSouboru = (m_Inst.DirPracovni / copy).string();
        file->Zdroj = source;
        file->Velikost = static_cast<int32_t>(bytes.size());
        file->DatumZdroje = TDateTime::FromParts(2024, 4, 1, 8, 0, 0);
        m_Prij.Soubory.push_back(std::move(file));
    }

    TTransferContext Context() {
        TTransferContext c = m_Inst.Context();
        c.Boxes = &m_Boxes;
        return c;
    }
    void SendInvoice() { SendInvoicePackage(m_Name, m_Prij, Context(), m_LastUpload); }
    void SendReports() { SendReportsPackage(m_Name, m_Prij, Context(), m_LastUpload); }

    [[nodiscard]] fs::path InvoiceArchive() const { return m_Inst.DirOdeslane / "2024" / "04"; }
    // What out holds besides the installation: work files left behind would show here.
    [[nodiscard]] TNames OutLeftovers() const {
        TNames left;
        for (const auto& name : TScpInstallation::Listing(m_Inst.DirOut))
            if (name != "Nofile" && name != "lemo.ppk" && !name.ends_with(".exe") && name != "zaloha/")
                left.push_back(name);
        return left;
    }

    TTestTempDir m_Dir{"send"};
    THomeOverride m_Home{m_Dir.Path() / "home"};
    TSshTestServer m_Server{m_Dir.Path() / "sshd"};
    TScpInstallation m_Inst{m_Dir.Path(), m_Server};
    TScriptedMessageBoxes m_Boxes;
    TLemoPrij m_Prij;
    std::string m_Name;
    std::string m_LastUpload = "from an earlier send";
};
} // namespace

TEST_F(SendPackage, AnInvoiceIsSentVerifiedArchivedAndNothingIsLeftBehind) {
    TServerMd5sum md5sum;
    m_Server.Start();
    FillInvoice();
    SendInvoice();

    const std::string zip = m_Name + ".zip";
    EXPECT_EQ(m_LastUpload, "");
    EXPECT_EQ(TScpInstallation::Listing(InvoiceArchive()),
              (TNames{m_Name + ".001", m_Name + ".002", m_Name + ".fak", zip}));
    EXPECT_EQ(m_Dir.ReadFile(InvoiceArchive() / zip), m_Dir.ReadFile("srv/in/" + zip));
    EXPECT_EQ(ZipEntries(InvoiceArchive() / zip), (TNames{m_Name + ".fak", m_Name + ".001", m_Name + ".002"}));
    EXPECT_EQ(m_Dir.ReadFile(InvoiceArchive() / (m_Name + ".001")), "D batch one\r\n");
    EXPECT_EQ(std::system(("unzip -tqq '" + (InvoiceArchive() / zip).string() + "' >/dev/null").c_str()), 0);
    EXPECT_EQ(m_Inst.LogLines, TNames{"0 Odeslán soubor " + zip + " (Host:\"127.0.0.1\")"});
    EXPECT_EQ(m_Inst.Console.Tools, (TNames{"pscp.exe", "plink.exe", "md5sum.exe"}));
    EXPECT_TRUE(OutLeftovers().empty()) << OutLeftovers()[0];
    EXPECT_TRUE(TScpInstallation::Listing(m_Inst.DirZaloha).empty());
    EXPECT_TRUE(m_Boxes.Shown.empty());
    // The attached copies belong to the tab; they stay.
    EXPECT_TRUE(fs::exists(m_Inst.DirPracovni / "tmp_file.001"));
}

TEST_F(SendPackage, MedicalReportsAreSentAndOnlyThePackageIsArchived) {
    TServerMd5sum md5sum;
    m_Server.Start();
    FillReports();
    SendReports();

    const std::string zip = m_Name + ".zip";
    EXPECT_EQ(TScpInstallation::Listing(m_Inst.DirOdeslane / "2024" / "04"), TNames{zip});
    EXPECT_EQ(ZipEntries(m_Inst.DirOdeslane / "2024" / "04" / zip),
              (TNames{m_Name + ".txt", m_Name + "_001.pdf", m_Name + "_002"}));
    EXPECT_EQ(m_Dir.ReadFile("srv/in/" + zip), m_Dir.ReadFile(m_Inst.DirOdeslane / "2024" / "04" / zip));
    EXPECT_EQ(m_Inst.LogLines, TNames{"0 Odeslán soubor " + zip + " (Host:\"127.0.0.1\")"});
    EXPECT_TRUE(OutLeftovers().empty());
    EXPECT_TRUE(TScpInstallation::Listing(m_Inst.DirZaloha).empty());
}

TEST_F(SendPackage, ARefusedConnectionFailsAtPscpAndKeepsTheInvoiceInZaloha) {
    // The server is not started: nothing listens on its port.
    FillInvoice();
    const std::string zip = m_Name + ".zip";
    const std::string message = "Přenos souboru " + zip +
                                " skončil chybou: 1 (FATAL ERROR: Connection refused) (Host:\"127.0.0.1\", Port:\"" +
                                m_Inst.Prenos.Port + "\", Dir:\"" + m_Inst.Prenos.OutDir + "\")";
    EXPECT_EQ(Raised([&] { SendInvoice(); }), message);
    EXPECT_EQ(m_Inst.LogLines, TNames{"16 " + message});
    EXPECT_EQ(m_Inst.Console.Tools, TNames{"pscp.exe"});
    EXPECT_FALSE(fs::exists(m_Inst.DirOdeslane / "2024"));
    EXPECT_EQ(TScpInstallation::Listing(m_Inst.DirZaloha), TNames{zip});
    EXPECT_EQ(ZipEntries(m_Inst.DirZaloha / zip), (TNames{m_Name + ".fak", m_Name + ".001", m_Name + ".002"}));
    EXPECT_TRUE(OutLeftovers().empty());
}

TEST_F(SendPackage, ARemoteDirectoryWithoutItsParentFailsAtPscp) {
    TServerMd5sum md5sum;
    m_Server.Start();
    FillInvoice();
    m_Inst.Prenos.OutDir = (m_Inst.ServerDir / "missing" / "in").string();
    const std::string message = Raised([&] { SendInvoice(); });
    EXPECT_TRUE(message.starts_with("Přenos souboru " + m_Name + ".zip skončil chybou: 1 (pscp: unable to open "))
        << message;
    EXPECT_NE(message.find("Dir:\"" + m_Inst.Prenos.OutDir + "\")"), std::string::npos) << message;
    EXPECT_EQ(m_Inst.Console.Tools, TNames{"pscp.exe"});
    EXPECT_FALSE(fs::exists(m_Inst.ServerDir / "missing"));
}

// pscp then creates a file of the directory's name, so the transfer fails only when plink cannot change into it.
TEST_F(SendPackage, ARemoteDirectoryWithoutItsLastPartFailsAtPlink) {
    TServerMd5sum md5sum;
    m_Server.Start();
    FillInvoice();
    m_Inst.Prenos.OutDir = (m_Inst.ServerDir / "notyet").string();
    const std::string message = Raised([&] { SendInvoice(); });
    EXPECT_TRUE(message.starts_with("Tvorba md5 souboru " + m_Name + ".zip skončila chybou: 1 (")) << message;
    EXPECT_NE(message.find("No such file or directory) (Host:\"127.0.0.1\""), std::string::npos) << message;
    EXPECT_TRUE(fs::is_regular_file(m_Inst.ServerDir / "notyet"));
    EXPECT_EQ(m_Inst.Console.Tools, (TNames{"pscp.exe", "plink.exe"}));
    EXPECT_EQ(m_Inst.LogLines, TNames{"16 " + message});
    EXPECT_EQ(TScpInstallation::Listing(m_Inst.DirZaloha), TNames{m_Name + ".zip"});
    EXPECT_TRUE(OutLeftovers().empty());
}

TEST_F(SendPackage, AServerMd5ThatDiffersStopsTheSendAfterTheUpload) {
    m_Server.Start();
    FillInvoice();
    // A stand-in plink: the server reports another sum for the package.
    fs::remove(m_Inst.DirOut / "plink.exe");
    m_Dir.WriteFile("program/out/plink.exe",
                    "#!/bin/sh\necho \"00000000000000000000000000000000  " + m_Name + ".zip\"\n");
    fs::permissions(m_Inst.DirOut / "plink.exe", fs::perms::owner_all);
    const std::string message = "Kontrola přenosu souboru " + m_Name + ".zip skončila chybou";
    EXPECT_EQ(Raised([&] { SendInvoice(); }), message);
    EXPECT_TRUE(fs::exists(m_Inst.ServerDir / "in" / (m_Name + ".zip")));
    EXPECT_EQ(m_Inst.LogLines, TNames{"16 " + message});
    EXPECT_FALSE(fs::exists(m_Inst.DirOdeslane / "2024"));
    EXPECT_EQ(TScpInstallation::Listing(m_Inst.DirZaloha), TNames{m_Name + ".zip"});
    EXPECT_TRUE(OutLeftovers().empty());
}

// Once md5sum has confirmed the server's copy the invoice is with the insurer: a failing archive must not make it
// look unsent, or it would be sent twice.
TEST_F(SendPackage, AnArchiveFailureAfterAVerifiedSendCountsAsSent) {
    TServerMd5sum md5sum;
    m_Server.Start();
    FillInvoice();
    m_Dir.WriteFile("odeslane/2024", "a file where the year directory belongs");
    SendInvoice();

    const std::string zip = m_Name + ".zip";
    const std::string reason = "Adresář \"" + InvoiceArchive().string() + "\" neexistuje.";
    EXPECT_EQ(m_Inst.LogLines, (TNames{"0 Odeslán soubor " + zip + " (Host:\"127.0.0.1\")",
                                       "16 Archivace souboru " + zip + " skončila chybou: " + reason}));
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Kind, 'W');
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Faktura byla odeslána, ale nebyla archivována:\n" + reason +
                                         "\nKopie balíčku zůstala v souboru \"" + (m_Inst.DirZaloha / zip).string() +
                                         "\".");
    EXPECT_EQ(TScpInstallation::Listing(m_Inst.DirZaloha), TNames{zip});
    EXPECT_EQ(m_Dir.ReadFile(m_Inst.DirZaloha / zip), m_Dir.ReadFile("srv/in/" + zip));
    EXPECT_TRUE(OutLeftovers().empty());
}

TEST_F(SendPackage, MedicalReportsThatCannotBeArchivedAfterASendAreKeptInZaloha) {
    TServerMd5sum md5sum;
    m_Server.Start();
    FillReports();
    m_Dir.WriteFile("odeslane/2024", "a file where the year directory belongs");
    SendReports();
    const std::string zip = m_Name + ".zip";
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_TRUE(m_Boxes.Shown[0].Text.starts_with("Lékařské zprávy byly odeslány, ale nebyly archivovány:\n"));
    EXPECT_EQ(m_Dir.ReadFile(m_Inst.DirZaloha / zip), m_Dir.ReadFile("srv/in/" + zip));
    EXPECT_EQ(m_Inst.LogLines.size(), 2u);
}

TEST_F(SendPackage, UploadModePlacesThePackageAndNeedsNoTool) {
    for (const char* file : {"pscp.exe", "plink.exe", "md5sum.exe", "Nofile", "lemo.ppk"})
        fs::remove(m_Inst.DirOut / file);
    fs::remove(m_Inst.ProgramDir / "ndlemo-cmd");
    FillInvoice();
    TTransferContext context = Context();
    context.Scp = false;
    context.UploadOutDir += "/";
    SendInvoicePackage(m_Name, m_Prij, context, m_LastUpload);

    const std::string zip = m_Name + ".zip";
    EXPECT_EQ(m_LastUpload, (m_Inst.DirUpload / zip).string());
    EXPECT_EQ(TScpInstallation::Listing(m_Inst.DirUpload), TNames{zip});
    EXPECT_EQ(ZipEntries(m_Inst.DirUpload / zip), (TNames{m_Name + ".fak", m_Name + ".001", m_Name + ".002"}));
    EXPECT_EQ(m_Inst.LogLines, TNames{"0 Vytvořen soubor \"" + m_LastUpload + "\" pro upload"});
    // An invoice is archived in upload mode too.
    EXPECT_EQ(TScpInstallation::Listing(InvoiceArchive()),
              (TNames{m_Name + ".001", m_Name + ".002", m_Name + ".fak", zip}));
    EXPECT_TRUE(m_Inst.Console.Tools.empty());
    EXPECT_TRUE(TScpInstallation::Listing(m_Inst.DirOut) == TNames{"zaloha/"});
    EXPECT_TRUE(TScpInstallation::Listing(m_Inst.DirZaloha).empty());
    EXPECT_TRUE(TScpInstallation::Listing(m_Inst.ServerDir / "in").empty());
}

TEST_F(SendPackage, MedicalReportsInUploadModeAreNotArchived) {
    FillReports();
    TTransferContext context = Context();
    context.Scp = false;
    SendReportsPackage(m_Name, m_Prij, context, m_LastUpload);
    EXPECT_EQ(m_LastUpload, (m_Inst.DirUpload / (m_Name + ".zip")).string());
    EXPECT_TRUE(TScpInstallation::Listing(m_Inst.DirOdeslane).empty());
    EXPECT_TRUE(TScpInstallation::Listing(m_Inst.DirZaloha).empty());
    EXPECT_TRUE(OutLeftovers().empty());
}

TEST_F(SendPackage, TheChecksOfScpModeComeBeforeAnythingIsBuilt) {
    const struct {
        std::function<void(TScpInstallation&)> Change;
        std::function<std::string(const TScpInstallation&)> Message;
    } rows[] = {
        {[](auto& i) { fs::remove(i.DirOut / "lemo.ppk"); },
         [](auto& i) { return "Soubor \"" + (i.DirOut / "lemo.ppk").string() + "\" neexistuje"; }},
        {[](auto& i) { fs::remove(i.DirOut / "Nofile"); },
         [](auto& i) { return "Soubor \"" + (i.DirOut / "Nofile").string() + "\" neexistuje"; }},
        {[](auto& i) { i.Prenos.OutDir = "//"; },
         [](auto&) { return std::string("Nepřípustná hodnota \"/\" pro \"Vzdálený adresář\""); }},
        {[](auto& i) { i.Prenos.OutDir = "/in;rm x"; },
         [](auto&) { return std::string("Nepřípustná hodnota \"/in;rm x\" pro \"Vzdálený adresář\""); }},
        {[](auto& i) { fs::remove(i.DirOut / "plink.exe"); },
         [](auto& i) { return "Soubor \"" + (i.DirOut / "plink.exe").string() + "\" neexistuje"; }},
    };
    FillInvoice();
    for (const auto& row : rows) {
        TTestTempDir dir("send-checks");
        TScpInstallation inst(dir.Path(), m_Server);
        row.Change(inst);
        TTransferContext context = inst.Context();
        EXPECT_EQ(Raised([&] { SendInvoicePackage(m_Name, m_Prij, context, m_LastUpload); }), row.Message(inst));
        EXPECT_EQ(m_LastUpload, "");
        for (const auto& name : TScpInstallation::Listing(inst.DirOut))
            EXPECT_FALSE(name.starts_with("LM01_")) << name;
        EXPECT_TRUE(TScpInstallation::Listing(inst.DirZaloha).empty());
        EXPECT_TRUE(inst.Console.Tools.empty());
        EXPECT_TRUE(inst.LogLines.empty());
    }
}

TEST_F(SendPackage, FailuresWhileBuildingLeaveNoWorkFiles) {
    FillInvoice();
    EXPECT_EQ(Raised([&] { SendInvoicePackage("  ", m_Prij, Context(), m_LastUpload); }),
              "Chybné jméno \"  \" přenášeného souboru");

    // An attached copy that has gone since the check.
    fs::remove(m_Inst.DirPracovni / "tmp_file.002");
    const fs::path source = m_Inst.DirPracovni / "tmp_file.002";
    EXPECT_EQ(Raised([&] { SendInvoice(); }),
              "Při otevírání vstupního souboru \"" + source.string() + "\" došlo k chybě: No such file or directory");
    EXPECT_TRUE(OutLeftovers().empty());
    EXPECT_TRUE(TScpInstallation::Listing(m_Inst.DirZaloha).empty());

    // Without its output directory nothing is built anywhere else.
    TTransferContext context = Context();
    context.DirOut.clear();
    context.DirZaloha.clear();
    EXPECT_EQ(Raised([&] { SendInvoicePackage(m_Name, m_Prij, context, m_LastUpload); }), "Adresář \"\" neexistuje.");

    // An old package that cannot be removed.
    m_Dir.WriteFile("program/pracovni/tmp_file.002", "again");
    fs::create_directories(m_Inst.DirOut / (m_Name + ".zip") / "inside");
    EXPECT_EQ(Raised([&] { SendInvoice(); }), "Při tvorbě Zip souboru nastala chyba \"Soubor \"" +
                                                  (m_Inst.DirOut / (m_Name + ".zip")).string() + "\" nejde vymazat\"");
    EXPECT_TRUE(m_Inst.Console.Tools.empty());
}
