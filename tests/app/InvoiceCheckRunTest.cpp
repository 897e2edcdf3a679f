#include "app/InvoiceCheckRun.h"

#include "app/TPrijemController.h"
#include "invoice/TAttachedFileList.h"
#include "invoice/TdtmPrijem.h"
#include "support/EAbort.h"
#include "support/ESubroutineError.h"
#include "support/TClock.h"
#include "support/TFormatSettings.h"
#include "support/TRequestList.h"
#include "support/TScriptedMessageBoxes.h"

#include "TestData.h"
#include "TestTempDir.h"
#include "app/RecordingRunUi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

using namespace ndlemo;
namespace fs = std::filesystem;

namespace {
const fs::path Data = fs::path(NDLEMO_TEST_DATA_DIR) / "check";

using test::TRecordingRunUi;

// A program directory in upload mode with its directories, a valid invoice on the form and the clean fixture
// attached.
class CheckRunFixture : public ::testing::Test {
protected:
    void SetUp() override {
        TFormatSettings::Set(TFormatSettings{});
        TClock::SetNow(TDateTime::FromParts(2024, 3, 15, 8, 30, 0));
        for (const char* dir : {"davky", "odeslane", "upload", "pracovni", "out/zaloha"})
            fs::create_directories(m_Dir / dir);
        AppSettings& s = m_Controller.Settings;
        s.Pracoviste = "AB12";
        s.DirDavky = (m_Dir / "davky").string();
        s.DirOdeslane = (m_Dir / "odeslane").string();
        s.TypPrenosu = TTransferType(TTransferMode::Upload);
        s.UploadAdresa = "file:///upload.html";
        s.UploadOutDir = (m_Dir / "upload").string();
        s.DefaultOdbICO = "11111111";
        s.DefaultOdbNazev = "Lemo";
        s.DefaultOdbUlice = "Hlavní 1";
        s.DefaultOdbPsc = "11000";
        s.DefaultOdbObec = "Praha";

        m_Form.ICZ = "12345678";
        m_Form.CisFaktury = " 123 ";
        m_Form.ICO = "87654321";
        m_Form.RokFaktury = "2024";
        m_Form.DatVystaveni = "05.03.2024";
        m_Form.DatOdeslani = "  .  .    ";
        m_Form.DatPrijeti = "15.03.2024";
        m_Form.DatSplatnosti = "31.04.2024";
        m_Form.Castka = 1234.565;
        m_Form.Ucet = "19-123456789";
        m_Form.Banka = "0100";
        m_Form.VS = "123";
        Attach("clean.txt");
    }
    void TearDown() override {
        TClock::SetNow(std::nullopt);
        TFormatSettings::Set(TFormatSettings{});
    }
    void Attach(const std::string& fixture) { m_Files.Add(Data / fixture); }
    bool Check() { return CheckInvoice(m_Controller, m_Form, m_Files, m_Ui); }
    // The message the check raises, or "" when it passes.
    std::string Refusal() {
        try {
            Check();
        } catch (const ESubroutineError& e) {
            return e.what();
        }
        return {};
    }

    test::TTestTempDir m_Temp{"check"};
    const fs::path m_Dir = m_Temp.Path();
    TPrijemController m_Controller{m_Dir, m_Dir / "NdLemo"};
    TdtmPrijem m_Dtm;
    TAttachedFileList m_Files{TFileListKind::Batch, m_Dtm.qssPRS, m_Dir / "pracovni"};
    TInvoiceForm m_Form;
    TRecordingRunUi m_Ui;
    TScriptedMessageBoxes m_Boxes;
};
} // namespace

