#include "support/TQsStreamDataSet.h"
#include "support/EQsSDSException.h"
#include "support/ProgramTables.h"
#include "support/TextCodec.h"

#include "TestTempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

using namespace ndlemo;
namespace fs = std::filesystem;
using F = TQsFieldType;

namespace {

int32_t I32(const std::vector<uint8_t>& b, size_t at) {
    int32_t v;
    std::memcpy(&v, b.data() + at, 4);
    return v;
}

std::vector<uint8_t> ReadFileBytes(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFileBytes(const fs::path& p, const std::vector<uint8_t>& bytes) {
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Runs f and returns the message of the EQsSDSException it raised ("" when none).
std::string FailureOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const EQsSDSException& e) {
        return e.what();
    }
    return {};
}

// A table with a text field and an autoincrement field, in memory.
void DefineNumbered(TQsStreamDataSet& t) {
    t.AddFieldDef("Id", F::ftAutoInc);
    t.AddFieldDef("Name", F::ftString, 10);
}

void AppendName(TQsStreamDataSet& t, const std::string& name) {
    t.Append();
    t.FieldByName("Name").SetAsString(name);
    t.Post();
}

// Names of the visible records from First to Eof.
std::vector<std::string> Walk(TQsStreamDataSet& t) {
    std::vector<std::string> out;
    for (t.First(); !t.Eof(); t.Next())
        out.push_back(t.FieldByName("Name").AsString());
    return out;
}

class TempDir : public ::testing::Test {
protected:
    test::TTestTempDir m_Temp{"qss"};
    const fs::path m_Dir = m_Temp.Path();
};

} // namespace

// ---------------------------------------------------------------------------------------------------
// Storage layout

TEST(TQsStreamDataSetLayout, DescriptorsCarryTypeCodeSizeRequiredAndSlotSize) {
    struct Row {
        TQsFieldType type;
        int32_t size;
        uint8_t code;
        int32_t slot;
    };
    const std::vector<Row> rows = {
        {F::ftString, 30, 1, 35}, {F::ftSmallint, 0, 2, 3},  {F::ftInteger, 0, 3, 5},  {F::ftWord, 0, 4, 3},
        {F::ftBoolean, 0, 5, 3},  {F::ftFloat, 0, 6, 9},     {F::ftCurrency, 0, 7, 9}, {F::ftDate, 0, 9, 5},
        {F::ftTime, 0, 10, 5},    {F::ftDateTime, 0, 11, 9}, {F::ftAutoInc, 0, 14, 5},
    };
    TQsStreamDataSet t;
    for (size_t i = 0; i < rows.size(); ++i)
        t.AddFieldDef("Field" + std::to_string(i), rows[i].type, rows[i].size,
                      i % 2 == 1 && rows[i].type != F::ftAutoInc);
    t.Open();
    std::vector<uint8_t> b = t.StreamBytes();

    int32_t first = 46 + 48 * static_cast<int32_t>(rows.size());
    int32_t recordSize = 1;
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(i);
        const uint8_t* d = b.data() + 46 + 48 * i;
        std::string name = "Field" + std::to_string(i);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(d)), name);
        for (size_t k = name.size(); k < 33; ++k)
            EXPECT_EQ(d[k], 0) << k;
        EXPECT_EQ(d[33], rows[i].code);
        EXPECT_EQ(d[34] | d[35], 0);
        EXPECT_EQ(I32(b, 46 + 48 * i + 36), rows[i].size);
        EXPECT_EQ(d[40], i % 2 == 1 && rows[i].type != F::ftAutoInc ? 1 : 0);
        EXPECT_EQ(d[41] | d[42] | d[43], 0);
        EXPECT_EQ(I32(b, 46 + 48 * i + 44), rows[i].slot);
        EXPECT_EQ(t.SlotOffset(static_cast<int>(i)), recordSize);
        recordSize += rows[i].slot;
    }
    EXPECT_EQ(I32(b, 26), static_cast<int32_t>(rows.size()));
    EXPECT_EQ(I32(b, 34), recordSize);
    EXPECT_EQ(I32(b, 42), first);
    EXPECT_EQ(t.RecordSize(), recordSize);
    EXPECT_EQ(b.size(), static_cast<size_t>(first));
}

TEST(TQsStreamDataSetLayout, HeaderAndRecordsAfterAppendsAndDelete) {
    TQsStreamDataSet t;
    t.AddFieldDef("Name", F::ftString, 4);
    t.AddFieldDef("Count", F::ftInteger);
    t.AddFieldDef("Id", F::ftAutoInc);
    t.Open();
    for (int i = 0; i < 3; ++i) {
        t.Append();
        t.FieldByName("Name").SetAsString(i == 1 ? "" : "ab");
        if (i != 2)
            t.FieldByName("Count").SetAsInteger(-2 + i);
        t.Post();
    }
    t.First();
    t.Delete();

    std::vector<uint8_t> b = t.StreamBytes();
    const uint8_t signature[21] = {'Q', 's', 'F', 'i', 'l', 'e', 'D', 'a', 't',  'a', 'S',
                                   'e', 't', '_', 'D', 'a', 't', 'a', '_', 0x1A, 0x00};
    ASSERT_GE(b.size(), 46u);
    EXPECT_EQ(std::memcmp(b.data(), signature, 21), 0);
    EXPECT_EQ(b[21], 1);
    EXPECT_EQ(I32(b, 22), 2); // live
    EXPECT_EQ(I32(b, 26), 3); // fields
    EXPECT_EQ(I32(b, 30), 1); // deleted
    EXPECT_EQ(I32(b, 34), 1 + 9 + 5 + 5);
    EXPECT_EQ(I32(b, 38), 3); // last autoincrement
    EXPECT_EQ(I32(b, 42), 46 + 3 * 48);

    const size_t first = 46 + 3 * 48, r = 20;
    ASSERT_EQ(b.size(), first + 3 * r);
    const std::vector<uint8_t> rec0 = {1, 1, 'a', 'b', 0, 0, 0, 0, 0, 0, 1, 0xFE, 0xFF, 0xFF, 0xFF, 1, 1, 0, 0, 0};
    const std::vector<uint8_t> rec1 = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 0, 0, 0};
    const std::vector<uint8_t> rec2 = {0, 1, 'a', 'b', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 3, 0, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + first, b.begin() + first + r), rec0);
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + first + r, b.begin() + first + 2 * r), rec1);
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + first + 2 * r, b.end()), rec2);
}

