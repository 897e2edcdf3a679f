#include "reports/TfrmSest01.h"
#include "reports/TReportCapture.h"
#include "support/ProgramTables.h"
#include "support/TQsStreamDataSet.h"

#include "reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ndlemo {
namespace {

using test::AllTexts;
using test::TextOn;
using test::TextsOf;
using Texts = std::vector<std::string>;

class TfrmSest01Test : public ::testing::Test {
protected:
    TfrmSest01Test() : m_Table(CreateQssSest01()), m_Form(*m_Table, "/nonexistent/NdLemo") {
        test::FillInvoice(m_Prij);
    }

    TReportDocument Prepare(bool chyby = true, const std::string& fileName = "") {
        return m_Form.Priprav(chyby, "novak", m_Prij, fileName, "Fakturu a dávky nelze přijmout", "PRAC01");
    }

    // Every row of the table, fields joined by "|".
    Texts TableRows() {
        Texts rows;
        for (m_Table->First(); !m_Table->Eof(); m_Table->Next()) {
            std::string row;
            for (const char* f : {"SEST01_Soubor", "SEST01_Davka", "SEST01_Mesic", "SEST01_Rok", "SEST01_Chyba"})
                row += m_Table->FieldByName(f).AsString() + "|";
            rows.push_back(row);
        }
        return rows;
    }

