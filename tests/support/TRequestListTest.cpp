#include "support/TRequestList.h"
#include "support/ELimitError.h"
#include "support/ESubroutineError.h"

#include <gtest/gtest.h>

using namespace ndlemo;

namespace {
const std::string FS(1, TRequestList::FieldSeparator);
const std::string RS(1, TRequestList::RecordSeparator);
const std::string END(1, TRequestList::EndMark);
} // namespace

TEST(TRequestListBuffer, NewListHoldsOnlyTheEndMark) {
    TRequestList list;
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Buffer(), END);
    EXPECT_EQ(list.UsedLength(), 1u);
    EXPECT_EQ(list.Capacity(), 4096u);
}

TEST(TRequestListBuffer, SeparatorsBetweenFieldsAndRecords) {
    TRequestList list;
    list.SetText(0, 0, "a");
    list.SetText(0, 1, "b");
    list.SetText(1, 0, "c");
    EXPECT_EQ(list.Buffer(), "a" + FS + "b" + RS + "c" + END);
    EXPECT_EQ(list.Count(), 2);
}

TEST(TRequestListBuffer, WritingAFarFieldCreatesTheEmptyOnesBefore) {
    TRequestList list;
    list.SetText(0, 0, "x");
    list.SetText(0, 3, "y");
    EXPECT_EQ(list.Buffer(), "x" + FS + FS + FS + "y" + END);
    EXPECT_EQ(list.GetText(0, 1), "");
    EXPECT_EQ(list.GetText(0, 3), "y");
    EXPECT_EQ(list.GetText(0, 5), "");
}

TEST(TRequestListBuffer, WritingAFarRecordCreatesTheEmptyOnesBefore) {
    TRequestList list;
    list.SetText(5, 0, "x");
    EXPECT_EQ(list.Count(), 6);
    EXPECT_EQ(list.Buffer(), std::string(5, TRequestList::RecordSeparator) + "x" + END);
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(list.GetText(r, 0), "") << r;
    EXPECT_EQ(list.GetText(5, 0), "x");
}

TEST(TRequestListBuffer, ReplacingAFieldKeepsTheRest) {
    TRequestList list;
    list.SetText(0, 0, "one");
    list.SetText(0, 1, "two");
    list.SetText(1, 0, "three");
    list.SetText(0, 0, "1");
    list.SetText(0, 1, "a longer text");
    EXPECT_EQ(list.Buffer(), "1" + FS + "a longer text" + RS + "three" + END);
}

TEST(TRequestListBuffer, ReadingNeverCreatesRecords) {
    TRequestList list;
    list.SetText(0, 0, "a");
    EXPECT_EQ(list.GetText(7, 0), "");
    EXPECT_EQ(list.GetInt(7, 0), -1);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Buffer(), "a" + END);
}

TEST(TRequestListBuffer, CapacityGrowsAndShrinksInWholeSteps) {
    TRequestList list;
    list.SetText(0, 0, std::string(4095, 'a')); // with the end mark: 4096
    EXPECT_EQ(list.Capacity(), 4096u);
    list.SetText(0, 0, std::string(4096, 'a'));
    EXPECT_EQ(list.UsedLength(), 4097u);
    EXPECT_EQ(list.Capacity(), 8192u);
    list.SetText(0, 0, "short");
    EXPECT_EQ(list.Capacity(), 4096u);
    list.SetText(3000, 0, "far"); // appending records grows it too
    EXPECT_EQ(list.Capacity(), 4096u);
    list.SetText(5000, 0, "farther");
    EXPECT_EQ(list.Capacity(), 8192u);
}

TEST(TRequestListCursor, WalksFromTheNearestStart) {
    TRequestList list;
    for (int r = 0; r < 10; ++r)
        list.SetText(r, 0, "r" + std::to_string(r));
    // Every order of visits, forwards and backwards, from the first, the cursor and the last record.
    const int visits[] = {9, 0, 5, 4, 8, 1, 9, 2, 6, 3, 0, 7};
    for (int r : visits) {
        EXPECT_EQ(list.GetText(r, 0), "r" + std::to_string(r)) << r;
        EXPECT_EQ(list.CursorRecord(), r);
    }
    list.SetText(4, 1, "x");
    list.SetText(9, 1, "y");
    list.SetText(0, 1, "z");
    EXPECT_EQ(list.GetText(4, 1), "x");
    EXPECT_EQ(list.GetText(9, 1), "y");
    EXPECT_EQ(list.GetText(0, 1), "z");
    EXPECT_EQ(list.GetText(9, 0), "r9");
}

