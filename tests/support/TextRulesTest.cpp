#include "support/TextRules.h"

#include <gtest/gtest.h>

using namespace ndlemo;

TEST(TextRules, EachTrimRuleHasItsOwnBlanks) {
    struct Row {
        const char* Text;
        const char* Whitespace; // settings and typed input
        const char* Spaces;     // numbers in fields and table cells
        const char* Controls;   // batch columns
    } rows[] = {
        {"  a b  ", "a b", "a b", "a b"},
        {"\t a \r\n", "a", "\t a \r\n", "a"},
        {" \x01x\x1F ", "\x01x\x1F", "\x01x\x1F", "x"},
        {"", "", "", ""},
        {" \t ", "", "\t", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(TrimWhitespace(row.Text), row.Whitespace) << row.Text;
        EXPECT_EQ(TrimSpaces(row.Text), row.Spaces) << row.Text;
        EXPECT_EQ(TrimControls(row.Text), row.Controls) << row.Text;
    }
}

TEST(TextRules, WholeNumbers) {
    struct Row {
        const char* Text;
        bool Ok;
        int32_t Value;
    } rows[] = {
        {"42", true, 42},
        {"  -42", true, -42},
        {"+7", true, 7},
        {"$1F", true, 31},
        {"0x1f", true, 31},
        {"x10", true, 16},
        {"-$10", true, -16},
        {"$FFFFFFFF", true, -1}, // a bit pattern
        {"2147483647", true, 2147483647},
        {"-2147483648", true, INT32_MIN},
        {"2147483648", false, 0},
        {"$100000000", false, 0},
        {"42 ", false, 0}, // nothing may follow
        {"\t42", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"1E3", false, 0},
        {"4x", false, 0},
    };
    for (const Row& row : rows) {
        int32_t value = 123;
        EXPECT_EQ(TryStrToInt(row.Text, value), row.Ok) << row.Text;
        EXPECT_EQ(value, row.Ok ? row.Value : 123) << row.Text;
    }
    int64_t big = 0;
    EXPECT_TRUE(TryStrToInt64("9223372036854775807", big));
    EXPECT_EQ(big, INT64_MAX);
    EXPECT_TRUE(TryStrToInt64("-9223372036854775808", big));
    EXPECT_EQ(big, INT64_MIN);
    EXPECT_FALSE(TryStrToInt64("9223372036854775808", big));
}

TEST(TextRules, ShortDates) {
    TDate date;
    EXPECT_TRUE(TryShortTextToDate("1.2.2024", ".", date));
    EXPECT_EQ(date, TDate::FromYmd(2024, 2, 1));
    EXPECT_TRUE(TryShortTextToDate("29/02/2024", "/", date));
    EXPECT_EQ(date, TDate::FromYmd(2024, 2, 29));
    for (const char* bad : {"29.02.2023", "1.2", "1.2.", ".2.2024", "1.2.2024.", "a.2.2024", "1. 2.2024", "-1.2.2024",
                            "31.4.2024", "0.1.2024", ""}) {
        TDate unchanged = TDate::FromYmd(2000, 1, 1);
        EXPECT_FALSE(TryShortTextToDate(bad, ".", unchanged)) << bad;
        EXPECT_EQ(unchanged, TDate::FromYmd(2000, 1, 1)) << bad;
    }
}
