#include "reports/TReportPdfWriter.h"
#include "reports/TReport.h"
#include "reports/TfrmSest01.h"
#include "support/ProgramTables.h"
#include "support/TQsStreamDataSet.h"

#include "TestTempDir.h"
#include "reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace ndlemo {
namespace {

namespace fs = std::filesystem;

TEST(TReportPdfWriterTest, WritesEveryPageWithItsTextsInOrder) {
    test::TReportRegion region;
    TLemoPrij prij;
    test::FillInvoice(prij);
    std::vector<int> batches(120, 7);
    test::AddFiles(prij, {{batches, {}}, {{8}, {"Řádek 12: Chybný typ věty \"Č\""}}});
    auto table = CreateQssSest01();
    TfrmSest01 form(*table, "/nonexistent/NdLemo");
    TReportDocument doc = form.Priprav(true, "novák", prij, "", "Fakturu a dávky nelze přijmout", "PRAC01");
    ASSERT_EQ(doc.Pages.size(), 3u);

    test::TTestTempDir dir("pdf");
    ASSERT_TRUE(TReportPdfWriter::Write(doc, dir.Path() / "sestava.pdf"));
    const std::string text = test::PdfText(dir.Path() / "sestava.pdf");
    std::string missing;
    EXPECT_TRUE(test::InOrder(text,
                              {"Pracoviště:",
                               "PRAC01",
                               "Datum přijetí:",
                               "05.03.2024",
                               "IČZ:",
                               "12345678",
                               "Celkem za fakturu:",
                               "1 234 567,50",
                               "Kč",
                               "Soubor",
                               "Dávka",
                               "Měsíc",
                               "Rok",
                               "Chyby souboru",
                               "Uživatel:",
                               "novák",
                               "Stránka:",
                               "1 z 3",
                               "Příjem dávek LEMO",
                               "Pracoviště:",
                               "2 z 3",
                               "Příjem dávek LEMO",
                               "Fakturu a dávky nelze přijmout",
                               "Chyby souboru 2 :",
                               "Řádek 12: Chybný typ věty \"Č\"",
                               "3 z 3",
                               "Příjem dávek LEMO"},
                              &missing))
        << missing;
    EXPECT_EQ(test::PdfInfo(dir.Path() / "sestava.pdf", "Pages"), "3");
    EXPECT_EQ(test::PdfInfo(dir.Path() / "sestava.pdf", "Page size"), "595 x 842 pts (A4)");
}

TEST(TReportPdfWriterTest, ALandscapeReportGetsLandscapePages) {
    TReport report;
    report.Landscape = true;
    report.AddBand(TReportBandType::Title, "Titul", 10).Add(TReportItem::MakeLabel("lbl", 1, 1, "Na šířku", Arial(10)));
    test::TTestTempDir dir("pdf");
    ASSERT_TRUE(TReportPdfWriter::Write(report.Prepare(), dir.Path() / "sirka.pdf"));
    EXPECT_EQ(test::PdfInfo(dir.Path() / "sirka.pdf", "Page size"), "842 x 595 pts (A4)");
    EXPECT_NE(test::PdfText(dir.Path() / "sirka.pdf").find("Na šířku"), std::string::npos);
}

// One row per way in which the file cannot be written; none of them raises.
TEST(TReportPdfWriterTest, FileProblemsGiveFalse) {
    TReport report;
    report.AddBand(TReportBandType::Title, "Titul", 10).Add(TReportItem::MakeLabel("lbl", 1, 1, "x", Arial(10)));
    const TReportDocument doc = report.Prepare();
    test::TTestTempDir dir("pdf");
    fs::create_directory(dir.Path() / "slozka");
    const fs::path rows[] = {
        dir.Path() / "chybi" / "a.pdf", // a missing folder
        dir.Path() / "slozka",          // a folder in the way
        "/dev/full",                    // a full disk
    };
    for (const fs::path& path : rows) {
        if (path == "/dev/full" && !fs::exists(path))
            continue;
        EXPECT_FALSE(TReportPdfWriter::Write(doc, path)) << path;
    }
    EXPECT_TRUE(fs::is_directory(dir.Path() / "slozka"));
    EXPECT_FALSE(fs::exists(dir.Path() / "chybi"));
    if (fs::exists("/dev/full")) {
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
}

} // namespace
} // namespace ndlemo
