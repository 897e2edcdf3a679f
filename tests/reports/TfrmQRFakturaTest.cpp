#include "reports/TfrmQRFaktura.h"
#include "reports/TReportCapture.h"
#include "support/TQsStreamDataSet.h"

#include "TestTempDir.h"
#include "reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace ndlemo {
namespace {

using test::AllTexts;
using test::TextOn;
using test::TextsOf;
using Texts = std::vector<std::string>;

class TfrmQRFakturaTest : public ::testing::Test {
protected:
    TfrmQRFakturaTest() {
        test::FillInvoice(m_Prij);
        m_Prij.DodNazev = "Poliklinika Jih s.r.o.";
        m_Prij.DodUlice = "Zdravá 12";
        m_Prij.DodPsc = "14000";
        m_Prij.DodObec = "Praha 4";
        m_Prij.OdbICO = "47114304";
        m_Prij.OdbNazev = "Zdravotní pojišťovna Lemo";
        m_Prij.OdbUlice = "Pojišťovací 1";
        m_Prij.OdbPsc = "11000";
        m_Prij.OdbObec = "Praha 1";
    }

    // The send run's sequence up to the layout.
    TReportDocument Prepare() {
        m_Form.FillInvoiceBatches(m_Prij);
        m_Form.SetInvoiceValues(TInvoiceValues::FromRecord(m_Prij));
        return m_Form.Prepare();
    }