TEST(TRequestListCursor, NegativeRecordCountsAsTheFirst) {
    TRequestList list;
    list.SetText(0, 0, "first");
    list.SetText(1, 0, "second");
    EXPECT_EQ(list.GetText(-3, 0), "first");
}

TEST(TRequestListLimits, WriteAboveTheRecordLimitRaisesAndWritesNothing) {
    TRequestList list;
    list.RecordLimit = 2;
    list.SetText(2, 0, "ok");
    EXPECT_THROW(list.SetText(3, 0, "no"), ELimitError);
    EXPECT_THROW(list.SetInt(3, 0, 1), ELimitError);
    EXPECT_EQ(list.Count(), 3);
    try {
        list.SetText(4, 0, "no");
    } catch (const ELimitError& e) {
        EXPECT_STREQ(e.what(), "");
        EXPECT_EQ(e.Level, 256);
    }
}

TEST(TRequestListLimits, InvalidBufferRaisesOnEveryOperation) {
    TRequestList list;
    list.SetText(0, 0, "a");
    list.CorruptForTest();
    const char* message = "Není k dispozici korektní požadavek, nelze provést žádnou operaci s požadavkem";
    try {
        (void)list.Count();
        FAIL();
    } catch (const ESubroutineError& e) {
        EXPECT_STREQ(e.what(), message);
    }
    EXPECT_THROW((void)list.GetText(0, 0), ESubroutineError);
    EXPECT_THROW(list.SetText(0, 0, "b"), ESubroutineError);
    EXPECT_THROW(list.AddRequest(256, "x", true), ESubroutineError);
}

TEST(TRequestListInts, DecimalOrMinusOne) {
    struct Row {
        const char* text;
        int64_t value;
    } rows[] = {{"0", 0}, {"256", 256}, {"-7", -7}, {"+5", 5}, {"9223372036854775807", INT64_MAX},
                {"", -1}, {"12a", -1},  {" 1", -1}, {"x", -1}, {"99999999999999999999", -1}};
    TRequestList list;
    for (const auto& row : rows) {
        list.SetText(0, 0, row.text);
        EXPECT_EQ(list.GetInt(0, 0), row.value) << row.text;
    }
    list.SetInt(1, 2, -42);
    EXPECT_EQ(list.GetText(1, 2), "-42");
}

TEST(TRequestListRequests, SameTextKeepsTheHighestLevel) {
    TRequestList list;
    list.AddRequest(100, "Chyba", true);
    EXPECT_EQ(list.Count(), 1);
    list.AddRequest(256, "Chyba", true);
    list.AddRequest(100, "Chyba", true);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetInt(0, 0), 256);
    list.AddRequest(256, "Jiná", true);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetText(1, 1), "Jiná");
}

TEST(TRequestListRequests, HighLevelsOnlyWhenAllowed) {
    TRequestList list;
    list.AddRequest(300, "a", false);
    list.AddRequest(255, "b", false);
    list.AddRequest(256, "c", true);
    EXPECT_EQ(list.GetInt(0, 0), 128);
    EXPECT_EQ(list.GetInt(1, 0), 255);
    EXPECT_EQ(list.GetInt(2, 0), 256);
}

TEST(TRequestListRequests, BlankTextOnlyAtLevelZero) {
    TRequestList list;
    list.AddRequest(256, "", true);
    list.AddRequest(256, "   ", true);
    EXPECT_EQ(list.Count(), 0);
    list.AddRequest(0, "  ", true);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetText(0, 1), "  ");
    EXPECT_EQ(list.GetInt(0, 0), 0);
}

TEST(TRequestListRequests, TextIsMatchedTrimmedAndStoredAsGiven) {
    TRequestList list;
    list.AddRequest(100, "Pole", true);
    list.AddRequest(256, "  Pole  ", true);
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.GetInt(0, 0), 256);
    list.AddRequest(256, " Nové ", true);
    EXPECT_EQ(list.GetText(1, 1), " Nové ");
}
