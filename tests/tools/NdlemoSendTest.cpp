// Runs the built ndlemo-send on a small installation of its own and checks its output, messages and exit status.

#include "tools/ToolProcess.h"

#include "platform/TSingleInstanceLock.h"

#include "TestTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;
using ndlemo::test::TToolRun;

namespace {
const fs::path Data = fs::path(NDLEMO_TEST_DATA_DIR) / "check";

// An installation in upload mode (workplace LM01, prefills of the invoice) with a runtime directory of its own,
// so that the program's lock is the test's own.
class SendToolFixture : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* dir : {"davky", "odeslane", "upload", "run"})
            fs::create_directories(m_Dir / dir);
        chmod((m_Dir / "run").c_str(), 0700);
        const std::string d = m_Dir.string();
        std::ofstream(m_Dir / "NdLemo.ini", std::ios::binary)
            << "[General]\r\nPracoviste=LM01\r\nDirDavky=" << d << "/davky\r\nDirOdeslane=" << d
            << "/odeslane\r\nIntSplatnosti=30\r\nDefaultICZ=12345678\r\nDefaultICO=87654321\r\n"
               "DefaultCisloUctu=123456789\r\nDefaultKodBanky=0100\r\nTypPrenosu=UPLOAD\r\n[UploadLemo]\r\n"
               "Adresa=file:///upload.html\r\nOutDir="
            << d << "/upload\r\n";
    }
    void Header(const std::string& lines) {
        std::ofstream(m_Dir / "faktura.ini", std::ios::binary) << "[Faktura]\n" << lines;
    }
    TToolRun Send(std::vector<std::string> args, const std::string& password = "LM01\n") {
        std::vector<std::string> all = {"--dir", m_Dir.string()};
        all.insert(all.end(), args.begin(), args.end());
        return ndlemo::test::RunTool("ndlemo-send", all, password,
                                     {"LC_ALL=C", "XDG_RUNTIME_DIR=" + (m_Dir / "run").string()});
    }
    TToolRun CheckOnly(std::vector<std::string> files, std::vector<std::string> extra = {}) {
        std::vector<std::string> args = extra;
        args.insert(args.end(), {"--check-only", "--invoice", (m_Dir / "faktura.ini").string()});
        args.insert(args.end(), files.begin(), files.end());
        return Send(args);
    }
    bool WorkDirEmpty() const { return fs::is_empty(m_Dir / "pracovni"); }

    ndlemo::test::TTestTempDir m_Temp{"send"};
    const fs::path m_Dir = m_Temp.Path();
    const std::string Clean = (Data / "clean.txt").string();
    // Today's receipt date and no amount are what a new invoice holds.
    const std::string Common = "Cislo_faktury=123\nDatum_vystaveni=05.03.2024\nVar_symbol=777\n";
    const std::string GoodHeader = Common + "Rok_faktury=2024\n";
};
} // namespace

TEST_F(SendToolFixture, ACleanInvoicePassesWithTheReportOnStandardOutput) {
    Header(GoodHeader);
    const TToolRun r = CheckOnly({Clean});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "1\t5\t03\t2024\t\n1\t6\t02\t2024\t\nFakturu a dávky lze přijmout\n");
    EXPECT_EQ(r.Err, "");
    EXPECT_TRUE(WorkDirEmpty()) << "the attached copies are removed at the end";
    // The run log is the program's.
    bool logged = false;
    for (const auto& entry : fs::directory_iterator(m_Dir))
        logged = logged || entry.path().extension() == ".log";
    EXPECT_TRUE(logged);
}