    test::TReportRegion m_Region;
    TfrmQRFaktura m_Form;
    TLemoPrij m_Prij;
};

TEST_F(TfrmQRFakturaTest, FillInvoiceBatchesNumbersTheFilesFromOne) {
    test::AddFiles(m_Prij, {{{17, 18}, {}}, {{}, {"chyba"}}, {{3}, {}, "12", "2023"}});
    m_Form.FillInvoiceBatches(m_Prij);
    TQsStreamDataSet& table = m_Form.Table();
    Texts rows;
    for (table.First(); !table.Eof(); table.Next())
        rows.push_back(table.FieldByName("qssSestQRF_Soubor").AsString() + "|" +
                       table.FieldByName("qssSestQRF_Davka").AsString() + "|" +
                       table.FieldByName("qssSestQRF_Mesic").AsString() + "|" +
                       table.FieldByName("qssSestQRF_Rok").AsString());
    EXPECT_EQ(rows, (Texts{"1|17|03|2024", "1|18|03|2024", "3|3|12|2023"}));
}

TEST_F(TfrmQRFakturaTest, TheHeaderValuesInTheRegionalFormats) {
    const TReportPage page = Prepare().Pages.at(0);
    const std::pair<const char*, const char*> expected[] = {
        {"qrlblTitul1", "FAKTURA za dávky"},
        {"qrlblICZ", "12345678"},
        {"qrlblICO", "87654321"},
        {"qrlblCisloFaktury", "2024000123"},
        {"qrlblDodavatelNazev", "Poliklinika Jih s.r.o."},
        {"qrlblDodavatelUlice", "Zdravá 12"},
        {"qrlblDodavatelObec", "14000 Praha 4"},
        {"qrlblOdberatelICO", "47114304"},
        {"qrlblOdberatelNazev", "Zdravotní pojišťovna Lemo"},
        {"qrlblOdberatelUlice", "Pojišťovací 1"},
        {"qrlblOdberatelObec", "11000 Praha 1"},
        {"qrlblUcet", "19-123456789/0100"},
        {"qrlblVarSymbol", "2024000123"},
        {"qrlblDatVystaveni", "01.03.2024"},
        {"qrlblDatOdeslani", "04.03.2024"},
        {"qrlblDatSplatnosti", "31.03.2024"},
        {"qrlblCelkem", "1\u00A0234\u00A0567,50"},
        {"qrlblCCelkem", "Celkem Kč:"},
    };
    for (auto [item, text] : expected)
        EXPECT_EQ(TextOn(page, item), text) << item;
}

// One row per edge of the values that the printout formats itself.
TEST_F(TfrmQRFakturaTest, DatesAmountsAndAddressesFormatAtTheirEdges) {
    struct TRow {
        double Odeslani;
        double Celkem;
        const char* Psc;
        const char* Obec;
        const char* Date;
        const char* Amount;
        const char* Town;
    };
    const TRow rows[] = {
        {0.0, 0.0, "", "", "", "0,00", ""},
        {0.75, 1234567.5, " 110 00 ", " Praha ", "", "1\u00A0234\u00A0567,50", "110 00 Praha"},
        {45355.0, 999.994, "", "Praha", "04.03.2024", "999,99", "Praha"},
        {45355.5, -15.0, "11000", "  ", "04.03.2024", "-15,00", "11000"},
    };
    for (const TRow& row : rows) {
        TInvoiceValues values = TInvoiceValues::FromRecord(m_Prij);
        values.DatOdeslani = TDateTime(row.Odeslani);
        values.DatSplatnosti = TDateTime(row.Odeslani);
        values.Celkem = row.Celkem;
        values.DodPsc = row.Psc;
        values.DodObec = row.Obec;
        m_Form.SetInvoiceValues(values);
        const TReportPage page = m_Form.Prepare().Pages.at(0);
        SCOPED_TRACE(row.Amount);
        EXPECT_EQ(TextOn(page, "qrlblDatOdeslani"), row.Date);
        EXPECT_EQ(TextOn(page, "qrlblDatSplatnosti"), row.Date);
        EXPECT_EQ(TextOn(page, "qrlblCelkem"), row.Amount);
        EXPECT_EQ(TextOn(page, "qrlblDodavatelObec"), row.Town);
    }
}

TEST_F(TfrmQRFakturaTest, AGapSetsTheBatchesOfEachFileApart) {
    test::AddFiles(m_Prij, {{{1, 2}, {}}, {{3, 4}, {}}});
    TReportDocument doc = Prepare();
    std::vector<double> tops;
    for (const TReportElement& e : doc.Pages.at(0).Elements)
        if (e.Item == "qrdbtDavka")
            tops.push_back(e.Top);
    ASSERT_EQ(tops.size(), 4u);
    EXPECT_NEAR(tops[1] - tops[0], 5.0, 0.01);
    EXPECT_NEAR(tops[2] - tops[1], 5.0 + 2.1, 0.01);
    EXPECT_NEAR(tops[3] - tops[2], 5.0, 0.01);
    EXPECT_EQ(TextsOf(doc, "qrdbtDavka"), (Texts{"1", "2", "3", "4"}));
}

TEST_F(TfrmQRFakturaTest, SixtyBatchesRunOverTwoPagesWithTheTitleOnBoth) {
    std::vector<int> batches;
    for (int i = 1; i <= 60; ++i)
        batches.push_back(i);
    test::AddFiles(m_Prij, {{batches, {}}});
    TReportDocument doc = Prepare();
    ASSERT_EQ(doc.Pages.size(), 2u);
    EXPECT_EQ(TextsOf(doc, "qrdbtDavka").size(), 60u);
    for (size_t p = 0; p < 2; ++p) {
        const TReportPage& page = doc.Pages[p];
        EXPECT_EQ(TextOn(page, "qrlblTitul1"), "FAKTURA za dávky") << p;
        EXPECT_EQ(TextOn(page, "qrlblCICZ"), "IČZ:") << p;
        EXPECT_EQ(TextOn(page, "qrlblCDavka"), "Dávka") << p;
        EXPECT_EQ(page.Find("qrlblDodavatel") != nullptr, p == 0) << p;
        EXPECT_FALSE(page.Elements.empty());
        // Drawn last, over the page header.
        EXPECT_EQ(page.Elements.back().Text, "FAKTURA za dávky") << p;
    }
    // No page numbers anywhere.
    for (const std::string& text : AllTexts(doc))
        EXPECT_EQ(text.find(" z "), std::string::npos) << text;
}

TEST_F(TfrmQRFakturaTest, ExportPdfNeverOverwritesAndFindsItsTextsInOrder) {
    test::AddFiles(m_Prij, {{{17, 18}, {}}, {{19}, {}}});
    test::TTestTempDir dir("qrf");
    m_Form.FillInvoiceBatches(m_Prij);
    m_Form.SetInvoiceValues(TInvoiceValues::FromRecord(m_Prij));
    std::filesystem::path first = dir.Path() / "NDLF_PRAC01.pdf";
    ASSERT_TRUE(m_Form.ExportPdf(first));
    EXPECT_EQ(first, dir.Path() / "NDLF_PRAC01.pdf");
    std::filesystem::path second = dir.Path() / "NDLF_PRAC01.pdf";
    ASSERT_TRUE(m_Form.ExportPdf(second));
    EXPECT_EQ(second, dir.Path() / "NDLF_PRAC01_001.pdf");

    std::string missing;
    EXPECT_TRUE(test::InOrder(test::PdfText(second),
                              {"IČZ:",
                               "12345678",
                               "Číslo faktury:",
                               "2024000123",
                               "Dodavatel",
                               "Poliklinika Jih",
                               "Odběratel",
                               "IČO:",
                               "47114304",
                               "Číslo účtu:",
                               "19-123456789/0100",
                               "Celkem Kč:",
                               "1 234 567,50",
                               "Dávka",
                               "Měsíc",
                               "Rok",
                               "17",
                               "03",
                               "2024",
                               "18",
                               "19",
                               "FAKTURA za dávky"},
                              &missing))
        << missing;
}

TEST_F(TfrmQRFakturaTest, ExportPdfReturnsFalseWhenTheFileCannotBeWritten) {
    test::TTestTempDir dir("qrf");
    std::filesystem::path intoMissingFolder = dir.Path() / "chybi" / "faktura.pdf";
    EXPECT_FALSE(m_Form.ExportPdf(intoMissingFolder));
    EXPECT_EQ(intoMissingFolder, dir.Path() / "chybi" / "faktura.pdf");
    std::filesystem::create_directory(dir.Path() / "slozka.pdf");
    std::filesystem::path ontoFolder = dir.Path() / "slozka.pdf";
    // The folder's name is taken, so the export tries the next name and succeeds there.
    EXPECT_TRUE(m_Form.ExportPdf(ontoFolder));
    EXPECT_EQ(ontoFolder, dir.Path() / "slozka_001.pdf");
}

TEST_F(TfrmQRFakturaTest, ShowPreviewHandsOnePassToThePreview) {
    test::AddFiles(m_Prij, {{{17}, {}}});
    m_Form.FillInvoiceBatches(m_Prij);
    m_Form.SetInvoiceValues(TInvoiceValues::FromRecord(m_Prij));
    TReportCapture capture;
    m_Form.ShowPreview();
    ASSERT_EQ(capture.Shown.size(), 1u);
    EXPECT_EQ(capture.Shown[0].Title, "Náhled sestavy");
    EXPECT_EQ(TextsOf(capture.Shown[0], "qrdbtDavka"), Texts{"17"});
}

} // namespace
} // namespace ndlemo