TEST(TQsStreamDataSetLayout, ValuesAreStoredInTheirNativeForms) {
    TQsStreamDataSet t;
    t.AddFieldDef("S", F::ftSmallint);
    t.AddFieldDef("W", F::ftWord);
    t.AddFieldDef("B", F::ftBoolean);
    t.AddFieldDef("D", F::ftDate);
    t.AddFieldDef("T", F::ftTime);
    t.AddFieldDef("DT", F::ftDateTime);
    t.AddFieldDef("C", F::ftCurrency);
    t.Open();
    t.Append();
    t.FieldByName("S").SetAsInteger(-300);
    t.FieldByName("W").SetAsInteger(65535);
    t.FieldByName("B").SetAsBoolean(true);
    t.FieldByName("D").SetAsDate(TDate::FromYmd(2024, 2, 29));
    t.FieldByName("T").SetAsString("13:45:10");
    t.FieldByName("DT").SetAsDateTime(TDateTime::FromParts(2024, 2, 29, 6, 0, 0));
    t.FieldByName("C").SetAsFloat(1234.5);
    t.Post();

    std::vector<uint8_t> b = t.StreamBytes();
    size_t rec = static_cast<size_t>(t.FirstRecordOffset());
    auto slot = [&](const char* name) { return rec + static_cast<size_t>(t.SlotOffset(t.FieldIndex(name))); };
    int16_t s;
    uint16_t w, flag;
    double dt, c;
    std::memcpy(&s, &b[slot("S") + 1], 2);
    std::memcpy(&w, &b[slot("W") + 1], 2);
    std::memcpy(&flag, &b[slot("B") + 1], 2);
    std::memcpy(&dt, &b[slot("DT") + 1], 8);
    std::memcpy(&c, &b[slot("C") + 1], 8);
    EXPECT_EQ(s, -300);
    EXPECT_EQ(w, 65535);
    EXPECT_NE(flag, 0);
    EXPECT_EQ(I32(b, slot("D") + 1), TDate::FromYmd(2024, 2, 29).Serial());
    EXPECT_EQ(I32(b, slot("T") + 1), (13 * 3600 + 45 * 60 + 10) * 1000);
    EXPECT_DOUBLE_EQ(dt, TDateTime::FromParts(2024, 2, 29, 6, 0, 0).Value());
    EXPECT_DOUBLE_EQ(c, 1234.5);
    for (const char* name : {"S", "W", "B", "D", "T", "DT", "C"})
        EXPECT_EQ(b[slot(name)], 1) << name;
}

TEST(TQsStreamDataSetLayout, TextIsStoredAsWindows1250AndCutToTheFieldSize) {
    TQsStreamDataSet t;
    t.AddFieldDef("Chyba", F::ftString, 250);
    t.Open();
    std::string longText;
    for (int i = 0; i < 100; ++i)
        longText += "ěšč"; // 300 characters, 600 bytes of UTF-8
    t.Append();
    t.FieldByName("Chyba").SetAsString(longText);
    t.Post();

    std::string expected(Utf8Left(longText, 250));
    EXPECT_EQ(t.FieldByName("Chyba").AsString(), expected);
    EXPECT_EQ(Utf8Length(t.FieldByName("Chyba").AsString()), 250u);
    std::vector<uint8_t> b = t.StreamBytes();
    size_t value = static_cast<size_t>(t.FirstRecordOffset() + t.SlotOffset(0) + 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[value]), 250), Utf8ToCp1250(expected));
    for (size_t k = 250; k < 254; ++k)
        EXPECT_EQ(b[value + k], 0) << k; // terminating zero and the spare bytes
    EXPECT_EQ(b.size(), static_cast<size_t>(t.FirstRecordOffset() + 1 + 255));
}

// ---------------------------------------------------------------------------------------------------
// Cursor, deletion, record numbers and bookmarks

TEST(TQsStreamDataSetCursor, NewTableIsEmpty) {
    TQsStreamDataSet t;
    DefineNumbered(t);
    t.Open();
    EXPECT_EQ(t.RecordCount(), 0);
    EXPECT_TRUE(t.IsEmpty());
    t.First();
    EXPECT_TRUE(t.Eof());
    EXPECT_TRUE(t.Bof());
    EXPECT_EQ(t.RecNo(), 1);
    EXPECT_EQ(t.GetBookmark(), -1);
    EXPECT_TRUE(t.FieldByName("Name").IsNull());
    EXPECT_EQ(t.FieldByName("Name").AsString(), "");
}

TEST(TQsStreamDataSetCursor, MovementSkipsDeletedRecordsInBothDirections) {
    TQsStreamDataSet t;
    DefineNumbered(t);
    t.Open();
    for (const char* n : {"a", "b", "c", "d", "e"})
        AppendName(t, n);
    t.SetRecNo(2);
    t.Delete(); // b
    t.SetRecNo(4);
    t.Delete(); // d

    EXPECT_EQ(t.RecordCount(), 3);
    EXPECT_EQ(t.StoredCount(), 5);
    EXPECT_EQ(Walk(t), (std::vector<std::string>{"a", "c", "e"}));

    t.First();
    t.Next();
    EXPECT_EQ(t.FieldByName("Name").AsString(), "c");
    EXPECT_EQ(t.RecNo(), 3);
    t.Next();
    EXPECT_EQ(t.FieldByName("Name").AsString(), "e");
    EXPECT_EQ(t.RecNo(), 5);
    t.Next();
    EXPECT_TRUE(t.Eof());
    EXPECT_EQ(t.FieldByName("Name").AsString(), "e");

    std::vector<std::string> back;
    for (t.Last(); !t.Bof(); t.Prior())
        back.push_back(t.FieldByName("Name").AsString());
    EXPECT_EQ(back, (std::vector<std::string>{"e", "c", "a"}));
}