    test::TReportRegion m_Region;
    std::unique_ptr<TQsStreamDataSet> m_Table;
    TfrmSest01 m_Form;
    TLemoPrij m_Prij;
};

const Texts ThreeErrors = {"Řádek 3: Chybný typ věty \"x\"", "Řádek 5: Není přiřazena dávka",
                           "Řádek 9: Chybný počet dokladů v dávce 1"};

TEST_F(TfrmSest01Test, OneRowPerBatchWithTheMarkerAtTheFirstRowOfAFileWithErrors) {
    test::AddFiles(m_Prij, {{{17, 18}, {}}, {{5}, ThreeErrors}, {{}, {"Soubor neexistuje"}}, {{7, 8}, {"x"}}});
    TfrmSest01::NaplnSest01(m_Prij, *m_Table);
    EXPECT_EQ(TableRows(),
              (Texts{"1|17|03|2024||", "1|18|03|2024||", "2|5|03|2024|Ano|", "4|7|03|2024|Ano|", "4|8|03|2024||"}));
    // Refilling starts from an empty table.
    m_Prij.Vycisti();
    TfrmSest01::NaplnSest01(m_Prij, *m_Table);
    EXPECT_EQ(TableRows(), Texts{});
}

TEST_F(TfrmSest01Test, TwoFilesGiveThreeRowsAndTheSecondFilesErrorsInTheMemo) {
    test::AddFiles(m_Prij, {{{17, 18}, {}}, {{5}, ThreeErrors}});
    TReportDocument doc = Prepare();
    ASSERT_EQ(doc.Pages.size(), 1u);
    EXPECT_EQ(TextsOf(doc, "qrdbtDavka"), (Texts{"17", "18", "5"}));
    // The file number only in the first row of each file.
    EXPECT_EQ(TextsOf(doc, "qrdbtSoubor"), (Texts{"1", "2"}));
    EXPECT_EQ(TextsOf(doc, "qrdbtChyba"), Texts{"Ano"});
    EXPECT_EQ(TextsOf(doc, "qrmemChyby"),
              (Texts{"Chyby souboru 2 :", ThreeErrors[0], ThreeErrors[1], ThreeErrors[2], ""}));
    // The number of file 2 and its marker stand in the same row as its batch.
    const TReportPage& page = doc.Pages[0];
    auto rowOf = [&](const std::string& item, const std::string& text) {
        for (const TReportElement& e : page.Elements)
            if (e.Item == item && e.Text == text)
                return e.Top;
        return -1.0;
    };
    EXPECT_DOUBLE_EQ(rowOf("qrdbtSoubor", "2"), rowOf("qrdbtDavka", "5"));
    EXPECT_DOUBLE_EQ(rowOf("qrdbtChyba", "Ano"), rowOf("qrdbtDavka", "5"));
    EXPECT_EQ(TextOn(page, "qrsysStranka"), "1 z 1");
}

TEST_F(TfrmSest01Test, AFileThatFailedBeforeItsFirstBatchListsItsErrorUnderItsNumber) {
    test::AddFiles(m_Prij, {{{17}, {}}, {{}, {"Soubor \"b.dav\" neexistuje"}}});
    TReportDocument doc = Prepare();
    EXPECT_EQ(TextsOf(doc, "qrdbtDavka"), Texts{"17"});
    EXPECT_EQ(TextsOf(doc, "qrmemChyby"), (Texts{"Chyby souboru 2 :", "Soubor \"b.dav\" neexistuje", ""}));
}

TEST_F(TfrmSest01Test, WithoutTheErrorsFlagTheColumnCaptionIsBlankButTheMarkersPrint) {
    test::AddFiles(m_Prij, {{{5}, ThreeErrors}});
    EXPECT_EQ(TextsOf(Prepare(true), "qrlblCChyba"), Texts{"Chyby souboru"});
    TReportDocument doc = Prepare(false);
    EXPECT_EQ(TextsOf(doc, "qrlblCChyba"), Texts{});
    EXPECT_EQ(TextsOf(doc, "qrdbtChyba"), Texts{"Ano"});
}

TEST_F(TfrmSest01Test, HeaderAndTitleShowTheInvoiceInTheRegionalFormats) {
    TReportDocument doc = Prepare();
    const TReportPage& page = doc.Pages[0];
    const std::pair<const char*, const char*> expected[] = {
        {"qrlblPracoviste", "PRAC01"},
        {"qrlblDatPrijeti", "05.03.2024"},
        {"qrlblICZ", "12345678"},
        {"qrlblCisloFaktury", "2024000123"},
        {"qrlblRokVystaveni", "2024"},
        {"qrlblDatVystaveni", "01.03.2024"},
        {"qrlblDatOdeslani", "04.03.2024"},
        {"qrlblDatSplatnosti", "31.03.2024"},
        {"qrlblICO", "87654321"},
        {"qrlblUcet", "19-123456789 / 0100"},
        {"qrlblVarSymbol", "2024000123"},
        {"qrlblCelkem", "1\u00A0234\u00A0567,50"},
        {"qrlblPopis", "Ambulantní péče"},
        {"qrmemPoznamka", "Opravná faktura"},
        {"qrlblUzivatel", "novak"},
        {"qrlblDatum", "15.03.2024"},
        {"qrlblVerze", "0.0.0.0"},
        {"qrlblResult", "Fakturu a dávky nelze přijmout"},
        {"qrlblTitul", "Příjem dávek LEMO"},
    };
    for (auto [item, text] : expected)
        EXPECT_EQ(TextOn(page, item), text) << item;
}

// One row per value that must leave its label empty rather than print a stray separator or a zero date.
TEST_F(TfrmSest01Test, EmptyDatesAndAnEmptyAccountLeaveTheirLabelsEmpty) {
    struct TRow {
        const char* Ucet;
        const char* Banka;
        const char* Expected;
    };
    const TRow rows[] = {{"", "", ""}, {" ", " ", ""}, {"123", "", "123 / "}, {"", "0100", " / 0100"}};
    m_Prij.DatumPrijeti = TDate();
    m_Prij.DatumOdeslani = TDate();
    for (const TRow& row : rows) {
        m_Prij.CisloUctu = row.Ucet;
        m_Prij.KodBanky = row.Banka;
        const TReportPage page = Prepare().Pages[0];
        EXPECT_EQ(TextOn(page, "qrlblUcet"), row.Expected) << row.Ucet << "/" << row.Banka;
        EXPECT_EQ(page.Find("qrlblDatPrijeti"), nullptr);
        EXPECT_EQ(page.Find("qrlblDatOdeslani"), nullptr);
        EXPECT_EQ(TextOn(page, "qrlblCDatPrijeti"), "Datum přijetí:");
    }
}

TEST_F(TfrmSest01Test, TheFileCaptionPrintsOnlyWithAFileName) {
    EXPECT_EQ(TextsOf(Prepare(false, ""), "qrlblFile"), Texts{});
    TReportDocument doc = Prepare(false, "NDLF_PRAC01_12345678.zip");
    EXPECT_EQ(TextsOf(doc, "qrlblFile"), Texts{"Soubor:"});
    EXPECT_EQ(TextsOf(doc, "qrlblFileName"), Texts{"NDLF_PRAC01_12345678.zip"});
}

TEST_F(TfrmSest01Test, AThreePageReportNumbersItsPagesOneOfThreeToThreeOfThree) {
    std::vector<int> batches(120);
    for (int i = 0; i < 120; ++i)
        batches[static_cast<size_t>(i)] = i + 1;
    test::AddFiles(m_Prij, {{batches, {}}, {{121}, ThreeErrors}});
    TReportDocument doc = Prepare();
    ASSERT_EQ(doc.Pages.size(), 3u);
    EXPECT_EQ(TextsOf(doc, "qrsysStranka"), (Texts{"1 z 3", "2 z 3", "3 z 3"}));
    for (size_t p = 0; p < 3; ++p) {
        const TReportPage& page = doc.Pages[p];
        for (const char* item : {"qrlblTitul", "qrlblCICZ", "qrlblICZ", "qrlblCSoubor", "qrlblCChyba", "qrlblVerze"})
            EXPECT_NE(page.Find(item), nullptr) << p << " " << item;
        EXPECT_EQ(page.Find("qrlblCICO") != nullptr, p == 0) << p;   // title band once
        EXPECT_EQ(page.Find("qrlblResult") != nullptr, p == 2) << p; // summary once
    }
    // File 1 runs over the page break: its number is not repeated on page 2; file 2's number prints.
    EXPECT_EQ(TextsOf(doc, "qrdbtSoubor"), (Texts{"1", "2"}));
    EXPECT_EQ(TextsOf(doc, "qrdbtDavka").size(), 121u);
}

TEST_F(TfrmSest01Test, ThreeThousandErrorLinesPrintEachOnceInOrderOnNumberedPages) {
    Texts errors;
    for (int i = 1; i <= 3000; ++i)
        errors.push_back("Řádek " + std::to_string(i * 10) + ": Nepřípustná hodnota \"" + std::to_string(i) +
                         "\" pro \"Číslo dokladu\"");
    test::AddFiles(m_Prij, {{{1, 2}, {}}, {{3}, errors}});
    TReportDocument doc = Prepare();
    Texts expected = {"Chyby souboru 2 :"};
    expected.insert(expected.end(), errors.begin(), errors.end());
    expected.emplace_back();
    EXPECT_EQ(TextsOf(doc, "qrmemChyby"), expected);

    const size_t pages = doc.Pages.size();
    ASSERT_GT(pages, 40u);
    for (size_t p = 0; p < pages; ++p) {
        const TReportPage& page = doc.Pages[p];
        EXPECT_EQ(TextOn(page, "qrsysStranka"), std::to_string(p + 1) + " z " + std::to_string(pages));
        EXPECT_EQ(TextOn(page, "qrlblTitul"), "Příjem dávek LEMO") << p;
        EXPECT_EQ(TextOn(page, "qrlblCICZ"), "IČZ:") << p;
        EXPECT_EQ(TextOn(page, "qrlblCSoubor"), "Soubor") << p;
        EXPECT_EQ(TextOn(page, "qrlblStranka"), "Stránka:") << p;
    }
}

TEST_F(TfrmSest01Test, NahledShowsTheSecondPassInThePreviewOrNothingWithoutOne) {
    test::AddFiles(m_Prij, {{{5}, ThreeErrors}});
    // No preview installed (command-line use): nothing happens.
    m_Form.Nahled(true, "novak", m_Prij, "", "Fakturu a dávky nelze přijmout", "PRAC01");
    TReportCapture capture;
    m_Form.Nahled(false, "novak", m_Prij, "a.zip", "Faktura a dávky byly přijaty", "PRAC01");
    ASSERT_EQ(capture.Shown.size(), 1u);
    const TReportDocument& shown = capture.Shown[0];
    EXPECT_EQ(shown.Title, "Náhled sestavy");
    EXPECT_EQ(TextsOf(shown, "qrsysStranka"), Texts{"1 z 1"});
    EXPECT_EQ(TextsOf(shown, "qrlblResult"), Texts{"Faktura a dávky byly přijaty"});
    // The next showing counts its pages afresh.
    std::vector<int> batches(120, 1);
    test::AddFiles(m_Prij, {{batches, {}}});
    m_Form.Nahled(false, "novak", m_Prij, "a.zip", "Faktura a dávky byly přijaty", "PRAC01");
    EXPECT_EQ(TextsOf(capture.Shown.at(1), "qrsysStranka"), (Texts{"1 z 3", "2 z 3", "3 z 3"}));
}

} // namespace
} // namespace ndlemo