TEST_F(CheckRunFixture, ACleanInvoiceFillsTheRecordAndWritesBackWhatItNormalises) {
    ASSERT_TRUE(Check());
    const TLemoPrij& prij = m_Controller.Prij;
    EXPECT_EQ(prij.CisloFaktury, "123");
    EXPECT_EQ(m_Form.CisFaktury, "123");
    EXPECT_EQ(m_Form.DatSplatnosti, "30.04.2024");
    EXPECT_EQ(prij.DatumSplatnosti, TDate::FromYmd(2024, 4, 30));
    EXPECT_EQ(m_Form.DatOdeslani, "");
    EXPECT_TRUE(prij.DatumOdeslani.IsNull());
    EXPECT_DOUBLE_EQ(m_Form.Castka, 1234.57);
    EXPECT_DOUBLE_EQ(prij.Castka, 1234.57);
    EXPECT_EQ(prij.OdbNazev, "Lemo");
    ASSERT_EQ(prij.Soubory.size(), 1u);
    const TLemoSoubor& file = *prij.Soubory[0];
    EXPECT_EQ(file.JmenoSouboru, (m_Dir / "pracovni" / "tmp_file.001").string());
    EXPECT_EQ(file.Zdroj, "clean.txt");
    EXPECT_EQ(file.Velikost, static_cast<int32_t>(fs::file_size(Data / "clean.txt")));
    EXPECT_FALSE(file.Davky.empty());
    EXPECT_TRUE(file.Chyby.empty());
    EXPECT_TRUE(fs::is_directory(m_Dir / "odeslane" / "2024" / "03"));
    EXPECT_TRUE(m_Boxes.Shown.empty());
}

TEST_F(CheckRunFixture, EachHeaderRuleStopsTheRunWithItsFirstError) {
    const struct {
        const char* Name;
        std::function<void(TInvoiceForm&, AppSettings&)> Change;
        std::string Message;
    } rows[] = {
        {"seven-digit IČZ", [](TInvoiceForm& f, AppSettings&) { f.ICZ = "1234567"; },
         "Délka hodnoty \"IČZ\" musí být 8 a ne 7"},
        {"a pasted letter in IČZ", [](TInvoiceForm& f, AppSettings&) { f.ICZ = "1234567a"; },
         "Hodnota \"IČZ\" smí obsahovat pouze znaky \"0 až 9\""},
        {"IČO", [](TInvoiceForm& f, AppSettings&) { f.ICO = " 123 "; }, "Délka hodnoty \"IČO\" musí být 8 a ne 3"},
        {"empty invoice number", [](TInvoiceForm& f, AppSettings&) { f.CisFaktury = "  "; },
         "Nepřípustná hodnota \"\" pro \"Číslo faktury\""},
        {"invoice number with a slash", [](TInvoiceForm& f, AppSettings&) { f.CisFaktury = "12/3"; },
         "Hodnota \"Číslo faktury\" smí obsahovat pouze znaky \"0 až 9\""},
        {"invoice number of eleven digits", [](TInvoiceForm& f, AppSettings&) { f.CisFaktury = "12345678901"; },
         "Nepřípustná hodnota \"12345678901\" pro \"Číslo faktury\""},
        {"year", [](TInvoiceForm& f, AppSettings&) { f.RokFaktury = "24"; },
         "Délka hodnoty \"Rok vystavení\" musí být 4 a ne 2"},
        {"no issue date", [](TInvoiceForm& f, AppSettings&) { f.DatVystaveni = "  .  .    "; },
         "Pole \"Datum vystavení\" musí být zadáno"},
        {"no receipt date", [](TInvoiceForm& f, AppSettings&) { f.DatPrijeti = ""; },
         "Pole \"Datum přijetí\" musí být zadáno"},
        {"no maturity date", [](TInvoiceForm& f, AppSettings&) { f.DatSplatnosti = ""; },
         "Pole \"Datum splatnosti\" musí být zadáno"},
        {"a date that is none", [](TInvoiceForm& f, AppSettings&) { f.DatOdeslani = "15.13.2024"; },
         "Nepřípustná hodnota 15.13.2024 pro datum"},
        {"receipt before issue", [](TInvoiceForm& f, AppSettings&) { f.DatPrijeti = "04.03.2024"; },
         "Datum přijetí je menší než Datum vystavení"},
        {"maturity one day before issue", [](TInvoiceForm& f, AppSettings&) { f.DatSplatnosti = "04.03.2024"; },
         "Datum splatnosti je menší než Datum vystavení"},
        {"no account", [](TInvoiceForm& f, AppSettings&) { f.Ucet = ""; }, "Pole \"Číslo účtu\" musí být zadáno"},
        {"account with a slash", [](TInvoiceForm& f, AppSettings&) { f.Ucet = "19/123"; },
         "Hodnota \"Číslo účtu\" smí obsahovat pouze znaky \"0 až 9,-\""},
        {"bank code", [](TInvoiceForm& f, AppSettings&) { f.Banka = "100"; },
         "Délka hodnoty \"Kód banky\" musí být 4 a ne 3"},
        {"no VS", [](TInvoiceForm& f, AppSettings&) { f.VS = " "; }, "Pole \"VS\" musí být zadáno"},
        {"supplier name with Generovat",
         [](TInvoiceForm& f, AppSettings&) {
             f.GenerFak = true;
             f.DodavatelPsc = "60200";
             f.DodavatelObec = "Brno";
         },
         "Pole \"Název dodavatele\" musí být zadáno"},
        {"supplier postcode with Generovat",
         [](TInvoiceForm& f, AppSettings&) {
             f.GenerFak = true;
             f.DodavatelNazev = "Ordinace";
             f.DodavatelPsc = "602";
         },
         "Délka hodnoty \"PSČ\" musí být 5 a ne 3"},
        {"customer street with Generovat, an empty supplier street passes",
         [](TInvoiceForm& f, AppSettings& s) {
             f.GenerFak = true;
             f.DodavatelNazev = "Ordinace";
             f.DodavatelPsc = "60200";
             f.DodavatelObec = "Brno";
             s.DefaultOdbUlice = "";
         },
         "Pole \"Ulice odběratele\" musí být zadáno"},
        {"customer postcode with Generovat",
         [](TInvoiceForm& f, AppSettings& s) {
             f.GenerFak = true;
             f.DodavatelNazev = "Ordinace";
             f.DodavatelPsc = "60200";
             f.DodavatelObec = "Brno";
             s.DefaultOdbPsc = "";
         },
         "Pole \"PSČ odběratele \" musí být zadáno"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.Name);
        SetUp();
        row.Change(m_Form, m_Controller.Settings);
        EXPECT_EQ(Refusal(), row.Message);
        EXPECT_TRUE(m_Controller.Prij.Soubory.empty()) << "no file is read after a header error";
    }
}

