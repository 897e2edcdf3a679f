#include "reports/TReport.h"
#include "support/ESubroutineError.h"
#include "support/TQsStreamDataSet.h"

#include "reports/ReportTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace ndlemo {
namespace {

using test::AllTexts;
using test::TextOn;
using test::TextsOf;

// A report of every band kind over a table of rows (group, text); each band carries one label named after
// it, the detail prints the row's text, the footer the page number.
class TReportTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_Table.AddFieldDef("Skupina", TQsFieldType::ftString, 20);
        m_Table.AddFieldDef("Radek", TQsFieldType::ftString, 250);
        m_Table.Open();
        r.DataSet = &m_Table;
        auto band = [&](TReportBandType type, const char* name, double height) -> TReportBand& {
            TReportBand& b = r.AddBand(type, name, height);
            b.Add(TReportItem::MakeLabel(std::string("lbl") + name, 1, 0.5, name, Arial(10)));
            return b;
        };
        band(TReportBandType::PageHeader, "Hlavicka", 30);
        band(TReportBandType::Title, "Titul", 20);
        band(TReportBandType::ColumnHeader, "Sloupce", 8);
        TReportBand& detail = r.AddBand(TReportBandType::Detail, "Detail", 5);
        detail.Add(TReportItem::MakeField("dbtRadek", 1, 0.5, 150, "Radek", Arial(10)));
        band(TReportBandType::Summary, "Souhrn", 10);
        band(TReportBandType::PageFooter, "Paticka", 12)
            .Add(TReportItem::MakePageNumber("sysStranka", 170, 1, Arial(8)));
    }

    void AddRows(int count, const std::string& group = "1") {
        for (int i = 0; i < count; ++i) {
            m_Table.Append();
            m_Table.FieldByName("Skupina").SetAsString(group);
            m_Table.FieldByName("Radek").SetAsString("Řádek " + std::to_string(m_Table.RecordCount() + 1));
            m_Table.Post();
        }
    }

    [[nodiscard]] double BodyBottom() const { return r.PageHeight() - r.MarginBottom - 12; }

    TQsStreamDataSet m_Table;
    TReport r;
};

// Where every element of an item lies on its page; the check that nothing overlaps the page's frame.
std::vector<const TReportElement*> ElementsOf(const TReportPage& page, const std::string& item) {
    std::vector<const TReportElement*> out;
    for (const TReportElement& e : page.Elements)
        if (e.Item == item)
            out.push_back(&e);
    return out;
}