TEST_F(SendToolFixture, FilesWithErrorsAndHeaderErrorsAreRefused) {
    Header(GoodHeader);
    TToolRun r = CheckOnly({Clean, (Data / "errors.txt").string()});
    EXPECT_EQ(r.Status, 1);
    EXPECT_NE(r.Out.find("Chyby souboru 2 :\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("Fakturu a dávky nelze přijmout\n"), std::string::npos);
    EXPECT_EQ(r.Err, "Kontrola proběhla s chybami\n");

    Header("Cislo_faktury=123\nRok_faktury=2024\nDatum_vystaveni=05.03.2024\n"); // no VS
    r = CheckOnly({Clean});
    EXPECT_EQ(r.Status, 1);
    EXPECT_EQ(r.Err, "Pole \"VS\" musí být zadáno.\n");
    EXPECT_EQ(r.Out, "");
    EXPECT_TRUE(WorkDirEmpty());
}

TEST_F(SendToolFixture, AMissingKeyTakesThePrefillAndAnUnknownOrUnholdableOneIsRefused) {
    // No IČZ in the header: the prefill of the settings, 12345678, is the one the batch file carries.
    Header(GoodHeader);
    EXPECT_EQ(CheckOnly({Clean}).Status, 0);

    const struct {
        const char* Line;
        const char* Message;
    } rows[] = {
        {"Barva=modra\n", "Neznámý klíč \"Barva\" (hodnota \"modra\") hlavičky faktury.\n"},
        {"ICZ=1234567a\n", "Nepřípustná hodnota \"1234567a\" pro \"ICZ\"\n"},
        {"Kod_banky=01000\n", "Nepřípustná hodnota \"01000\" pro \"Kod_banky\"\n"},
        {"Cislo_faktury=124\n", "Klíč \"Cislo_faktury\" je v hlavičce faktury dvakrát.\n"},
        {"Datum_prijeti=31.13.2024\n", "Nepřípustná hodnota \"31.13.2024\" pro \"Datum_prijeti\"\n"},
        {"Datum_prijeti=1.3.2024\n", "Nepřípustná hodnota \"1.3.2024\" pro \"Datum_prijeti\"\n"},
        {"Castka=12 kč\n", "Nepřípustná hodnota \"12 kč\" pro \"Castka\"\n"},
        {"Generovat=ano\n", "Nepřípustná hodnota \"ano\" pro \"Generovat\"\n"},
    };
    for (const auto& row : rows) {
        Header(GoodHeader + row.Line);
        const TToolRun r = CheckOnly({Clean});
        EXPECT_EQ(r.Status, 2) << row.Line;
        EXPECT_EQ(r.Err, row.Message);
        EXPECT_EQ(r.Out, "");
    }
}

TEST_F(SendToolFixture, AWrongPasswordAQuestionAndAMissingFileEndTheRunWithTheirStatus) {
    Header(GoodHeader);
    TToolRun r = Send({"--check-only", "--invoice", (m_Dir / "faktura.ini").string(), Clean}, "AB99\n");
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Err, "Chybné heslo.\n");

    // The year of the invoice differs from the issue date's: the question needs --yes.
    Header(Common + "Rok_faktury=2023\n");
    r = CheckOnly({Clean});
    EXPECT_EQ(r.Status, 4);
    EXPECT_EQ(r.Err, "Rok vystavení faktury je jiný než rok z datumu vystavení. Pokračovat ?\n");
    r = CheckOnly({Clean}, {"--yes"});
    EXPECT_EQ(r.Status, 0) << r.Err;

    Header(GoodHeader);
    r = CheckOnly({(m_Dir / "missing.txt").string()});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Err, "Soubor \"" + (m_Dir / "missing.txt").string() + "\" neexistuje.\n");
    EXPECT_TRUE(WorkDirEmpty());

    EXPECT_EQ(Send({"--invoice"}).Status, 2);
}

TEST_F(SendToolFixture, TheReportCanBeWrittenAsPdf) {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    Header(GoodHeader);
    const fs::path pdf = m_Dir / "protokol.pdf";
    const TToolRun r = CheckOnly({Clean}, {"--report-pdf", pdf.string()});
    ASSERT_EQ(r.Status, 0) << r.Err;
    const std::string command = "pdftotext -raw '" + pdf.string() + "' '" + (m_Dir / "protokol.txt").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const std::string text = ndlemo::test::ReadWhole(m_Dir / "protokol.txt");
    const size_t title = text.find("Příjem dávek LEMO");
    const size_t result = text.find("Fakturu a dávky lze přijmout");
    EXPECT_NE(title, std::string::npos) << text;
    EXPECT_NE(result, std::string::npos) << text;
    EXPECT_NE(text.find("LM01"), std::string::npos);
    EXPECT_NE(text.find("1 z 1"), std::string::npos);
}

TEST_F(SendToolFixture, WhileTheProgramRunsForTheUserNothingRuns) {
    Header(GoodHeader);
    ndlemo::platform::TSingleInstanceLock program("ProgramNdLemo", m_Dir / "run");
    ASSERT_TRUE(program.TryAcquire());
    const TToolRun r = CheckOnly({Clean});
    EXPECT_EQ(r.Status, 2);
    EXPECT_EQ(r.Err, "Program NdLemo je již spuštěn.\n");
    EXPECT_FALSE(fs::exists(m_Dir / "pracovni")) << "not even the start-up ran";
}
