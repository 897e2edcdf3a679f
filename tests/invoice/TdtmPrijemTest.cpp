#include "invoice/TdtmPrijem.h"

#include <gtest/gtest.h>

using namespace ndlemo;

// The check run, the reports and the grids find the tables by these names and fields for the whole run.
TEST(TdtmPrijem, HoldsItsFourTablesOpenAndEmpty) {
    TdtmPrijem dtm;
    struct Row {
        TQsStreamDataSet& Table;
        const char* Name;
        const char* LastField;
    };
    const Row rows[] = {
        {dtm.qssPRS, "qssPRS", "PRS_SrcDateTime"},
        {dtm.qssLZ, "qssLZ", "LZ_SrcDateTime"},
        {dtm.qssSest01, "qssSest01", "SEST01_Chyba"},
        {dtm.qssSest02, "qssSest02", "qssSest02_SrcDateTime"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.Table.Name, row.Name);
        EXPECT_TRUE(row.Table.Active()) << row.Name;
        EXPECT_TRUE(row.Table.InMemTable()) << row.Name;
        EXPECT_TRUE(row.Table.IsEmpty()) << row.Name;
        EXPECT_EQ(row.Table.FieldIndex(row.LastField), row.Table.FieldCount() - 1) << row.Name;
    }
}
