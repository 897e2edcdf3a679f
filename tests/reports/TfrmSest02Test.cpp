#include "reports/TfrmSest02.h"
#include "reports/TReportCapture.h"
#include "reports/TReportPdfWriter.h"
#include "support/ProgramTables.h"
#include "support/TQsStreamDataSet.h"

#include "TestTempDir.h"
#include "reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ndlemo {
namespace {

using test::TextOn;
using test::TextsOf;
using Texts = std::vector<std::string>;

class TfrmSest02Test : public ::testing::Test {
protected:
    TfrmSest02Test() : m_Table(CreateQssSest02()), m_Form(*m_Table, "/nonexistent/NdLemo") {
        m_Prij.ICZ = "12345678";
        m_Prij.ICO = "87654321";
        m_Prij.Poznamka = "Zprávy z února";
        m_Prij.IdPrenosu = "20240315142501123042";
    }

    void AddFiles(int count) {
        for (int i = 1; i <= count; ++i) {
            auto file = std::make_unique<TLemoSoubor>();
            file->Zdroj = "zprava" + std::to_string(i) + ".pdf";
            file->Velikost = 1000 * i;
            file->DatumZdroje = TDateTime::FromParts(2024, 3, 1, 9, 5, 7);
            m_Prij.Soubory.push_back(std::move(file));
        }
    }

    TReportDocument Prepare(const std::string& package = "NDLLZ_PRAC01_12345678.zip") {
        return m_Form.PrepareFilesReport("novak", "PRAC01", m_Prij, package, "Lékařské zprávy byly odeslány");
    }