TEST_F(TReportTest, RowsFlowOverPagesBetweenTheRepeatedHeadersAndFooters) {
    AddRows(100);
    TReportDocument doc = r.Prepare();
    ASSERT_EQ(doc.Pages.size(), 3u);
    std::vector<std::string> rows = TextsOf(doc, "dbtRadek");
    ASSERT_EQ(rows.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(rows[static_cast<size_t>(i)], "Řádek " + std::to_string(i + 1));
    for (size_t p = 0; p < doc.Pages.size(); ++p) {
        const TReportPage& page = doc.Pages[p];
        EXPECT_EQ(TextOn(page, "lblHlavicka"), "Hlavicka") << p;
        EXPECT_EQ(TextOn(page, "lblSloupce"), "Sloupce") << p;
        EXPECT_EQ(TextOn(page, "lblPaticka"), "Paticka") << p;
        EXPECT_EQ(TextOn(page, "sysStranka"), std::to_string(p + 1)) << p;
        EXPECT_EQ(TextOn(page, "lblTitul").empty(), p != 0) << p;
        EXPECT_EQ(TextOn(page, "lblSouhrn").empty(), p != 2) << p;
        // Rows below the column header and above the footer.
        const double columnsBottom = page.Find("lblSloupce")->Top - 0.5 + 8;
        for (const TReportElement* e : ElementsOf(page, "dbtRadek")) {
            EXPECT_GE(e->Top, columnsBottom) << p << " " << e->Text;
            EXPECT_LE(e->Top - 0.5 + 5, BodyBottom() + 0.01) << p << " " << e->Text;
        }
        // The footer at the bottom of the sheet's printable area.
        EXPECT_NEAR(page.Find("lblPaticka")->Top, BodyBottom() + 0.5, 0.01);
    }
}

TEST_F(TReportTest, AnEmptyTablePrintsOnePageWithEveryBandButTheRows) {
    TReportDocument doc = r.Prepare();
    ASSERT_EQ(doc.Pages.size(), 1u);
    EXPECT_EQ(AllTexts(doc), (std::vector<std::string>{"Hlavicka", "Titul", "Sloupce", "Souhrn", "Paticka", "1"}));
}

TEST_F(TReportTest, AReportWithoutTableStillPrints) {
    r.DataSet = nullptr;
    EXPECT_EQ(r.Prepare().Pages.size(), 1u);
}

TEST_F(TReportTest, AStretchingMemoContinuesOnAsManyPagesAsItNeeds) {
    AddRows(3);
    TReportBand& summary = r.Band("Souhrn");
    TReportItem& memo = summary.Add(TReportItem::MakeMemo("memChyby", 1, 6, 180, 4, Arial(9), true));
    for (int i = 1; i <= 3000; ++i)
        memo.Lines.push_back("Řádek " + std::to_string(i * 10) + ": Nepřípustná hodnota \"X\" pro \"Typ dokladu\"");
    TReportDocument doc = r.Prepare();

    EXPECT_EQ(TextsOf(doc, "memChyby"), memo.Lines);
    ASSERT_GT(doc.Pages.size(), 40u);
    for (size_t p = 0; p < doc.Pages.size(); ++p) {
        const TReportPage& page = doc.Pages[p];
        EXPECT_EQ(TextOn(page, "lblHlavicka"), "Hlavicka") << p;
        EXPECT_EQ(TextOn(page, "lblSloupce"), "Sloupce") << p;
        EXPECT_EQ(TextOn(page, "sysStranka"), std::to_string(p + 1)) << p;
        std::vector<const TReportElement*> lines = ElementsOf(page, "memChyby");
        if (p == 0)
            continue; // the rows come first
        ASSERT_FALSE(lines.empty()) << p;
        // A continued memo starts right below the column header and stops above the footer.
        EXPECT_NEAR(lines.front()->Top, page.Find("lblSloupce")->Top - 0.5 + 8, 0.01) << p;
        EXPECT_LE(lines.back()->Top + lines.back()->Height, BodyBottom() + 0.01) << p;
    }
    // The summary's label stays above its memo, on the page where the summary begins.
    EXPECT_EQ(TextsOf(doc, "lblSouhrn").size(), 1u);
}

TEST_F(TReportTest, BandsTallerThanAPageEndTheLayout) {
    AddRows(3);
    r.Band("Detail").Height = 400;
    // A memo whose every line is taller than a page.
    TReportItem& memo = r.Band("Souhrn").Add(TReportItem::MakeMemo("memObri", 1, 6, 180, 4, Arial(800), true));
    memo.Lines = {"A", "B"};
    TReportDocument doc = r.Prepare();
    EXPECT_EQ(TextsOf(doc, "dbtRadek"), (std::vector<std::string>{"Řádek 1", "Řádek 2", "Řádek 3"}));
    EXPECT_EQ(TextsOf(doc, "memObri"), (std::vector<std::string>{"A", "B"}));
    // One oversized row per page; the summary's label, and then each of its lines, on pages of their own.
    EXPECT_EQ(doc.Pages.size(), 6u);
}

TEST_F(TReportTest, GroupBandsFrameTheRowsOfEachGroupValue) {
    TReportBand& header = r.AddBand(TReportBandType::GroupHeader, "Skupina", 4);
    header.GroupField = "Skupina";
    header.Add(TReportItem::MakeField("dbtSkupina", 1, 0, 50, "Skupina", Arial(8)));
    TReportBand& footer = r.AddBand(TReportBandType::GroupFooter, "Konec", 4);
    footer.GroupField = "Skupina";
    footer.Add(TReportItem::MakeLabel("lblKonec", 1, 0, "konec", Arial(8)));
    AddRows(2, "A");
    AddRows(1, "B");
    AddRows(1, "A");
    std::vector<std::string> texts = AllTexts(r.Prepare());
    std::vector<std::string> body(std::find(texts.begin(), texts.end(), "Sloupce") + 1,
                                  std::find(texts.begin(), texts.end(), "Souhrn"));
    EXPECT_EQ(body, (std::vector<std::string>{"A", "Řádek 1", "Řádek 2", "konec", "B", "Řádek 3", "konec", "A",
                                              "Řádek 4", "konec"}));
}

TEST_F(TReportTest, HooksChangeOrLeaveOutWhatPrints) {
    AddRows(3);
    int headers = 0;
    r.Band("Hlavicka").BeforePrint = [&](bool& print) { print = ++headers % 2 == 0; };
    r.Item("dbtRadek").OnPrint = [](std::string& text) {
        if (text == "Řádek 2")
            text.clear();
        else
            text += "!";
    };
    int passes = 0;
    r.BeforePrint = [&] { ++passes; };
    TReportDocument doc = r.Prepare();
    EXPECT_EQ(passes, 1);
    EXPECT_EQ(TextsOf(doc, "lblHlavicka"), std::vector<std::string>{});
    EXPECT_EQ(TextsOf(doc, "dbtRadek"), (std::vector<std::string>{"Řádek 1!", "Řádek 3!"}));
    r.Item("lblSouhrn").Enabled = false;
    EXPECT_EQ(TextsOf(r.Prepare(), "lblSouhrn"), std::vector<std::string>{});
}

TEST_F(TReportTest, PageItemsAreDrawnOnEveryPageAfterItsBands) {
    AddRows(100);
    r.PageItems.push_back(
        TReportItem::MakeLabel("lblNadpis", 40, 12, "Nadpis", Arial(14, true)).InBox(100, TReportAlignment::Center, 6));
    TReportDocument doc = r.Prepare();
    for (const TReportPage& page : doc.Pages) {
        ASSERT_FALSE(page.Elements.empty());
        EXPECT_EQ(page.Elements.back().Text, "Nadpis");
        // On the sheet, not in a band: no margin added.
        const TReportElement& e = page.Elements.back();
        EXPECT_NEAR(e.Left + e.Width / 2, 40 + 100 / 2.0, 0.01);
        EXPECT_NEAR(e.Top, 12, 0.01);
    }
}

TEST_F(TReportTest, UnknownBandsAndItemsRaise) {
    EXPECT_THROW((void)r.Item("lblNic"), ESubroutineError);
    EXPECT_THROW((void)r.Band("Nic"), ESubroutineError);
}

// One row per way of placing a text in its box: left, right or centred, cut to the box or not.
TEST_F(TReportTest, TextsAreAlignedAndCutToTheirBoxes) {
    struct TRow {
        const char* Text;
        double Width;
        TReportAlignment Align;
        bool AutoSize;
        bool Cut;
    };
    const std::string longText = "Velmi dlouhý název souboru, který se do sloupce nevejde.pdf";
    const TRow rows[] = {
        {"Krátký", 40, TReportAlignment::Left, false, false},
        {"Krátký", 40, TReportAlignment::Right, false, false},
        {"Krátký", 40, TReportAlignment::Center, false, false},
        {longText.c_str(), 40, TReportAlignment::Left, false, true},
        {longText.c_str(), 40, TReportAlignment::Right, false, true},
        {longText.c_str(), 40, TReportAlignment::Left, true, false},
    };
    for (const TRow& row : rows) {
        TReport report;
        TReportBand& band = report.AddBand(TReportBandType::Title, "Titul", 10);
        TReportItem item = TReportItem::MakeLabel("lbl", 20, 1, row.Text, Arial(10));
        if (!row.AutoSize)
            item.InBox(row.Width, row.Align);
        band.Add(item);
        TReportDocument doc = report.Prepare();
        const TReportElement* e = doc.Pages[0].Find("lbl");
        ASSERT_NE(e, nullptr);
        const std::string& text = e->Text;
        SCOPED_TRACE(text);
        if (row.Cut) {
            EXPECT_LT(text.size(), std::string(row.Text).size());
            EXPECT_EQ(std::string(row.Text).rfind(text, 0), 0u); // what prints is the beginning of the text
            EXPECT_LE(e->Width, row.Width + 0.01);
            EXPECT_GT(e->Width, row.Width - 3); // and as much of it as fits
        } else {
            EXPECT_EQ(text, row.Text);
        }
        const double left = 10 + 20, right = left + row.Width;
        if (row.AutoSize || row.Align == TReportAlignment::Left)
            EXPECT_NEAR(e->Left, left, 0.01);
        else if (row.Align == TReportAlignment::Right)
            EXPECT_NEAR(e->Left + e->Width, right, 0.01);
        else
            EXPECT_NEAR(e->Left + e->Width / 2, (left + right) / 2, 0.01);
    }
}

TEST_F(TReportTest, AMemoWrapsItsLinesAndPrintsOnlyWhatFitsItsBox) {
    TReport report;
    TReportBand& band = report.AddBand(TReportBandType::Title, "Titul", 30);
    TReportItem& memo = band.Add(TReportItem::MakeMemo("memPoznamka", 10, 2, 60, 14.3, Arial(10), false));
    memo.Lines = {"první řádek poznámky, který je na šířku rámečku příliš dlouhý", "druhý", "třetí", "čtvrtý"};
    TReportDocument doc = report.Prepare();
    std::vector<std::string> lines = doc.Pages[0].TextsOf("memPoznamka");
    // 14.3 mm hold three lines of 10 pt: the long first line takes two of them.
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("první", 0), 0u);
    EXPECT_EQ(lines[2], "druhý");
    for (const TReportElement* e : ElementsOf(doc.Pages[0], "memPoznamka")) {
        EXPECT_LE(e->Width, 60.01);
        EXPECT_LE(e->Top + e->Height, 10 + 2 + 14.3 + 0.01);
    }
}

} // namespace
} // namespace ndlemo