TEST(TQsStreamDataSetCursor, DeleteMovesToFollowingElsePreviousRecord) {
    struct Row {
        std::vector<const char*> deleteOrder; // names deleted one after another
        std::string currentAfter;             // "" when the table ends empty
        bool eofAfter;
    };
    const std::vector<Row> rows = {
        {{"a"}, "b", false},     {{"b"}, "c", false},
        {{"c"}, "b", true}, // the last record: back to the previous one
        {{"b", "c"}, "a", true}, {{"c", "b", "a"}, "", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.deleteOrder.size());
        TQsStreamDataSet t;
        DefineNumbered(t);
        t.Open();
        for (const char* n : {"a", "b", "c"})
            AppendName(t, n);
        for (const char* victim : row.deleteOrder) {
            for (t.First(); t.FieldByName("Name").AsString() != victim; t.Next())
                ASSERT_FALSE(t.Eof());
            t.Delete();
        }
        EXPECT_EQ(t.FieldByName("Name").AsString(), row.currentAfter);
        EXPECT_EQ(t.Eof(), row.eofAfter);
        EXPECT_EQ(t.IsEmpty(), row.currentAfter.empty());
        EXPECT_EQ(t.RecordCount(), static_cast<int32_t>(3 - row.deleteOrder.size()));
    }
}

TEST(TQsStreamDataSetCursor, SetRecNoCountsDeletedRecordsAndIgnoresOutOfRange) {
    TQsStreamDataSet t;
    DefineNumbered(t);
    t.Open();
    for (const char* n : {"a", "b", "c"})
        AppendName(t, n);
    t.SetRecNo(1);
    EXPECT_EQ(t.FieldByName("Name").AsString(), "a");
    t.SetRecNo(2);
    t.Delete();

    t.SetRecNo(1);
    EXPECT_EQ(t.FieldByName("Name").AsString(), "a");
    for (int32_t outside : {0, -1, 4, 100}) {
        t.SetRecNo(outside);
        EXPECT_EQ(t.RecNo(), 1) << outside;
    }
    t.SetRecNo(3);
    EXPECT_EQ(t.FieldByName("Name").AsString(), "c");
    // The deleted record 2 itself cannot be current: the cursor goes on to the next live one.
    t.SetRecNo(2);
    EXPECT_EQ(t.RecNo(), 3);
    EXPECT_EQ(t.FieldByName("Name").AsString(), "c");
}

TEST(TQsStreamDataSetCursor, BookmarksSurviveDeletionOfOtherRecords) {
    TQsStreamDataSet t;
    DefineNumbered(t);
    t.Open();
    for (const char* n : {"a", "b", "c", "d"})
        AppendName(t, n);
    t.SetRecNo(2);
    TQsStreamDataSet::TBookmark b = t.GetBookmark();
    t.SetRecNo(3);
    TQsStreamDataSet::TBookmark c = t.GetBookmark();
    t.SetRecNo(4);
    TQsStreamDataSet::TBookmark d = t.GetBookmark();
    EXPECT_EQ(std::vector<int32_t>({b, c, d}), std::vector<int32_t>({1, 2, 3}));
    t.First();
    t.Delete(); // a
    t.GotoBookmark(c);
    t.Delete(); // c

    t.GotoBookmark(b);
    EXPECT_EQ(t.FieldByName("Name").AsString(), "b");
    t.GotoBookmark(d);
    EXPECT_EQ(t.FieldByName("Name").AsString(), "d");
    EXPECT_FALSE(t.BookmarkValid(c));
    EXPECT_EQ(FailureOf([&] { t.GotoBookmark(c); }), "Invalid bookmark");
    EXPECT_EQ(t.FieldByName("Name").AsString(), "d") << "a failed jump keeps the cursor";
}

TEST(TQsStreamDataSetCursor, BookmarkOfARecordStaysItsPhysicalIndex) {
    TQsStreamDataSet t;
    DefineNumbered(t);
    t.Open();
    for (const char* n : {"a", "b", "c"})
        AppendName(t, n);
    t.First();
    TQsStreamDataSet::TBookmark a = t.GetBookmark();
    t.Next();
    t.Delete(); // b
    AppendName(t, "x");
    EXPECT_EQ(t.GetBookmark(), 3);
    t.GotoBookmark(a);
    EXPECT_EQ(t.FieldByName("Name").AsString(), "a");
    t.GotoBookmark(2);
    EXPECT_EQ(t.FieldByName("Name").AsString(), "c");
    EXPECT_EQ(Walk(t), (std::vector<std::string>{"a", "c", "x"}));
}

// ---------------------------------------------------------------------------------------------------
// Editing

TEST(TQsStreamDataSetEditing, AutoIncrementContinuesAfterDeleteAndRestartsAfterEmpty) {
    TQsStreamDataSet t;
    DefineNumbered(t);
    t.Open();
    for (const char* n : {"a", "b", "c"})
        AppendName(t, n);
    std::vector<int32_t> ids;
    for (t.First(); !t.Eof(); t.Next())
        ids.push_back(t.FieldByName("Id").AsInteger());
    EXPECT_EQ(ids, (std::vector<int32_t>{1, 2, 3}));

    t.Last();
    t.Delete();
    t.Append();
    t.FieldByName("Id").SetAsInteger(77); // the table numbers its records itself
    t.Post();
    EXPECT_EQ(t.FieldByName("Id").AsInteger(), 4);
    EXPECT_EQ(t.LastAutoInc(), 4);

    t.Empty();
    EXPECT_EQ(t.RecordCount(), 0);
    EXPECT_EQ(t.StreamBytes().size(), static_cast<size_t>(t.FirstRecordOffset()));
    EXPECT_EQ(I32(t.StreamBytes(), 38), 0);
    AppendName(t, "z");
    EXPECT_EQ(t.FieldByName("Id").AsInteger(), 1);
}

