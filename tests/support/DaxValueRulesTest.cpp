#include "support/DaxValueRules.h"

#include <gtest/gtest.h>

using namespace ndlemo;

namespace {

TFormatSettings Czech() {
    return TFormatSettings{};
}

const char* const Nbsp = "\u00A0";

// ---- key filter -------------------------------------------------------------------------------------

struct TKeyRow {
    TValueType Type;
    TEditKey Key;
    const char* Char;
    TKeyAction Action;
    const char* Inserted; // for accepted characters
};

class FilterEditKeyTest : public testing::TestWithParam<TKeyRow> {};

TEST_P(FilterEditKeyTest, DecidesByValueType) {
    const TKeyRow& row = GetParam();
    TKeyDecision d = FilterEditKey(row.Type, row.Key, row.Char, Czech());
    EXPECT_EQ(d.Action, row.Action);
    if (row.Action == TKeyAction::Accept && row.Key == TEditKey::Character) {
        EXPECT_EQ(d.Text, row.Inserted);
    }
}

using K = TEditKey;
using A = TKeyAction;
INSTANTIATE_TEST_SUITE_P(
    Rows, FilterEditKeyTest,
    testing::Values(
        // Text takes everything.
        TKeyRow{vtText, K::Character, "x", A::Accept, "x"}, TKeyRow{vtText, K::Character, "*", A::Accept, "*"},
        TKeyRow{vtText, K::Paste, "", A::Accept, ""}, TKeyRow{vtText, K::OtherControl, "", A::Accept, ""},
        // Integer: digits, minus, Backspace, Enter; no decimal separator, no clipboard.
        TKeyRow{vtInteger, K::Character, "7", A::Accept, "7"}, TKeyRow{vtInteger, K::Character, "-", A::Accept, "-"},
        TKeyRow{vtInteger, K::Character, ",", A::Drop, ""}, TKeyRow{vtInteger, K::Character, "+", A::Drop, ""},
        TKeyRow{vtInteger, K::Character, "e", A::Drop, ""}, TKeyRow{vtInteger, K::Character, " ", A::Drop, ""},
        TKeyRow{vtInteger, K::Backspace, "", A::Accept, ""}, TKeyRow{vtInteger, K::Enter, "", A::Accept, ""},
        TKeyRow{vtInteger, K::Escape, "", A::Undo, ""}, TKeyRow{vtInteger, K::Paste, "", A::Drop, ""},
        TKeyRow{vtInteger, K::Copy, "", A::Drop, ""}, TKeyRow{vtInteger, K::Cut, "", A::Drop, ""},
        TKeyRow{vtInteger, K::OtherControl, "", A::Drop, ""},
        // Floating point and currency also take the decimal separator, not the point.
        TKeyRow{vtFloat, K::Character, ",", A::Accept, ","}, TKeyRow{vtFloat, K::Character, ".", A::Drop, ""},
        TKeyRow{vtFloat, K::Escape, "", A::Undo, ""}, TKeyRow{vtFloat, K::Paste, "", A::Drop, ""},
        TKeyRow{vtCurrency, K::Character, ",", A::Accept, ","}, TKeyRow{vtCurrency, K::Character, "K", A::Drop, ""},
        // Date: separators of any kind become the date separator; "*" completes; Ctrl+V parses.
        TKeyRow{vtDate, K::Character, "3", A::Accept, "3"}, TKeyRow{vtDate, K::Character, ".", A::Accept, "."},
        TKeyRow{vtDate, K::Character, "-", A::Accept, "."}, TKeyRow{vtDate, K::Character, "/", A::Accept, "."},
        TKeyRow{vtDate, K::Character, ",", A::Accept, "."}, TKeyRow{vtDate, K::Character, "*", A::CompleteDate, ""},
        TKeyRow{vtDate, K::Character, "a", A::Drop, ""}, TKeyRow{vtDate, K::Character, " ", A::Drop, ""},
        TKeyRow{vtDate, K::Paste, "", A::PasteDate, ""}, TKeyRow{vtDate, K::Copy, "", A::Accept, ""},
        TKeyRow{vtDate, K::Cut, "", A::Accept, ""}, TKeyRow{vtDate, K::Backspace, "", A::Accept, ""},
        TKeyRow{vtDate, K::Enter, "", A::Drop, ""}, TKeyRow{vtDate, K::Escape, "", A::Drop, ""},
        TKeyRow{vtDate, K::OtherControl, "", A::Drop, ""}));

TEST(FilterEditKey, DateUsesTheSystemSeparators) {
    TFormatSettings fs;
    fs.DateSeparator = "/";
    fs.DecimalSeparator = ".";
    EXPECT_EQ(FilterEditKey(vtDate, K::Character, ".", fs).Text, "/");
    EXPECT_EQ(FilterEditKey(vtDate, K::Character, "/", fs).Text, "/");
    EXPECT_EQ(FilterEditKey(vtFloat, K::Character, ".", fs).Action, A::Accept);
    EXPECT_EQ(FilterEditKey(vtFloat, K::Character, ",", fs).Action, A::Drop);
}

// ---- "*" completion ---------------------------------------------------------------------------------

TEST(CompleteDateText, CompletesWithTodaysParts) {
    const TDate today = TDate::FromYmd(2024, 3, 10);
    struct Row {
        const char* Text;
        const char* Expected;
    } rows[] = {
        {"", "10.3.2024"},       {"5", "5.3.2024"},    {"5.", "5.3.2024"},   {"5.3", "5.3.2024"},
        {"05.03", "05.03.2024"}, {"5.3.", "5.3.2024"}, {"5.3.24", "5.3.24"}, {"5.3.2024", "5.3.2024"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(CompleteDateText(row.Text, ".", today), row.Expected) << row.Text;
}

// ---- date entry -------------------------------------------------------------------------------------

struct TDateRow {
    const char* Text;
    TDateEntry::TResult Result;
    const char* Message;
    int Year, Month, Day; // for Ok
    const char* NewText;
};

class ParseDateEntryTest : public testing::TestWithParam<TDateRow> {};

TEST_P(ParseDateEntryTest, FollowsTheRules) {
    const TDateRow& row = GetParam();
    TDateEntry e = ParseDateEntry(row.Text, ".");
    EXPECT_EQ(e.Result, row.Result);
    EXPECT_EQ(e.Message, row.Message);
    if (row.Result == TDateEntry::TResult::Ok) {
        EXPECT_EQ(e.Date, TDate::FromYmd(row.Year, row.Month, row.Day));
        EXPECT_EQ(e.Text, row.NewText);
    } else {
        EXPECT_TRUE(e.Date.IsNull());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ParseDateEntryTest,
    testing::Values(TDateRow{"", TDateEntry::TResult::Empty, "", 0, 0, 0, ""},
                    TDateRow{"5.3.2024", TDateEntry::TResult::Ok, "", 2024, 3, 5, "5.3.2024"},
                    TDateRow{"05.03.2024", TDateEntry::TResult::Ok, "", 2024, 3, 5, "05.03.2024"},
                    // Two-digit years: above 50 the 1900s, else the 2000s.
                    TDateRow{"1.1.51", TDateEntry::TResult::Ok, "", 1951, 1, 1, "1.1.1951"},
                    TDateRow{"1.1.50", TDateEntry::TResult::Ok, "", 2050, 1, 1, "1.1.2050"},
                    TDateRow{"1.1.00", TDateEntry::TResult::Ok, "", 2000, 1, 1, "1.1.2000"},
                    TDateRow{"29.2.2024", TDateEntry::TResult::Ok, "", 2024, 2, 29, "29.2.2024"},
                    // The 28-day rule looks at four-digit years only; the calendar catches the rest.
                    TDateRow{"29.2.23", TDateEntry::TResult::Message, "Chybný formát datumu", 0, 0, 0, ""},
                    TDateRow{"29.2.2023", TDateEntry::TResult::Message, "Den musí být 1 - 28", 0, 0, 0, ""},
                    TDateRow{"29.2.1900", TDateEntry::TResult::Message, "Chybný formát datumu", 0, 0, 0, ""},
                    TDateRow{"30.2.2024", TDateEntry::TResult::Message, "Denmusí být 1 - 29", 0, 0, 0, ""},
                    TDateRow{"31.4.2024", TDateEntry::TResult::Message, "Den musí být 1 - 30", 0, 0, 0, ""},
                    TDateRow{"31.11.2024", TDateEntry::TResult::Message, "Den musí být 1 - 30", 0, 0, 0, ""},
                    TDateRow{"31.12.2024", TDateEntry::TResult::Ok, "", 2024, 12, 31, "31.12.2024"},
                    TDateRow{"1.1.202", TDateEntry::TResult::Message, "Rok musi byt na 2 nebo 4 znaky", 0, 0, 0, ""},
                    TDateRow{"1.1.20245", TDateEntry::TResult::Message, "Rok musi byt na 2 nebo 4 znaky", 0, 0, 0, ""},
                    TDateRow{".3.2024", TDateEntry::TResult::Message, "Den musí být vyplněn", 0, 0, 0, ""},
                    TDateRow{"0.3.2024", TDateEntry::TResult::Message, "Den musí být 1 - 31", 0, 0, 0, ""},
                    TDateRow{"32.3.2024", TDateEntry::TResult::Message, "Den musí být 1 - 31", 0, 0, 0, ""},
                    TDateRow{"5", TDateEntry::TResult::Message, "Měsíc musí být vyplněn", 0, 0, 0, ""},
                    TDateRow{"5..2024", TDateEntry::TResult::Message, "Měsíc musí být vyplněn", 0, 0, 0, ""},
                    TDateRow{"5.13.2024", TDateEntry::TResult::Message, "Měsíc musí být 1 - 12", 0, 0, 0, ""},
                    TDateRow{"5.3", TDateEntry::TResult::Message, "Rok musí být vyplněn", 0, 0, 0, ""},
                    TDateRow{"5.3.", TDateEntry::TResult::Message, "Rok musí být vyplněn", 0, 0, 0, ""},
                    TDateRow{"5.3.20.24", TDateEntry::TResult::Message, "Chybný formát datumu", 0, 0, 0, ""},
                    // The day is checked before the month: a bad day hides a missing month.
                    TDateRow{"40", TDateEntry::TResult::Message, "Den musí být 1 - 31", 0, 0, 0, ""},
                    TDateRow{"x.3.2024", TDateEntry::TResult::NotANumber, "", 0, 0, 0, ""},
                    TDateRow{"5.x.2024", TDateEntry::TResult::NotANumber, "", 0, 0, 0, ""}));

TEST(ParseDateEntry, UsesTheGivenSeparator) {
    TDateEntry e = ParseDateEntry("5/3/24", "/");
    ASSERT_EQ(e.Result, TDateEntry::TResult::Ok);
    EXPECT_EQ(e.Date, TDate::FromYmd(2024, 3, 5));
    EXPECT_EQ(e.Text, "5/3/2024");
    EXPECT_EQ(ParseDateEntry("5.3.24", "/").Result, TDateEntry::TResult::NotANumber);
}

// ---- numbers ----------------------------------------------------------------------------------------

TEST(ValueFromTyping, ReadsOnlyTheNumberCharacters) {
    struct Row {
        std::string Text;
        double Expected;
    } rows[] = {
        {"1234,5", 1234.5},
        {std::string("1") + Nbsp + "234,50 Kč", 1234.5},
        {"-12", -12},
        {"1,5E3", 1500},
        {"", 0},
        {"-", 0},
        {"1-2", 0},
        {"12.5", 125}, // the point is not the decimal separator here
        {"1,2,3", 0},
    };
    for (const auto& row : rows)
        EXPECT_DOUBLE_EQ(ValueFromTyping(row.Text, ","), row.Expected) << row.Text;
}

TEST(TryParseNumbers, AcceptOnlyWholeNumbers) {
    struct Row {
        const char* Text;
        bool IsInteger;
        int64_t Integer;
        bool IsDecimal;
        double Decimal;
    } rows[] = {
        {"42", true, 42, true, 42},    {" -42 ", true, -42, true, -42},
        {"+7", true, 7, true, 7},      {"12,5", false, 0, true, 12.5},
        {",5", false, 0, true, 0.5},   {"5,", false, 0, true, 5},
        {"1E3", false, 0, true, 1000}, {"1,5e-2", false, 0, true, 0.015},
        {"", false, 0, false, 0},      {"-", false, 0, false, 0},
        {",", false, 0, false, 0},     {"1E", false, 0, false, 0},
        {"12.5", false, 0, false, 0},  {"1 234", false, 0, false, 0},
        {"abc", false, 0, false, 0},   {"99999999999999999999", false, 0, true, 1e20},
    };
    for (const auto& row : rows) {
        int64_t i = -1;
        double d = -1;
        EXPECT_EQ(TryParseInteger(row.Text, i), row.IsInteger) << row.Text;
        if (row.IsInteger) {
            EXPECT_EQ(i, row.Integer) << row.Text;
        }
        EXPECT_EQ(TryParseDecimal(row.Text, ",", d), row.IsDecimal) << row.Text;
        if (row.IsDecimal) {
            EXPECT_DOUBLE_EQ(d, row.Decimal) << row.Text;
        }
    }
}

TEST(FormatNumbers, GeneralFixedAndCurrency) {
    const TFormatSettings fs = Czech();
    EXPECT_EQ(FormatGeneral(12.5, ","), "12,5");
    EXPECT_EQ(FormatGeneral(-0.25, ","), "-0,25");
    EXPECT_EQ(FormatGeneral(1234567, ","), "1234567");
    EXPECT_EQ(FormatGeneral(0.1 + 0.2, ","), "0,3"); // 15 significant digits hide the binary noise
    EXPECT_EQ(FormatGeneral(0, ","), "0");
    EXPECT_EQ(FormatGeneral(1e20, ","), "1E20");
    EXPECT_EQ(FormatGeneral(0.000001, ","), "1E-6");

    EXPECT_EQ(FormatFixed(1234.5, 10, 2, ","), "1234,50");
    EXPECT_EQ(FormatFixed(0.125, 10, 2, ","), "0,13"); // an exact half rounds away from zero
    EXPECT_EQ(FormatFixed(-0.004, 10, 2, ","), "0,00");
    EXPECT_EQ(FormatFixed(2.5, 10, 0, ","), "3");
    EXPECT_EQ(FormatFixed(123456, 4, 0, ","), "1,235E5");

    EXPECT_EQ(FormatCurrency(1234.5, fs), std::string("1") + Nbsp + "234,50 Kč");
    EXPECT_EQ(FormatCurrency(-1234567.891, fs), std::string("-1") + Nbsp + "234" + Nbsp + "567,89 Kč");
    EXPECT_EQ(FormatCurrency(0, fs), "0,00 Kč");
}

TEST(FormatFloatPicture, DigitPlacesGroupingAndSections) {
    const TFormatSettings fs = Czech();
    struct Row {
        const char* Picture;
        double Value;
        std::string Expected;
    } rows[] = {
        {"0.00", 0, "0,00"},
        {"0.00", 1234.5, "1234,50"},
        {"0.00", -12.375, "-12,38"},
        {"0.00", -0.004, "0,00"},
        {"0.00", 1.005, "1,00"}, // 1.005 is 1.00499... in binary
        {"#,##0.00", 1234567.891, std::string("1") + Nbsp + "234" + Nbsp + "567,89"},
        {"#,##0", 999, "999"},
        {"0.##", 1.5, "1,5"},
        {"0.##", 2, "2"},
        {"#", 0, ""},
        {"000", 7, "007"},
        {".00", 0.5, ",50"},
        {"0", 2.5, "3"},
        {"0.00 \"Kč\"", 3, "3,00 Kč"},
        {"0.00;(0.00)", -5, "(5,00)"},
        {"0.00;(0.00);\"nic\"", 0, "nic"},
        {"00-00", 1234, "12-34"},
        {"", 12.5, "12,5"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FormatFloatPicture(row.Picture, row.Value, fs), row.Expected) << row.Picture << " " << row.Value;
}

TEST(FormatEditValue, ByValueType) {
    const TFormatSettings fs = Czech();
    EXPECT_EQ(FormatEditValue({vtInteger, 41.6, {}, "", 0, 0}, fs), "42");
    EXPECT_EQ(FormatEditValue({vtInteger, 1234, {}, "#,##0", 0, 0}, fs), std::string("1") + Nbsp + "234");
    EXPECT_EQ(FormatEditValue({vtFloat, 12.5, {}, "0.00", 0, 0}, fs), "12,50");
    EXPECT_EQ(FormatEditValue({vtFloat, 12.5, {}, "", 8, 3}, fs), "12,500");
    EXPECT_EQ(FormatEditValue({vtCurrency, 12.5, {}, "", 0, 0}, fs), "12,50 Kč");
    EXPECT_EQ(FormatEditValue({vtDate, 0, TDate::FromYmd(2024, 3, 5), "", 0, 0}, fs), "05.03.2024");
    EXPECT_EQ(FormatEditValue({vtDate, 0, TDate(), "", 0, 0}, fs), "");
    EXPECT_EQ(EditingText(vtInteger, -7.4, fs), "-7");
    EXPECT_EQ(EditingText(vtCurrency, 1234.5, fs), "1234,5");
}

// ---- strict floating-point entry -------------------------------------------------------------------

struct TValidateRow {
    const char* Text;
    int SelStart, SelLength;
    TEditKey Key;
    const char* Char;
    bool Beep;
    const char* NewText; // nullptr: unchanged
    int Caret;
};

class ValidateFloatKeyTest : public testing::TestWithParam<TValidateRow> {};

// Digits 6, Decimals 2: at most "123,45" (or "-12,45").
TEST_P(ValidateFloatKeyTest, KeepsLengthAndDecimals) {
    const TValidateRow& row = GetParam();
    TValidateResult r = ValidateFloatKey(row.Text, row.SelStart, row.SelLength, row.Key, row.Char, 6, 2, ",");
    EXPECT_EQ(r.Beep, row.Beep);
    if (row.NewText) {
        ASSERT_TRUE(r.Changed);
        EXPECT_EQ(r.Text, row.NewText);
        EXPECT_EQ(r.Caret, row.Caret);
    } else {
        EXPECT_FALSE(r.Changed);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ValidateFloatKeyTest,
    testing::Values(TValidateRow{"12", 2, 0, K::Character, "3", false, "123", 3},
                    // The digit at the place of the separator becomes the separator.
                    TValidateRow{"123", 3, 0, K::Character, "4", false, "123,", 4},
                    TValidateRow{"123", 1, 0, K::Character, "4", true, nullptr, 0},
                    TValidateRow{"123,4", 5, 0, K::Character, "5", false, "123,45", 6},
                    TValidateRow{"123,45", 6, 0, K::Character, "6", true, nullptr, 0},
                    TValidateRow{"123,45", 2, 0, K::Character, "6", true, nullptr, 0},
                    TValidateRow{"12,45", 1, 0, K::Character, "6", false, "162,45", 2},
                    // Decimal separator: only once, and not with more than Decimals digits behind it.
                    TValidateRow{"12", 2, 0, K::Character, ",", false, "12,", 3},
                    TValidateRow{"1,2", 3, 0, K::Character, ",", true, nullptr, 0},
                    TValidateRow{"1234", 1, 0, K::Character, ",", true, nullptr, 0},
                    TValidateRow{"1234", 2, 0, K::Character, ",", false, "12,34", 3},
                    // Minus only at the start, and only one.
                    TValidateRow{"12", 0, 0, K::Character, "-", false, "-12", 1},
                    TValidateRow{"12", 1, 0, K::Character, "-", true, nullptr, 0},
                    TValidateRow{"-12", 0, 0, K::Character, "-", true, nullptr, 0},
                    TValidateRow{"-12", 0, 0, K::Character, "5", true, nullptr, 0},
                    // Backspace behind the separator would merge the decimals into a whole part that is too long.
                    TValidateRow{"123,45", 4, 0, K::Backspace, "", true, nullptr, 0},
                    TValidateRow{"1,45", 2, 0, K::Backspace, "", false, "145", 1},
                    TValidateRow{"123,45", 6, 0, K::Backspace, "", false, "123,4", 5},
                    TValidateRow{"123", 0, 0, K::Backspace, "", false, "123", 0},
                    // A selection goes first; one that reaches the separator takes everything behind it too.
                    TValidateRow{"123,45", 1, 1, K::Character, "9", false, "193,45", 2},
                    TValidateRow{"123,45", 2, 2, K::Character, "9", false, "129", 3},
                    TValidateRow{"123,45", 0, 6, K::Backspace, "", false, "", 0},
                    // Grouping characters are removed as the text is typed.
                    TValidateRow{"1 2", 3, 0, K::Character, "3", false, "123", 3},
                    TValidateRow{"12", 2, 0, K::Character, "x", false, nullptr, 0},
                    TValidateRow{"12", 2, 0, K::Enter, "", false, nullptr, 0}));

TEST(ValidateFloatKey, NoDecimalsMeansNoSeparator) {
    TValidateResult r = ValidateFloatKey("12", 2, 0, K::Character, ",", 4, 0, ",");
    EXPECT_TRUE(r.Beep);
    r = ValidateFloatKey("1234", 4, 0, K::Character, "5", 4, 0, ",");
    EXPECT_TRUE(r.Beep);
    r = ValidateFloatKey("123", 3, 0, K::Character, "4", 4, 0, ",");
    EXPECT_EQ(r.Text, "1234");
}

} // namespace