    test::TReportRegion m_Region;
    std::unique_ptr<TQsStreamDataSet> m_Table;
    TfrmSest02 m_Form;
    TLemoPrij m_Prij;
};

TEST_F(TfrmSest02Test, FillFileRowsListsEveryFileWithSizeAndDate) {
    AddFiles(2);
    m_Prij.Soubory[1]->DatumZdroje = TDateTime();
    TfrmSest02::FillFileRows(m_Prij, *m_Table);
    Texts rows;
    for (m_Table->First(); !m_Table->Eof(); m_Table->Next())
        rows.push_back(m_Table->FieldByName("qssSest02_SrcFileName").AsString() + "|" +
                       std::to_string(m_Table->FieldByName("qssSest02_FileSize").AsInteger()) + "|" +
                       (m_Table->FieldByName("qssSest02_SrcDateTime").IsNull() ? "null" : "date"));
    EXPECT_EQ(rows, (Texts{"zprava1.pdf|1000|date", "zprava2.pdf|2000|null"}));
}

TEST_F(TfrmSest02Test, OneFileGivesOnePageWithEveryValue) {
    AddFiles(1);
    TReportDocument doc = Prepare();
    ASSERT_EQ(doc.Pages.size(), 1u);
    const TReportPage& page = doc.Pages[0];
    const std::pair<const char*, const char*> expected[] = {
        {"qrlblTitul1", "Přenos lékařských zpráv LEMO"},
        {"qrlblCPracoviste", "Pracoviště:"},
        {"qrlblPracoviste", "PRAC01"},
        {"grlblCPoznamka", "Poznámka:"},
        {"qrmemPoznamka", "Zprávy z února"},
        {"qrlblCICZ", "IČZ:"},
        {"qrlblICZ", "12345678"},
        {"qrlblCICO", "IČO:"},
        {"qrlblICO", "87654321"},
        {"qrlblCPrenosId", "Id přenosu:"},
        {"qrlblPrenosId", "20240315142501123042"},
        {"qrlblCSoubor", "Soubor"},
        {"qrlblCFileSize", "Velikost"},
        {"qrlblCDatum", "Datum"},
        {"qrdbtSoubor", "zprava1.pdf"},
        {"qrdbtFileSize", "1000"},
        {"qrdbtDatum", "01.03.2024 9:05:07"},
        {"qrlblResult", "Lékařské zprávy byly odeslány"},
        {"qrlblFile", "Soubor:"},
        {"qrlblFileName", "NDLLZ_PRAC01_12345678.zip"},
        {"qrlblVerzeNadpis", "Verze programu:"},
        {"qrlblVerze", "0.0.0.0"},
        {"qrlblUzivatel", "novak"},
        {"qrlblDatum", "15.03.2024"},
        {"qrsysStranka", "1 z 1"},
    };
    for (auto [item, text] : expected)
        EXPECT_EQ(TextOn(page, item), text) << item;
}

TEST_F(TfrmSest02Test, ThreePagesRepeatTheHeadersAndEndWithTheSummary) {
    AddFiles(100);
    TReportDocument doc = Prepare();
    ASSERT_EQ(doc.Pages.size(), 3u);
    EXPECT_EQ(TextsOf(doc, "qrsysStranka"), (Texts{"1 z 3", "2 z 3", "3 z 3"}));
    EXPECT_EQ(TextsOf(doc, "qrdbtSoubor").size(), 100u);
    for (size_t p = 0; p < 3; ++p) {
        const TReportPage& page = doc.Pages[p];
        EXPECT_EQ(TextOn(page, "qrlblTitul1"), "Přenos lékařských zpráv LEMO") << p;
        EXPECT_EQ(TextOn(page, "qrlblCDatum"), "Datum") << p;
        EXPECT_EQ(page.Find("qrlblResult") != nullptr, p == 2) << p;
    }
    // The summary follows the last row.
    const TReportPage& last = doc.Pages[2];
    double lastRow = 0;
    for (const TReportElement& e : last.Elements)
        if (e.Item == "qrdbtSoubor")
            lastRow = e.Top;
    EXPECT_GT(last.Find("qrlblResult")->Top, lastRow);
}

TEST_F(TfrmSest02Test, AReportWithoutFilesPrintsAndWithoutPackageHidesTheFileCaption) {
    TReportDocument doc = Prepare("");
    ASSERT_EQ(doc.Pages.size(), 1u);
    EXPECT_EQ(doc.Pages[0].Find("qrlblFile"), nullptr);
    EXPECT_EQ(TextOn(doc.Pages[0], "qrlblResult"), "Lékařské zprávy byly odeslány");
    EXPECT_EQ(TextOn(doc.Pages[0], "qrsysStranka"), "1 z 1");
}

TEST_F(TfrmSest02Test, TheNoteShowsItsLinesAsFarAsItsBoxGoes) {
    m_Prij.Poznamka = "první\r\ndruhý\r\ntřetí\r\nčtvrtý\r\npátý";
    EXPECT_EQ(TextsOf(Prepare(), "qrmemPoznamka"), (Texts{"první", "druhý", "třetí"}));
}

TEST_F(TfrmSest02Test, ColumnsKeepToTheirBoxes) {
    AddFiles(2);
    m_Prij.Soubory[0]->Zdroj = std::string(80, 'W') + ".pdf";
    m_Prij.Soubory[1]->DatumZdroje = TDateTime();
    TReportDocument doc = Prepare();
    const TReportPage& page = doc.Pages[0];
    std::vector<const TReportElement*> names;
    for (const TReportElement& e : page.Elements)
        if (e.Item == "qrdbtSoubor")
            names.push_back(&e);
    ASSERT_EQ(names.size(), 2u);
    // A name too long for its column prints as far as it fits.
    EXPECT_EQ(names[0]->Text, std::string(names[0]->Text.size(), 'W'));
    EXPECT_LE(names[0]->Left + names[0]->Width, 10 + 1.1 + 115.6 + 0.01);
    // The date with its whole time, and nothing for a file without date.
    EXPECT_EQ(TextsOf(doc, "qrdbtDatum"), Texts{"01.03.2024 9:05:07"});
    // Sizes right-aligned in their column.
    for (const TReportElement& e : page.Elements) {
        if (e.Item == "qrdbtFileSize") {
            EXPECT_NEAR(e.Left + e.Width, 10 + 117.5 + 25.7, 0.01);
        }
    }
}

TEST_F(TfrmSest02Test, ThePdfHoldsTheTextsInOrder) {
    AddFiles(2);
    test::TTestTempDir dir("sest02");
    ASSERT_TRUE(TReportPdfWriter::Write(Prepare(), dir.Path() / "zpravy.pdf"));
    std::string missing;
    EXPECT_TRUE(test::InOrder(test::PdfText(dir.Path() / "zpravy.pdf"),
                              {"Přenos lékařských zpráv LEMO",
                               "Pracoviště:",
                               "PRAC01",
                               "Poznámka:",
                               "Zprávy z února",
                               "IČZ:",
                               "12345678",
                               "IČO:",
                               "87654321",
                               "Id přenosu:",
                               "20240315142501123042",
                               "Soubor",
                               "Velikost",
                               "Datum",
                               "zprava1.pdf",
                               "1000",
                               "01.03.2024 9:05:07",
                               "zprava2.pdf",
                               "2000",
                               "Lékařské zprávy byly odeslány",
                               "Soubor:",
                               "NDLLZ_PRAC01_12345678.zip",
                               "Verze programu:",
                               "Uživatel:",
                               "novak",
                               "Datum:",
                               "15.03.2024",
                               "Stránka:",
                               "1 z 1"},
                              &missing))
        << missing;
}

TEST_F(TfrmSest02Test, ShowFilesReportHandsThePagesToThePreview) {
    AddFiles(3);
    TReportCapture capture;
    m_Form.ShowFilesReport("novak", "PRAC01", m_Prij, "upload/NDLLZ.zip", "Vytvořen soubor LZ pro upload");
    ASSERT_EQ(capture.Shown.size(), 1u);
    EXPECT_EQ(capture.Shown[0].Title, "Náhled sestavy");
    EXPECT_EQ(TextsOf(capture.Shown[0], "qrlblFileName"), Texts{"upload/NDLLZ.zip"});
    EXPECT_EQ(TextsOf(capture.Shown[0], "qrsysStranka"), Texts{"1 z 1"});
}

} // namespace
} // namespace ndlemo