TEST_F(CheckRunFixture, AReceiptDateEqualToTheIssueDatePassesAndEarlierFieldsAreWrittenBack) {
    m_Form.DatPrijeti = "05.03.2024";
    EXPECT_TRUE(Check());
    m_Form.CisFaktury = " 77 ";
    m_Form.DatVystaveni = "31.02.2024";
    m_Form.VS = "";
    EXPECT_EQ(Refusal(), "Pole \"VS\" musí být zadáno");
    EXPECT_EQ(m_Form.CisFaktury, "77");
    EXPECT_EQ(m_Form.DatVystaveni, "29.02.2024");
}

TEST_F(CheckRunFixture, TheYearQuestionDecidesWhetherTheRunGoesOn) {
    m_Form.RokFaktury = "2023";
    m_Boxes.Answers = {false};
    EXPECT_THROW(Check(), EAbort);
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Kind, 'Q');
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Rok vystavení faktury je jiný než rok z datumu vystavení. Pokračovat ?");
    EXPECT_TRUE(m_Ui.Reports.empty());

    m_Boxes.Answers = {true};
    EXPECT_TRUE(Check());
}

TEST_F(CheckRunFixture, InvalidSettingsAreListedAndEndTheRunSilently) {
    m_Controller.Settings.Pracoviste = "AB1";
    m_Controller.Settings.DirDavky = (m_Dir / "nic").string();
    EXPECT_THROW(Check(), EAbort);
    EXPECT_EQ(m_Ui.Requests, (std::vector<std::string>{"Délka hodnoty \"Pracoviště\" musí být 4 a ne 3",
                                                       "Adresář \"" + (m_Dir / "nic").string() + "\" neexistuje."}));

    // In SCP mode the SCP settings join the same list.
    m_Ui.Requests.clear();
    m_Controller.Settings.Pracoviste = "AB12";
    m_Controller.Settings.DirDavky = (m_Dir / "davky").string();
    m_Controller.Settings.TypPrenosu = TTransferType(TTransferMode::Scp);
    EXPECT_THROW(Check(), EAbort);
    EXPECT_EQ(m_Ui.Requests.size(), 7u);
}

TEST_F(CheckRunFixture, AnUploadDirectoryThatIsAWorkingDirectoryIsRefused) {
    for (const fs::path& dir : {m_Dir, m_Dir / "out", m_Dir / "pracovni", m_Dir / "out" / "zaloha"}) {
        m_Controller.Settings.UploadOutDir = dir.string() + "/";
        EXPECT_EQ(Refusal(), "Nepřípustná hodnota \"" + dir.string() + "/\" pro \"Adresář uploadu Lemo\"") << dir;
    }
}