TEST(TQsStreamDataSetEditing, EditPostWritesInPlaceAndCancelRestores) {
    TQsStreamDataSet t;
    DefineNumbered(t);
    t.Open();
    for (const char* n : {"a", "b"})
        AppendName(t, n);
    t.First();
    t.Edit();
    t.FieldByName("Name").SetAsString("changed");
    EXPECT_EQ(t.FieldByName("Name").AsString(), "changed");
    t.Cancel();
    EXPECT_EQ(t.FieldByName("Name").AsString(), "a");

    t.Edit();
    t.FieldByName("Name").SetAsString("A1");
    t.Post();
    EXPECT_EQ(t.StoredCount(), 2);
    EXPECT_EQ(t.FieldByName("Id").AsInteger(), 1);
    EXPECT_EQ(Walk(t), (std::vector<std::string>{"A1", "b"}));

    // A cancelled append leaves no trace, the cursor is back where it was.
    t.First();
    std::vector<uint8_t> before = t.StreamBytes();
    t.Append();
    t.FieldByName("Name").SetAsString("gone");
    t.Cancel();
    EXPECT_EQ(t.StreamBytes(), before);
    EXPECT_EQ(t.FieldByName("Name").AsString(), "A1");
}

TEST(TQsStreamDataSetEditing, MovingAwayPostsAChangedRecordAndDropsAnUntouchedOne) {
    TQsStreamDataSet t;
    DefineNumbered(t);
    t.Open();
    AppendName(t, "a");
    t.Append();
    t.First(); // nothing set: dropped
    EXPECT_EQ(t.RecordCount(), 1);
    t.Append();
    t.FieldByName("Name").SetAsString("b");
    t.First(); // posted
    EXPECT_EQ(t.RecordCount(), 2);
    EXPECT_EQ(t.State(), TQsStreamDataSet::TState::Browse);
    EXPECT_EQ(Walk(t), (std::vector<std::string>{"a", "b"}));
}

TEST(TQsStreamDataSetEditing, CloseAndReopenGivesAnEmptyTableWithTheSameFields) {
    std::unique_ptr<TQsStreamDataSet> t = CreateQssPRS();
    std::vector<TQsFieldDef> defs = t->FieldDefs();
    t->Append();
    t->FieldByName("PRS_TmpName").SetAsString("tmp_file");
    t->Post();
    t->Close();
    EXPECT_FALSE(t->Active());
    t->Open();
    EXPECT_EQ(t->RecordCount(), 0);
    EXPECT_TRUE(t->IsEmpty());
    EXPECT_EQ(t->FieldDefs(), defs);
}

TEST(TQsStreamDataSetEditing, GrowsPastTheInitialCapacity) {
    std::unique_ptr<TQsStreamDataSet> t = CreateQssSest01();
    const int count = 200; // 200 records of 356 bytes
    ASSERT_GT(static_cast<size_t>(count * t->RecordSize()), TQsStreamDataSet::InitialCapacity);
    for (int i = 0; i < count; ++i) {
        t->Append();
        t->FieldByName("SEST01_Soubor").SetAsInteger(i);
        t->FieldByName("SEST01_Chyba").SetAsString("Řádek " + std::to_string(i) + ": chyba");
        t->Post();
    }
    int i = 0;
    for (t->First(); !t->Eof(); t->Next(), ++i) {
        ASSERT_EQ(t->FieldByName("SEST01_Soubor").AsInteger(), i);
        ASSERT_EQ(t->FieldByName("SEST01_Chyba").AsString(), "Řádek " + std::to_string(i) + ": chyba");
    }
    EXPECT_EQ(i, count);
}

// ---------------------------------------------------------------------------------------------------
// Field values

TEST(TQsStreamDataSetFields, ValuesRoundTripAndReadAsText) {
    TQsStreamDataSet t;
    t.AddFieldDef("S", F::ftSmallint);
    t.AddFieldDef("W", F::ftWord);
    t.AddFieldDef("I", F::ftInteger);
    t.AddFieldDef("B", F::ftBoolean);
    t.AddFieldDef("F", F::ftFloat);
    t.AddFieldDef("D", F::ftDate);
    t.AddFieldDef("T", F::ftTime);
    t.AddFieldDef("DT", F::ftDateTime);
    t.AddFieldDef("Txt", F::ftString, 20);
    t.Open();

    struct Row {
        const char* field;
        std::function<void(TQsField)> set;
        std::string text;
    };
    const TDateTime moment = TDateTime::FromParts(2023, 12, 31, 23, 59, 58);
    const std::vector<Row> rows = {
        {"S", [](TQsField f) { f.SetAsInteger(-32768); }, "-32768"},
        {"W", [](TQsField f) { f.SetAsString("65535"); }, "65535"},
        {"I", [](TQsField f) { f.SetAsInteger(2147483647); }, "2147483647"},
        {"B", [](TQsField f) { f.SetAsBoolean(false); }, "False"},
        {"F", [](TQsField f) { f.SetAsString("-12,25"); }, "-12,25"},
        {"D", [](TQsField f) { f.SetAsString("1.2.2024"); }, "01.02.2024"},
        {"T", [](TQsField f) { f.SetAsString("7:05"); }, "7:05:00"},
        {"DT", [&](TQsField f) { f.SetAsDateTime(moment); }, "31.12.2023 23:59:58"},
        {"Txt", [](TQsField f) { f.SetAsInteger(42); }, "42"},
    };
    t.Append();
    for (const Row& row : rows)
        row.set(t.FieldByName(row.field));
    t.Post();
    for (const Row& row : rows) {
        EXPECT_FALSE(t.FieldByName(row.field).IsNull()) << row.field;
        EXPECT_EQ(t.FieldByName(row.field).AsString(), row.text) << row.field;
    }
    EXPECT_EQ(t.FieldByName("D").AsDate(), TDate::FromYmd(2024, 2, 1));
    EXPECT_EQ(t.FieldByName("DT").AsDateTime(), moment);
    EXPECT_EQ(t.FieldByName("DT").AsDate(), TDate::FromYmd(2023, 12, 31));
    EXPECT_DOUBLE_EQ(t.FieldByName("F").AsFloat(), -12.25);
    EXPECT_EQ(t.FieldByName("Txt").AsInteger(), 42);
    t.Edit();
    t.FieldByName("Txt").SetAsString("007"); // the numbered extensions of the file lists
    EXPECT_EQ(t.FieldByName("Txt").AsInteger(), 7);
    t.Post();
    EXPECT_EQ(t.TextAt(0, t.FieldIndex("DT")), "31.12.2023 23:59:58");

    t.Edit();
    for (const Row& row : rows)
        t.FieldByName(row.field).SetNull();
    t.Post();
    for (const Row& row : rows) {
        EXPECT_TRUE(t.FieldByName(row.field).IsNull()) << row.field;
        EXPECT_EQ(t.FieldByName(row.field).AsString(), "") << row.field;
    }
    EXPECT_EQ(t.FieldByName("I").AsInteger(), 0);
    EXPECT_TRUE(t.FieldByName("D").AsDate().IsNull());
}

