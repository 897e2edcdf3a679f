#include "app/ui/TTabSheetLZ.h"

#include "StartedWindow.h"
#include "support/ui/ControlState.h"
#include "support/ui/TDBGrid.h"
#include "support/ui/TDaxEdit.h"

#include <QAccessible>
#include <QHeaderView>
#include <QLabel>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {

class ReportsTabTest : public TStartedWindow {
protected:
    void SetUp() override {
        TStartedWindow::SetUp();
        m_Window.PageControl()->setCurrentIndex(1);
        m_Window.UpdateActions();
    }
    std::vector<std::string> GridRows() {
        QAbstractItemModel* model = Find<TDBGrid>("dbgrdLZ")->model();
        std::vector<std::string> rows;
        for (int r = 0; r < model->rowCount(); ++r) {
            std::string row;
            for (int c = 0; c < model->columnCount(); ++c)
                row += model->index(r, c).data().toString().toStdString() + "|";
            rows.push_back(row);
        }
        return rows;
    }
};

TEST_F(ReportsTabTest, FieldsAreNamedByTheirCaptionsAndPrefilled) {
    struct Row {
        const char* Field;
        const char* Label;
        const char* Caption;
        const char* Text;
        bool Required;
    };
    const Row rows[] = {
        {"cedtICZ_LZ", "lblICZ_LZ", "IČZ", "12345678", true},
        {"cedtICO_LZ", "lblICO_LZ", "IČO", "87654321", true},
        {"cedtPoznamka_LZ", "lblPoznamka_LZ", "Poznámka", "", false},
    };
    for (const Row& row : rows) {
        auto* field = Find<TDaxEdit>(row.Field);
        EXPECT_EQ(Find<QLabel>(row.Label)->text().toStdString(), row.Caption);
        EXPECT_EQ(QAccessible::queryAccessibleInterface(field)->text(QAccessible::Name).toStdString(), row.Caption);
        EXPECT_EQ(field->Text(), row.Text) << row.Field;
        EXPECT_EQ(field->Required(), row.Required) << row.Field;
        EXPECT_EQ(field->palette().color(QPalette::Base), row.Required ? RequiredColor() : EditableColor());
    }
    for (const char* name : {"tbrLZ", "tbrSouboryLZ", "dbgrdLZ", "pnlTopLZ"})
        EXPECT_NE(Find(name), nullptr);
    for (const char* name : {"tbrLZ", "tbrSouboryLZ", "dbgrdLZ"})
        EXPECT_FALSE(Find(name)->accessibleName().isEmpty()) << name;
}

TEST_F(ReportsTabTest, TheGridShowsTheDocumentsInItsColumns) {
    auto* grid = Find<TDBGrid>("dbgrdLZ");
    const std::vector<std::pair<std::string, int>> columns = {{"Zdroj", 313}, {"Datum zdroje", 111}, {"Velikost", 101}};
    ASSERT_EQ(grid->model()->columnCount(), 3);
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(grid->model()->headerData(c, Qt::Horizontal).toString().toStdString(), columns[c].first);
        EXPECT_EQ(grid->columnWidth(c), columns[c].second);
    }
    std::filesystem::path scan = Batch("scan.PDF", "12345");
    std::filesystem::last_write_time(scan, std::filesystem::file_time_type::clock::now());
    m_Chooser.Answers = {scan, Batch("zprava", "1")};
    Press(TActionId::acPridatSouborLZ);
    Press(TActionId::acPridatSouborLZ);
    const std::vector<std::string> rows = GridRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].rfind("scan.PDF|", 0), 0u) << rows[0];
    EXPECT_EQ(rows[0].substr(rows[0].size() - 3), "|5|") << rows[0];
    EXPECT_EQ(rows[1].rfind("zprava|", 0), 0u) << rows[1];
    EXPECT_TRUE(InWork("tmp_lz_001.PDF"));
    EXPECT_TRUE(InWork("tmp_lz_002"));
    // The grid's current row is the last added; the user picks another one for removal.
    EXPECT_EQ(grid->currentIndex().row(), 1);
    grid->selectRow(0);
    Press(TActionId::acOdstranitSouborLZ);
    ASSERT_EQ(GridRows().size(), 1u);
    EXPECT_EQ(GridRows()[0].rfind("zprava|", 0), 0u);
    EXPECT_FALSE(InWork("tmp_lz_001.PDF"));
    EXPECT_TRUE(InWork("tmp_lz_002"));
}

// "Nové LZ" deletes the documents' copies, a copy without an extension too, and leaves the batch files.
TEST_F(ReportsTabTest, NoveLZStartsANewTransferAndLeavesTheInvoice) {
    m_Chooser.Answers = {Batch("scan.pdf"), Batch("zprava")};
    Press(TActionId::acPridatSouborLZ);
    Press(TActionId::acPridatSouborLZ);
    m_Window.PageControl()->setCurrentIndex(0);
    m_Chooser.Answers = {Batch("davka.333")};
    Press(TActionId::acPridatSouborPrijmu);
    m_Window.PageControl()->setCurrentIndex(1);
    Find<TDaxEdit>("cedtICZ_LZ")->SetText("11111111");
    Find<TDaxEdit>("cedtPoznamka_LZ")->SetText("urgentní");

    Press(TActionId::acNoveLZ);

    EXPECT_TRUE(m_Boxes.Shown.empty());
    EXPECT_TRUE(GridRows().empty());
    EXPECT_FALSE(InWork("tmp_lz_001.pdf"));
    EXPECT_FALSE(InWork("tmp_lz_002"));
    EXPECT_TRUE(InWork("tmp_file.001"));
    EXPECT_EQ(m_Window.ReportsTab()->ReadForm(), (TReportsForm{"12345678", "87654321", ""}));
}

} // namespace