TEST_F(CheckRunFixture, WithoutAttachedFilesTheRunStops) {
    m_Files.Clear();
    EXPECT_EQ(Refusal(), "Nejsou přiřazeny žádné soubory");
}

TEST_F(CheckRunFixture, AnInvoiceInTheArchiveIsFoundWhateverItsWorkplaceAndDate) {
    // Twelve packages of the same invoice, of other workplaces and receipt dates, in nested directories.
    std::vector<fs::path> packages;
    for (int i = 0; i < 12; ++i) {
        const fs::path dir = m_Dir / "odeslane" / "2023" / (i < 6 ? "11" : "12");
        fs::create_directories(dir);
        const fs::path file = dir / ("ZZ" + std::to_string(10 + i) + "_12345678_87654321_2024_xxxxxxx123_202311" +
                                     std::to_string(10 + i) + ".ZIP");
        std::ofstream(file).put('x');
        packages.push_back(file);
    }
    // Another invoice number is no match.
    std::ofstream(m_Dir / "odeslane" / "AB12_12345678_87654321_2024_xxxxxxx124_20240315.zip").put('x');
    std::string expected = "Faktura již byla odeslána\r\n";
    for (int i = 0; i < 11; ++i)
        expected += packages[static_cast<size_t>(i)].string() + "\r\n";
    EXPECT_EQ(Refusal(), expected);
}

TEST_F(CheckRunFixture, FaultyFilesAreReportedAndTheOthersStillRead) {
    // The same batch twice makes the second file faulty; a copy deleted after attaching makes only its file
    // faulty.
    Attach("clean.txt");
    Attach("clean_lf.txt");
    fs::remove(m_Dir / "pracovni" / "tmp_file.003");
    Attach("clean.txt");
    m_Dtm.qssPRS.First();
    const auto current = m_Dtm.qssPRS.GetBookmark();
    EXPECT_FALSE(Check());
    const auto& files = m_Controller.Prij.Soubory;
    ASSERT_EQ(files.size(), 4u);
    EXPECT_TRUE(files[0]->Chyby.empty());
    EXPECT_FALSE(files[1]->Chyby.empty());
    EXPECT_EQ(files[2]->Chyby,
              std::vector<std::string>{"Soubor \"" + (m_Dir / "pracovni" / "tmp_file.003").string() + "\" neexistuje"});
    EXPECT_FALSE(files[3]->Chyby.empty());
    EXPECT_EQ(m_Dtm.qssPRS.GetBookmark(), current) << "the list's current row stays";
}

TEST_F(CheckRunFixture, TheNoModuloLoginReadsEveryFileWithoutTheModuloCheck) {
    m_Files.Clear();
    Attach("errors.txt");
    ASSERT_FALSE(Check());
    const size_t withModulo = m_Controller.Prij.Soubory[0]->Chyby.size();
    m_Controller.NoModulo = true;
    ASSERT_FALSE(Check());
    EXPECT_FALSE(m_Controller.Prij.Soubory[0]->KontrolaModulo);
    EXPECT_LT(m_Controller.Prij.Soubory[0]->Chyby.size(), withModulo);
}

TEST_F(CheckRunFixture, KontrolaShowsTheReportWithItsResult) {
    RunKontrola(m_Controller, m_Form, m_Files, m_Ui);
    ASSERT_EQ(m_Ui.Reports.size(), 1u);
    EXPECT_FALSE(m_Ui.Reports[0].Chyby);
    EXPECT_EQ(m_Ui.Reports[0].FileName, "");
    EXPECT_EQ(m_Ui.Reports[0].Result, "Fakturu a dávky lze přijmout");
    EXPECT_TRUE(m_Boxes.Shown.empty());

    Attach("clean.txt");
    RunKontrola(m_Controller, m_Form, m_Files, m_Ui);
    ASSERT_EQ(m_Ui.Reports.size(), 2u);
    EXPECT_TRUE(m_Ui.Reports[1].Chyby);
    EXPECT_EQ(m_Ui.Reports[1].Result, "Fakturu a dávky nelze přijmout");
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Kontrola proběhla s chybami");
}
