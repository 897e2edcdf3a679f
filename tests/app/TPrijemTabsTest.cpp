#include "app/TPrijemTabs.h"

#include "app/TActionRules.h"
#include "app/TPrijemController.h"
#include "invoice/TdtmPrijem.h"
#include "support/TClock.h"
#include "support/TFormatSettings.h"
#include "support/TScriptedFileChooser.h"

#include "TestTempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace ndlemo;
namespace fs = std::filesystem;

namespace {
class PrijemTabsTest : public testing::Test {
protected:
    void SetUp() override {
        TFormatSettings::Set(TFormatSettings{});
        TClock::SetNow(TDateTime::FromParts(2024, 3, 15, 8, 30, 0));
        fs::create_directories(m_Controller.DirPracovni);
        fs::create_directories(m_Temp.Path() / "davky");
        m_Controller.Settings.DirDavky = (m_Temp.Path() / "davky").string();
    }
    void TearDown() override { TClock::SetNow(std::nullopt); }

    fs::path Source(const std::string& name) {
        m_Temp.WriteFile("davky/" + name, "x");
        return m_Temp.Path() / "davky" / name;
    }
    bool InWork(const std::string& name) const { return fs::exists(m_Controller.DirPracovni / name); }

    test::TTestTempDir m_Temp{"tabs"};
    TPrijemController m_Controller{m_Temp.Path(), m_Temp.Path() / "NdLemo"};
    TdtmPrijem m_Dtm;
    TPrijemTabs m_Tabs{m_Controller, m_Dtm};
};
} // namespace

TEST_F(PrijemTabsTest, ANewInvoiceTakesThePrefillsTheYearAndTodaysReceiptDate) {
    AppSettings& s = m_Controller.Settings;
    s.DefaultICZ = "12345678";
    s.DefaultICO = "87654321";
    s.DefaultCisloUctu = "123456789";
    s.DefaultKodBanky = "0100";
    s.DefaultGenerovat = true;
    s.DefaultDodNazev = "Poliklinika Lemo";
    s.DefaultDodUlice = "Nádražní 12";
    s.DefaultDodPsc = "11000";
    s.DefaultDodObec = "Praha";
    TInvoiceForm expected;
    expected.ICZ = "12345678";
    expected.ICO = "87654321";
    expected.RokFaktury = "2024";
    expected.DatPrijeti = "15.03.2024";
    expected.Ucet = "123456789";
    expected.Banka = "0100";
    expected.GenerFak = true;
    expected.DodavatelNazev = "Poliklinika Lemo";
    expected.DodavatelUlice = "Nádražní 12";
    expected.DodavatelPsc = "11000";
    expected.DodavatelObec = "Praha";
    EXPECT_EQ(m_Tabs.ResetInvoice(), expected);
}

// A setting that holds only blanks empties its field.
TEST_F(PrijemTabsTest, BlankPrefillsEmptyTheirFields) {
    AppSettings& s = m_Controller.Settings;
    for (std::string* text : {&s.DefaultICZ, &s.DefaultICO, &s.DefaultCisloUctu, &s.DefaultKodBanky, &s.DefaultDodNazev,
                              &s.DefaultDodUlice, &s.DefaultDodPsc, &s.DefaultDodObec})
        *text = " \t ";
    const TInvoiceForm form = m_Tabs.ResetInvoice();
    for (const std::string* field : {&form.ICZ, &form.ICO, &form.Ucet, &form.Banka, &form.DodavatelNazev,
                                     &form.DodavatelUlice, &form.DodavatelPsc, &form.DodavatelObec})
        EXPECT_EQ(*field, "");
    EXPECT_EQ(m_Tabs.ResetReports(), TReportsForm{});
}