TEST(TQsStreamDataSetFields, RefusedValuesLeaveTheFieldAsItWas) {
    TQsStreamDataSet t;
    t.AddFieldDef("S", F::ftSmallint);
    t.AddFieldDef("W", F::ftWord);
    t.AddFieldDef("I", F::ftInteger);
    t.AddFieldDef("D", F::ftDate);
    t.AddFieldDef("DT", F::ftDateTime);
    t.Open();
    t.Append();
    struct Row {
        const char* field;
        std::function<void(TQsField)> set;
        std::string message;
    };
    const std::vector<Row> rows = {
        {"S", [](TQsField f) { f.SetAsInteger(32768); },
         "32768 is not a valid value for field 'S'. The allowed range is -32768 to 32767"},
        {"W", [](TQsField f) { f.SetAsInteger(-1); },
         "-1 is not a valid value for field 'W'. The allowed range is 0 to 65535"},
        {"I", [](TQsField f) { f.SetAsString("12a"); }, "'12a' is not a valid integer value"},
        {"I", [](TQsField f) { f.SetAsString("99999999999"); }, "'99999999999' is not a valid integer value"},
        {"D", [](TQsField f) { f.SetAsString("30.2.2024"); }, "'30.2.2024' is not a valid date"},
        {"D", [](TQsField f) { f.SetAsInteger(1); }, "Cannot access field 'D' as type Integer"},
        {"DT", [](TQsField f) { f.SetAsString("1.1.2024 25:00"); }, "'1.1.2024 25:00' is not a valid date and time"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FailureOf([&] { row.set(t.FieldByName(row.field)); }), row.message) << row.field;
        EXPECT_TRUE(t.FieldByName(row.field).IsNull()) << row.field;
    }
}

TEST(TQsStreamDataSetFields, FieldsAreFoundByNameRegardlessOfCase) {
    std::unique_ptr<TQsStreamDataSet> t = CreateQssPRS();
    EXPECT_EQ(t->FieldByName("prs_filesize").Index(), 2);
    EXPECT_FALSE(t->FindField("PRS_Nothing").has_value());
    EXPECT_EQ(FailureOf([&] { (void)t->FieldByName("PRS_Nothing"); }), "Field 'PRS_Nothing' not found");
}

// ---------------------------------------------------------------------------------------------------
// Failures

