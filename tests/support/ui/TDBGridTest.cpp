#include "support/ui/TDBGrid.h"

#include "support/ProgramTables.h"
#include "support/ui/TQsTableModel.h"
#include "support/ui/WidgetTestSupport.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace ndlemo;
using namespace ndlemo::test;

namespace {

class DBGridTest : public testing::Test {
protected:
    DBGridTest() : m_Region(TDateTime::FromParts(2024, 3, 15, 9, 0, 0)) {
        m_Grid.SetModel(new TQsTableModel(*m_Table,
                                          {{"PRS_FileExt", "Soubor", 50},
                                           {"PRS_FileSize", "Velikost", 60},
                                           {"PRS_SrcFileName", "Zdroj", 301},
                                           {"PRS_SrcDateTime", "Datum zdroje", 111}},
                                          &m_Grid));
        m_Grid.resize(600, 300);
    }
    void SetUp() override { ASSERT_TRUE(ShowActive(m_Grid)); }

    void Add(const char* ext, int size, const char* source) {
        m_Table->Append();
        m_Table->FieldByName("PRS_TmpName").SetAsString("tmp_file");
        m_Table->FieldByName("PRS_FileExt").SetAsString(ext);
        m_Table->FieldByName("PRS_FileSize").SetAsInteger(size);
        m_Table->FieldByName("PRS_SrcFileName").SetAsString(source);
        m_Table->FieldByName("PRS_SrcDateTime").SetAsDateTime(TDateTime::FromParts(2024, 3, 14, 8, 5, 2));
        m_Table->Post();
    }
    std::string Cell(int row, int column) const {
        return m_Grid.model()->index(row, column).data().toString().toStdString();
    }
    std::string CurrentSource() { return m_Table->FieldByName("PRS_SrcFileName").AsString(); }
    void ClickRow(int row) {
        const QRect cell = m_Grid.visualRect(m_Grid.model()->index(row, 2));
        QTest::mouseClick(m_Grid.viewport(), Qt::LeftButton, {}, cell.center());
    }

    TFixedRegion m_Region;
    std::unique_ptr<TQsStreamDataSet> m_Table = CreateQssPRS();
    TDBGrid m_Grid{QStringLiteral("dbgrdPRS"), "Seznam souborů dávek"};
};

TEST_F(DBGridTest, ShowsTheColumnsOfItsTable) {
    EXPECT_EQ(m_Grid.accessibleName(), QStringLiteral("Seznam souborů dávek"));
    const char* captions[] = {"Soubor", "Velikost", "Zdroj", "Datum zdroje"};
    const int widths[] = {50, 60, 301, 111};
    for (int c = 0; c < 4; ++c) {
        EXPECT_EQ(m_Grid.model()->headerData(c, Qt::Horizontal).toString().toStdString(), captions[c]);
        EXPECT_EQ(m_Grid.columnWidth(c), widths[c]);
    }
    Add("001", 1234, "davka.333");
    ASSERT_EQ(m_Grid.model()->rowCount(), 1);
    EXPECT_EQ(Cell(0, 0), "001");
    EXPECT_EQ(Cell(0, 1), "1234");
    EXPECT_EQ(Cell(0, 2), "davka.333");
    EXPECT_EQ(Cell(0, 3).rfind("14.03.2024 8:05:02", 0), 0u) << Cell(0, 3);
    EXPECT_TRUE(m_Grid.model()->index(0, 1).data(Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight);
    // The widths are the least: a text that needs more widens its column instead of being cut.
    Add("002", 1, "a_source_file_with_a_name_much_longer_than_three_hundred_pixels_of_the_column.333");
    EXPECT_GT(m_Grid.columnWidth(2), m_Grid.fontMetrics().horizontalAdvance(QString::fromStdString(Cell(1, 2))));
    EXPECT_GE(m_Grid.columnWidth(3), m_Grid.fontMetrics().horizontalAdvance(QString::fromStdString(Cell(1, 3))));
}

TEST_F(DBGridTest, TheRowChosenByTheUserIsTheCurrentRecord) {
    Add("001", 1, "a.333");
    Add("002", 2, "b.333");
    Add("003", 3, "c.333");
    // A new record is current, in the table and in the grid.
    EXPECT_EQ(CurrentSource(), "c.333");
    EXPECT_EQ(m_Grid.currentIndex().row(), 2);
    ClickRow(0);
    EXPECT_EQ(CurrentSource(), "a.333");
    QTest::keyClick(&m_Grid, Qt::Key_Down);
    EXPECT_EQ(CurrentSource(), "b.333");
    // Deleting moves both to the following record.
    m_Table->Delete();
    EXPECT_EQ(m_Grid.model()->rowCount(), 2);
    EXPECT_EQ(CurrentSource(), "c.333");
    EXPECT_EQ(m_Grid.currentIndex().row(), 1);
    EXPECT_EQ(Cell(1, 2), "c.333");
    // The last record deleted: the one before it.
    m_Table->Delete();
    EXPECT_EQ(CurrentSource(), "a.333");
    EXPECT_EQ(m_Grid.currentIndex().row(), 0);
    m_Table->Empty();
    EXPECT_EQ(m_Grid.model()->rowCount(), 0);
}

TEST_F(DBGridTest, TheGridEditsNothing) {
    Add("001", 1, "a.333");
    const QRect cell = m_Grid.visualRect(m_Grid.model()->index(0, 2));
    QTest::mouseDClick(m_Grid.viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClick(&m_Grid, Qt::Key_F2);
    QTest::keyClicks(&m_Grid, QStringLiteral("x"));
    EXPECT_EQ(m_Grid.viewport()->findChild<QLineEdit*>(), nullptr);
    EXPECT_EQ(Cell(0, 2), "a.333");
    EXPECT_FALSE(m_Grid.model()->flags(m_Grid.model()->index(0, 0)) & Qt::ItemIsEditable);
}

} // namespace
