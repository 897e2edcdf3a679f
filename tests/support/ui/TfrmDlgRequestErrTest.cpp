#include "support/ui/TfrmDlgRequestErr.h"

#include "support/TRequestList.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ndlemo;

namespace {

std::string Cell(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text().toStdString() : std::string();
}

std::vector<std::string> Rows(const QTableWidget* grid) {
    std::vector<std::string> rows;
    for (int r = 0; r < grid->rowCount(); ++r)
        rows.push_back(Cell(grid, r, 0) + "|" + Cell(grid, r, 1));
    return rows;
}

TEST(TfrmDlgRequestErr, Layout) {
    TfrmDlgRequestErr dialog;
    EXPECT_EQ(dialog.windowTitle().toStdString(), "Chyby");
    EXPECT_EQ(dialog.minimumSize(), QSize(537, 254));
    EXPECT_EQ(dialog.maximumSize(), QSize(537, 254));
    auto* grid = dialog.findChild<QTableWidget*>(QStringLiteral("sgrdError"));
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->columnCount(), 2);
    EXPECT_EQ(grid->horizontalHeaderItem(0)->text().toStdString(), "Typ");
    EXPECT_EQ(grid->horizontalHeaderItem(1)->text().toStdString(), "Popis");
    EXPECT_EQ(grid->columnWidth(0), 30);
    EXPECT_EQ(grid->columnWidth(1), 475);
    EXPECT_EQ(grid->verticalHeader()->defaultSectionSize(), 21);
    EXPECT_FALSE(grid->verticalHeader()->isVisibleTo(&dialog));
    EXPECT_EQ(grid->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_EQ(grid->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
    auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("bbtnOk"));
    auto* back = dialog.findChild<QPushButton*>(QStringLiteral("bbtnZpet"));
    ASSERT_NE(ok, nullptr);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->text().toStdString(), "Zpět");
}

TEST(TfrmDlgRequestErr, EmptyListShowsOneEmptyRow) {
    TfrmDlgRequestErr dialog;
    TRequestList list;
    dialog.FillRequests(list);
    EXPECT_EQ(Rows(dialog.Grid()), (std::vector<std::string>{"|"}));
}

TEST(TfrmDlgRequestErr, RequestsShowTheirTypeAndText) {
    TfrmDlgRequestErr dialog;
    TRequestList list;
    list.AddRequest(256, "Nepřípustná hodnota \"\" pro \"Host\"", true);
    list.AddRequest(255, "Varování", true);
    list.AddRequest(300, "Snížená úroveň", false); // stored as 128
    list.AddRequest(1000, "Vysoká úroveň", true);
    dialog.FillRequests(list);
    EXPECT_EQ(Rows(dialog.Grid()), (std::vector<std::string>{"E|Nepřípustná hodnota \"\" pro \"Host\"", "W|Varování",
                                                             "W|Snížená úroveň", "E|Vysoká úroveň"}));
    // Filling again starts over.
    TRequestList empty;
    dialog.FillRequests(empty);
    EXPECT_EQ(Rows(dialog.Grid()), (std::vector<std::string>{"|"}));
}

TEST(TfrmDlgRequestErr, BothButtonsCloseTheDialog) {
    for (const char* name : {"bbtnOk", "bbtnZpet"}) {
        TfrmDlgRequestErr dialog;
        dialog.show();
        dialog.findChild<QPushButton*>(QString::fromLatin1(name))->click();
        EXPECT_FALSE(dialog.isVisible()) << name;
    }
}

TEST(ShowRequestList, FillsAndShowsTheDialogOnce) {
    std::vector<std::vector<std::string>> shown;
    TfrmDlgRequestErr::SetShowHook([&shown](TfrmDlgRequestErr& dialog) { shown.push_back(Rows(dialog.Grid())); });
    TRequestList list;
    list.AddRequest(256, "Pole \"IČZ\" musí být zadáno", true);
    ShowRequestList(list);
    TfrmDlgRequestErr::SetShowHook(nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], (std::vector<std::string>{"E|Pole \"IČZ\" musí být zadáno"}));
}

} // namespace