TEST(TQsStreamDataSetFailures, EachFailureHasItsMessage) {
    struct Row {
        const char* what;
        std::function<void(TQsStreamDataSet&)> run;
        std::string message;
    };
    auto appendOne = [](TQsStreamDataSet& t) {
        DefineNumbered(t);
        t.Open();
        AppendName(t, "a");
    };
    const std::vector<Row> rows = {
        {"open without fields", [](TQsStreamDataSet& t) { t.Open(); }, "No fields defined"},
        {"blob field",
         [](TQsStreamDataSet& t) {
             t.AddFieldDef("X", F::ftBlob);
             t.Open();
         },
         "Unsupported field type"},
        {"second autoincrement",
         [](TQsStreamDataSet& t) {
             t.AddFieldDef("A", F::ftAutoInc);
             t.AddFieldDef("B", F::ftAutoInc);
             t.Open();
         },
         "Only one Autoinc field is supported"},
        {"edit on empty table",
         [](TQsStreamDataSet& t) {
             DefineNumbered(t);
             t.Open();
             t.Edit();
         },
         "Invalid record"},
        {"delete on empty table",
         [](TQsStreamDataSet& t) {
             DefineNumbered(t);
             t.Open();
             t.Delete();
         },
         "Invalid record"},
        {"negative bookmark",
         [&](TQsStreamDataSet& t) {
             appendOne(t);
             t.GotoBookmark(-1);
         },
         "Invalid bookmark"},
        {"bookmark past the records",
         [&](TQsStreamDataSet& t) {
             appendOne(t);
             t.GotoBookmark(1);
         },
         "Invalid bookmark"},
        {"file table without name",
         [](TQsStreamDataSet& t) {
             DefineNumbered(t);
             t.SetInMemTable(false);
             t.Open();
         },
         "TableName is missing"},
        {"file table created without name",
         [](TQsStreamDataSet& t) {
             DefineNumbered(t);
             t.SetInMemTable(false);
             t.CreateTable();
         },
         "TableName is missing"},
        {"record too large",
         [](TQsStreamDataSet& t) {
             t.AddFieldDef("A", F::ftString, 20000);
             t.AddFieldDef("B", F::ftString, 20000);
             t.Open();
         },
         "Record size exceeds 32767 bytes"},
        {"duplicate field",
         [](TQsStreamDataSet& t) {
             t.AddFieldDef("Name", F::ftString, 5);
             t.AddFieldDef("NAME", F::ftInteger);
             t.Open();
         },
         "Duplicate field name 'NAME'"},
        {"field name longer than 33 characters",
         [](TQsStreamDataSet& t) {
             t.AddFieldDef(std::string(34, 'x'), F::ftInteger);
             t.Open();
         },
         "Invalid field name '" + std::string(34, 'x') + "'"},
        {"set a field while browsing",
         [&](TQsStreamDataSet& t) {
             appendOne(t);
             t.FieldByName("Name").SetAsString("b");
         },
         "Dataset not in edit or insert mode"},
        {"post while browsing",
         [&](TQsStreamDataSet& t) {
             appendOne(t);
             t.Post();
         },
         "Dataset not in edit or insert mode"},
        {"navigate a closed table", [](TQsStreamDataSet& t) { t.First(); },
         "Cannot perform this operation on a closed dataset"},
        {"change fields of an open table",
         [&](TQsStreamDataSet& t) {
             appendOne(t);
             t.AddFieldDef("More", F::ftInteger);
         },
         "Cannot perform this operation on an open dataset"},
        {"required field left null",
         [](TQsStreamDataSet& t) {
             t.AddFieldDef("Must", F::ftInteger, 0, true);
             t.Open();
             t.Append();
             t.Post();
         },
         "Field 'Must' must have a value"},
    };
    for (const Row& row : rows) {
        TQsStreamDataSet t;
        EXPECT_EQ(FailureOf([&] { row.run(t); }), row.message) << row.what;
    }
}

TEST(TQsStreamDataSetFailures, UnsupportedTypesAreRefusedAndTheTableStaysClosed) {
    for (TQsFieldType type : {F::ftUnknown, F::ftBCD, F::ftBytes, F::ftVarBytes, F::ftBlob, F::ftMemo}) {
        TQsStreamDataSet t;
        t.AddFieldDef("Ok", F::ftInteger);
        t.AddFieldDef("Bad", type);
        EXPECT_EQ(FailureOf([&] { t.Open(); }), "Unsupported field type") << static_cast<int>(type);
        EXPECT_FALSE(t.Active());
    }
}

TEST(TQsStreamDataSetFailures, ReadOnlyTableRefusesEveryChange) {
    const std::vector<std::pair<const char*, std::function<void(TQsStreamDataSet&)>>> changes = {
        {"Append", [](TQsStreamDataSet& t) { t.Append(); }}, {"Insert", [](TQsStreamDataSet& t) { t.Insert(); }},
        {"Edit", [](TQsStreamDataSet& t) { t.Edit(); }},     {"Delete", [](TQsStreamDataSet& t) { t.Delete(); }},
        {"Empty", [](TQsStreamDataSet& t) { t.Empty(); }},
    };
    for (const auto& [name, change] : changes) {
        TQsStreamDataSet t;
        DefineNumbered(t);
        t.SetReadOnly(true);
        t.Open();
        std::vector<uint8_t> before = t.StreamBytes();
        EXPECT_EQ(FailureOf([&] { change(t); }), "Cannot modify a read-only dataset") << name;
        EXPECT_EQ(t.StreamBytes(), before) << name;
        EXPECT_EQ(t.State(), TQsStreamDataSet::TState::Browse) << name;
    }
}

TEST(TQsStreamDataSetFailures, FailedPostWritesNothing) {
    TQsStreamDataSet t;
    t.AddFieldDef("Id", F::ftAutoInc);
    t.AddFieldDef("Must", F::ftString, 5, true);
    t.Open();
    std::vector<uint8_t> before = t.StreamBytes();
    t.Append();
    EXPECT_EQ(FailureOf([&] { t.Post(); }), "Field 'Must' must have a value");
    EXPECT_EQ(t.StreamBytes(), before);
    EXPECT_EQ(t.LastAutoInc(), 0);
    EXPECT_EQ(t.State(), TQsStreamDataSet::TState::Insert);
    t.FieldByName("Must").SetAsString("ok");
    t.Post();
    EXPECT_EQ(t.FieldByName("Id").AsInteger(), 1);
}

// ---------------------------------------------------------------------------------------------------
// File storage

class TQsStreamDataSetFile : public TempDir {};

