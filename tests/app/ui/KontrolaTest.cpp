#include "app/ui/StartedWindow.h"

#include "reports/ReportTestSupport.h"
#include "reports/TReportCapture.h"
#include "reports/TReportDocument.h"

#include "TestData.h"

#include <QApplication>
#include <QCheckBox>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {
const std::filesystem::path Data = std::filesystem::path(NDLEMO_TEST_DATA_DIR) / "check";

using KontrolaTest = TStartedWindow;
} // namespace

TEST_F(KontrolaTest, TheCheckOfTheFilledTabShowsTheFilesRowsAndTheirErrors) {
    Type("cedtCisFaktury", "123");
    Type("edtDatVystaveni", "05032024");
    Type("edtDatPrijeti", "15032024"); // leaving it derives the maturity date
    Type("cedtVS", "777");
    Find<QCheckBox>("cchbGenerFak")->setChecked(false);
    m_Chooser.Answers = {Data / "clean.txt", Data / "errors.txt"};
    Press(TActionId::acPridatSouborPrijmu);
    Press(TActionId::acPridatSouborPrijmu);
    ASSERT_EQ(m_Dtm.qssPRS.RecordCount(), 2) << (m_Boxes.Shown.empty() ? "" : m_Boxes.Shown.back().Text);

    TReportCapture capture;
    Press(TActionId::acKontrola);
    ASSERT_EQ(capture.Shown.size(), 1u) << (m_Boxes.Shown.empty() ? "" : m_Boxes.Shown.back().Text);
    const TReportDocument& report = capture.Shown[0];
    EXPECT_EQ(TextsOf(report, "qrlblResult"), std::vector<std::string>{"Fakturu a dávky nelze přijmout"});
    EXPECT_EQ(TextsOf(report, "qrlblCisloFaktury"), std::vector<std::string>{"123"});
    const std::vector<std::string> files = TextsOf(report, "qrdbtSoubor");
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.front(), "1");
    EXPECT_EQ(std::count(files.begin(), files.end(), "2"), 1) << "the file number stands once per file";
    EXPECT_EQ(TextsOf(report, "qrdbtChyba"), std::vector<std::string>{"Ano"});
    const std::vector<std::string> memo = TextsOf(report, "qrmemChyby");
    ASSERT_FALSE(memo.empty());
    EXPECT_EQ(memo.front(), "Chyby souboru 2 :");
    EXPECT_NE(memo[1].rfind("Řádek ", 0), std::string::npos) << memo[1];
    ASSERT_FALSE(m_Boxes.Shown.empty());
    EXPECT_EQ(m_Boxes.Shown.back().Text, "Kontrola proběhla s chybami");
    // The dates the run normalised stand in their fields.
    EXPECT_EQ(m_Controller.Prij.DatumSplatnosti, TDate::FromYmd(2024, 4, 14));
}

TEST_F(KontrolaTest, AHeaderErrorIsShownAndNoReportIsMade) {
    Type("cedtCisFaktury", "123");
    Type("edtDatVystaveni", "05032024");
    Type("edtDatPrijeti", "15032024");
    TReportCapture capture;
    Press(TActionId::acKontrola);
    EXPECT_TRUE(capture.Shown.empty());
    ASSERT_EQ(m_Boxes.Shown.size(), 1u);
    EXPECT_EQ(m_Boxes.Shown[0].Kind, 'E');
    EXPECT_EQ(m_Boxes.Shown[0].Text, "Pole \"VS\" musí být zadáno.");
}