TEST_F(PrijemTabsTest, EachResetClearsTheRecordAndItsOwnListOnly) {
    m_Controller.Settings.DefaultICZ = "12345678";
    m_Controller.Settings.DefaultICO = "87654321";
    for (const char* name : {"a.333", "b.333", "c.333"})
        m_Tabs.BatchFiles.Add(Source(name));
    m_Tabs.ReportFiles.Add(Source("scan.pdf"));

    m_Controller.Prij.ICZ = "x";
    EXPECT_EQ(m_Tabs.ResetReports(), (TReportsForm{"12345678", "87654321", ""}));
    EXPECT_EQ(m_Controller.Prij.ICZ, "");
    EXPECT_TRUE(m_Dtm.qssLZ.IsEmpty());
    EXPECT_FALSE(InWork("tmp_lz_001.pdf"));
    EXPECT_EQ(m_Dtm.qssPRS.RecordCount(), 3);
    EXPECT_TRUE(InWork("tmp_file.003"));

    m_Tabs.ReportFiles.Add(Source("scan.pdf"));
    m_Controller.Prij.ICZ = "x";
    m_Tabs.ResetInvoice();
    EXPECT_EQ(m_Controller.Prij.ICZ, "");
    EXPECT_TRUE(m_Dtm.qssPRS.IsEmpty());
    for (const char* copy : {"tmp_file.001", "tmp_file.002", "tmp_file.003"})
        EXPECT_FALSE(InWork(copy)) << copy;
    EXPECT_TRUE(InWork("tmp_lz_001.pdf"));
    // The source files stay where they were.
    for (const char* name : {"a.333", "b.333", "c.333", "scan.pdf"})
        EXPECT_TRUE(fs::exists(m_Temp.Path() / "davky" / name)) << name;
}

TEST_F(PrijemTabsTest, TheListsRememberTheirOwnLastDirectory) {
    TScriptedFileChooser chooser;
    const fs::path other = m_Temp.Path() / "zpravy";
    fs::create_directories(other);
    m_Temp.WriteFile("zpravy/scan.pdf", "x");
    chooser.Answers = {other / "scan.pdf"};
    m_Tabs.AddReportFile();
    EXPECT_EQ(m_Controller.LastReportDir, other.string());
    EXPECT_EQ(m_Controller.LastBatchDir, "");
    m_Tabs.AddBatchFile();
    ASSERT_EQ(chooser.Opened.size(), 2u);
    EXPECT_EQ(chooser.Opened[0].StartDir, m_Controller.Settings.DirDavky);
    EXPECT_EQ(chooser.Opened[1].StartDir, m_Controller.Settings.DirDavky);
    m_Tabs.AddReportFile();
    EXPECT_EQ(chooser.Opened[2].StartDir, other);
}

TEST_F(PrijemTabsTest, TheEnablingRulesSeeTheTables) {
    TActionContext context;
    m_Tabs.FillTableState(context);
    EXPECT_TRUE(context.BatchTableOpen && context.BatchTableEmpty);
    EXPECT_TRUE(context.ReportTableOpen && context.ReportTableEmpty);
    EXPECT_FALSE(TActionRules::Enabled(TActionId::acOdstranitSouborPrijmu, context));
    m_Tabs.BatchFiles.Add(Source("a.333"));
    m_Tabs.FillTableState(context);
    EXPECT_FALSE(context.BatchTableEmpty);
    EXPECT_TRUE(context.ReportTableEmpty);
    EXPECT_TRUE(TActionRules::Enabled(TActionId::acOdstranitSouborPrijmu, context));
    EXPECT_FALSE(TActionRules::Enabled(TActionId::acOdstranitSouborLZ, context));
}

TEST_F(PrijemTabsTest, TheMaturityFollowsTheIntervalOfTheSettings) {
    m_Controller.Settings.IntSplatnosti = 30;
    EXPECT_EQ(m_Tabs.MaturityAfterReceipt("10.01.2024", "  .  .    "), "09.02.2024");
    m_Controller.Settings.IntSplatnosti = 0;
    EXPECT_EQ(m_Tabs.MaturityAfterReceipt("10.01.2024", "  .  .    "), "  .  .    ");
}