TEST_F(TQsStreamDataSetFile, WrittenRecordsAreReadBackAfterReopening) {
    std::string name = (m_Dir / "tabulka.qsd").string();
    {
        TQsStreamDataSet t;
        DefineQssSest02(t);
        t.AddFieldDef("Id", F::ftAutoInc);
        t.SetInMemTable(false);
        t.SetTableName(name);
        t.CreateTable();
        EXPECT_EQ(fs::file_size(name), 46u + 4 * 48u);
        t.Open();
        for (int i = 1; i <= 3; ++i) {
            t.Append();
            t.FieldByName("qssSest02_FileSize").SetAsInteger(1000 * i);
            t.FieldByName("qssSest02_SrcFileName").SetAsString("dávka_" + std::to_string(i) + ".333");
            t.FieldByName("qssSest02_SrcDateTime").SetAsDateTime(TDateTime::FromParts(2024, 3, i, 10, 30, 2));
            t.Post();
        }
        t.SetRecNo(2);
        t.Delete();
        t.Close();
    }
    std::vector<uint8_t> bytes = ReadFileBytes(name);
    ASSERT_EQ(bytes.size(), 46u + 4 * 48u + 3 * (1 + 5 + 255 + 9 + 5u));
    EXPECT_EQ(I32(bytes, 22), 2);
    EXPECT_EQ(I32(bytes, 30), 1);
    EXPECT_EQ(I32(bytes, 38), 3);
    EXPECT_EQ(bytes[46 + 4 * 48 + 275], 1) << "deleted mark of the second record";

    for (bool readOnly : {true, false}) {
        SCOPED_TRACE(readOnly);
        TQsStreamDataSet t;
        t.SetInMemTable(false);
        t.SetTableName(name);
        t.SetReadOnly(readOnly);
        t.Open();
        ASSERT_EQ(t.FieldCount(), 4);
        EXPECT_EQ(t.FieldDefs()[1], (TQsFieldDef{"qssSest02_SrcFileName", F::ftString, 250, false}));
        EXPECT_EQ(t.RecordCount(), 2);
        std::vector<std::string> names;
        for (t.First(); !t.Eof(); t.Next()) {
            int32_t i = t.FieldByName("Id").AsInteger();
            names.push_back(t.FieldByName("qssSest02_SrcFileName").AsString());
            EXPECT_EQ(t.FieldByName("qssSest02_FileSize").AsInteger(), 1000 * i);
            EXPECT_EQ(t.FieldByName("qssSest02_SrcDateTime").AsDateTime(), TDateTime::FromParts(2024, 3, i, 10, 30, 2));
        }
        EXPECT_EQ(names, (std::vector<std::string>{"dávka_1.333", "dávka_3.333"}));
    }
    EXPECT_EQ(ReadFileBytes(name), bytes) << "reading changes nothing";

    // The counter goes on from the stored value; Empty cuts the file back.
    TQsStreamDataSet t;
    t.SetInMemTable(false);
    t.SetTableName(name);
    t.Open();
    t.Append();
    t.FieldByName("qssSest02_FileSize").SetAsInteger(1);
    t.Post();
    EXPECT_EQ(t.FieldByName("Id").AsInteger(), 4);
    t.Empty();
    t.Close();
    EXPECT_EQ(fs::file_size(name), 46u + 4 * 48u);
}

TEST_F(TQsStreamDataSetFile, DamagedFilesAreRefused) {
    fs::path good = m_Dir / "good.qsd";
    {
        TQsStreamDataSet t;
        DefineNumbered(t);
        t.SetInMemTable(false);
        t.SetTableName(good.string());
        t.CreateTable();
        t.Open();
        AppendName(t, "a");
        AppendName(t, "b");
    }
    const std::vector<uint8_t> original = ReadFileBytes(good);
    struct Row {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> damage;
        std::string message;
    };
    auto put32 = [](std::vector<uint8_t>& b, size_t at, int32_t v) { std::memcpy(b.data() + at, &v, 4); };
    const std::vector<Row> rows = {
        {"signature", [](std::vector<uint8_t>& b) { b[0] = 'q'; }, "Bad file format"},
        {"signature end byte", [](std::vector<uint8_t>& b) { b[19] = 0; }, "Bad file format"},
        {"version", [](std::vector<uint8_t>& b) { b[21] = 2; }, "Bad file format"},
        {"shorter than a header", [](std::vector<uint8_t>& b) { b.resize(30); }, "Bad file format"},
        {"no fields", [&](std::vector<uint8_t>& b) { put32(b, 26, 0); }, "No fields defined"},
        {"more records than the file holds", [&](std::vector<uint8_t>& b) { put32(b, 22, 3); }, "Bad file format"},
        {"cut inside a record", [](std::vector<uint8_t>& b) { b.pop_back(); }, "Bad file format"},
        {"wrong record size", [&](std::vector<uint8_t>& b) { put32(b, 34, 7); }, "Bad file format"},
        {"wrong slot size", [&](std::vector<uint8_t>& b) { put32(b, 46 + 44, 9); }, "Bad file format"},
        {"unknown type code", [](std::vector<uint8_t>& b) { b[46 + 33] = 15; }, "Unsupported field type"},
        {"field count past the file", [&](std::vector<uint8_t>& b) { put32(b, 26, 100000); }, "Bad file format"},
    };
    for (const Row& row : rows) {
        std::vector<uint8_t> bytes = original;
        row.damage(bytes);
        fs::path bad = m_Dir / "bad.qsd";
        WriteFileBytes(bad, bytes);
        TQsStreamDataSet t;
        t.SetInMemTable(false);
        t.SetTableName(bad.string());
        EXPECT_EQ(FailureOf([&] { t.Open(); }), row.message) << row.what;
        EXPECT_FALSE(t.Active()) << row.what;
        EXPECT_EQ(ReadFileBytes(bad), bytes) << row.what;
    }
}

TEST_F(TQsStreamDataSetFile, MissingFileIsReported) {
    TQsStreamDataSet t;
    t.SetInMemTable(false);
    t.SetTableName((m_Dir / "none.qsd").string());
    EXPECT_EQ(FailureOf([&] { t.Open(); }), "Cannot open file \"" + (m_Dir / "none.qsd").string() + "\"");
    EXPECT_FALSE(t.Active());
}

TEST_F(TQsStreamDataSetFile, ReadOnlyFileTableWritesNothing) {
    fs::path file = m_Dir / "ro.qsd";
    {
        TQsStreamDataSet t;
        DefineNumbered(t);
        t.SetInMemTable(false);
        t.SetTableName(file.string());
        t.CreateTable();
        t.Open();
        AppendName(t, "a");
    }
    std::vector<uint8_t> before = ReadFileBytes(file);
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    TQsStreamDataSet t;
    t.SetInMemTable(false);
    t.SetTableName(file.string());
    t.SetReadOnly(true);
    t.Open(); // a file that may only be read opens for reading
    EXPECT_EQ(t.FieldByName("Name").AsString(), "a");
    EXPECT_EQ(FailureOf([&] { t.Delete(); }), "Cannot modify a read-only dataset");
    t.Close();
    EXPECT_EQ(ReadFileBytes(file), before);
    fs::permissions(file, fs::perms::owner_all);
}

// ---------------------------------------------------------------------------------------------------
// Notification of views

TEST(TQsStreamDataSetNotify, ListenersHearChangesUnlessSuspended) {
    TQsStreamDataSet t;
    DefineNumbered(t);
    std::vector<TQsNotification> heard;
    int id = t.AddListener([&](const TQsNotification& n) { heard.push_back(n); });
    t.Open();
    AppendName(t, "a");
    AppendName(t, "b");
    t.First();
    t.Delete();
    std::vector<TQsChange> kinds;
    for (const auto& n : heard)
        kinds.push_back(n.Change);
    using C = TQsChange;
    EXPECT_EQ(kinds,
              (std::vector<C>{C::ActiveChanged, C::StateChanged, C::FieldChanged, C::RecordAppended, C::StateChanged,
                              C::FieldChanged, C::RecordAppended, C::Scrolled, C::RecordDeleted}));
    EXPECT_EQ(heard[6].Record, 1);
    EXPECT_EQ(heard[7].Record, 0);
    EXPECT_EQ(heard.back().Record, 0);

    // Suspended twice, resumed twice: silence, then one summary.
    heard.clear();
    t.DisableControls();
    t.DisableControls();
    AppendName(t, "c");
    t.First();
    t.EnableControls();
    EXPECT_TRUE(heard.empty());
    t.EnableControls();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].Change, C::DataSetChanged);
    EXPECT_EQ(heard[0].Record, t.GetBookmark());

    // Only moving while suspended reports a move.
    heard.clear();
    t.DisableControls();
    t.Last();
    t.EnableControls();
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].Change, C::Scrolled);
    EXPECT_EQ(heard[0].Record, 2);

    heard.clear();
    t.RemoveListener(id);
    t.First();
    t.Empty();
    EXPECT_TRUE(heard.empty());
}

TEST(TQsStreamDataSetNotify, ViewsReadRowsWithoutMovingTheCursor) {
    TQsStreamDataSet t;
    DefineNumbered(t);
    t.Open();
    for (const char* n : {"a", "b", "c"})
        AppendName(t, n);
    t.SetRecNo(2);
    t.Delete();
    t.First();
    EXPECT_EQ(t.LiveRecords(), (std::vector<int32_t>{0, 2}));
    EXPECT_EQ(t.TextAt(2, t.FieldIndex("Name")), "c");
    EXPECT_TRUE(t.IsDeletedAt(1));
    EXPECT_EQ(t.RecNo(), 1);
}

TEST(TQsStreamDataSetFilter, FilterHidesRecordsFromTheCursor) {
    TQsStreamDataSet t;
    DefineNumbered(t);
    t.Open();
    for (const char* n : {"a", "bb", "c", "dd"})
        AppendName(t, n);
    t.SetOnFilterRecord([](TQsStreamDataSet& ds) { return ds.FieldByName("Name").AsString().size() == 2; });
    t.SetFiltered(true);
    EXPECT_EQ(Walk(t), (std::vector<std::string>{"bb", "dd"}));
    EXPECT_EQ(t.RecordCount(), 4);
    t.SetOnFilterRecord([](TQsStreamDataSet&) { return false; });
    EXPECT_TRUE(t.IsEmpty());
    t.SetFiltered(false);
    EXPECT_EQ(Walk(t), (std::vector<std::string>{"a", "bb", "c", "dd"}));
}

// ---------------------------------------------------------------------------------------------------
// The program's tables

TEST(ProgramTables, EachTableHasItsFields) {
    struct Row {
        std::function<std::unique_ptr<TQsStreamDataSet>()> create;
        std::string name;
        std::vector<TQsFieldDef> fields;
    };
    auto fileList = [](const std::string& p) {
        return std::vector<TQsFieldDef>{{p + "TmpName", F::ftString, 50},
                                        {p + "FileExt", F::ftString, 20},
                                        {p + "FileSize", F::ftInteger},
                                        {p + "SrcFileName", F::ftString, 250},
                                        {p + "SrcDateTime", F::ftDateTime}};
    };
    const std::vector<Row> rows = {
        {CreateQssPRS, "qssPRS", fileList("PRS_")},
        {CreateQssLZ, "qssLZ", fileList("LZ_")},
        {CreateQssSest01,
         "qssSest01",
         {{"SEST01_Soubor", F::ftString, 20},
          {"SEST01_Davka", F::ftString, 20},
          {"SEST01_Mesic", F::ftString, 20},
          {"SEST01_Rok", F::ftString, 20},
          {"SEST01_Chyba", F::ftString, 250}}},
        {CreateQssSest02,
         "qssSest02",
         {{"qssSest02_FileSize", F::ftInteger},
          {"qssSest02_SrcFileName", F::ftString, 250},
          {"qssSest02_SrcDateTime", F::ftDateTime}}},
        {CreateQssSestQRF,
         "qssSestQRF",
         {{"qssSestQRF_Soubor", F::ftString, 20},
          {"qssSestQRF_Davka", F::ftString, 20},
          {"qssSestQRF_Mesic", F::ftString, 20},
          {"qssSestQRF_Rok", F::ftString, 20}}},
    };
    for (const Row& row : rows) {
        std::unique_ptr<TQsStreamDataSet> t = row.create();
        EXPECT_EQ(t->Name, row.name);
        EXPECT_TRUE(t->Active()) << row.name;
        EXPECT_TRUE(t->InMemTable()) << row.name;
        EXPECT_TRUE(t->IsEmpty()) << row.name;
        EXPECT_EQ(t->FieldDefs(), row.fields) << row.name;
    }
    EXPECT_EQ(CreateQssPRS()->RecordSize(), 1 + 55 + 25 + 5 + 255 + 9);
}
