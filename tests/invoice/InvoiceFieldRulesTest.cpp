#include "invoice/InvoiceFieldRules.h"

#include "support/ESubroutineError.h"
#include "support/TFormatSettings.h"

#include <gtest/gtest.h>

#include <string>

using namespace ndlemo;

namespace {
// What the rule makes of a text: the date as the field shows it afterwards, or the message it raises.
std::string Outcome(std::string_view text) {
    try {
        const TDate date = TextToDate(text);
        return date.IsNull() ? "(no date)" : DateToText(date);
    } catch (const ESubroutineError& e) {
        return std::string("! ") + e.what();
    }
}

class SeparatorGuard {
public:
    explicit SeparatorGuard(const char* separator) {
        TFormatSettings s;
        s.DateSeparator = separator;
        TFormatSettings::Set(s);
    }
    ~SeparatorGuard() { TFormatSettings::Set(TFormatSettings{}); }
};
} // namespace

TEST(TextToDate, ReadsTheMaskedTextOfADateField) {
    SeparatorGuard czech(".");
    struct Row {
        const char* Text;
        const char* Expected;
    };
    const Row rows[] = {
        // Nothing entered.
        {"", "(no date)"},
        {"  .  .    ", "(no date)"},
        {" . ", "(no date)"},
        // Complete dates; a day past the month's end is its last day.
        {"10.01.2024", "10.01.2024"},
        {"31.11.2024", "30.11.2024"},
        {"29.02.2023", "28.02.2023"},
        {"31.04.2024", "30.04.2024"},
        {"29.02.2024", "29.02.2024"},
        {"1 .2 .2024", "01.02.2024"},
        {"01.01.1900", "01.01.1900"},
        {"31.12.3000", "31.12.3000"},
        // A part that is no number: the whole text.
        {"05.  .    ", "! Nepřípustná hodnota \"05.  .    \" pro datum"},
        {"  .03.2024", "! Nepřípustná hodnota \"  .03.2024\" pro datum"},
        {"ab.03.2024", "! Nepřípustná hodnota \"ab.03.2024\" pro datum"},
        {"-1.03.2024", "! Nepřípustná hodnota \"-1.03.2024\" pro datum"},
        // The year first, then day and month as entered.
        {"01.02.24  ", "! Nepřípustná hodnota \"24\" pro \"Rok\""},
        {"01.02.1899", "! Nepřípustná hodnota \"1899\" pro \"Rok\""},
        {"01.01.3001", "! Nepřípustná hodnota \"3001\" pro \"Rok\""},
        {"15.13.2024", "! Nepřípustná hodnota 15.13.2024 pro datum"},
        {"00.01.2024", "! Nepřípustná hodnota 0.1.2024 pro datum"},
        {"01.00.2024", "! Nepřípustná hodnota 1.0.2024 pro datum"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Outcome(row.Text), row.Expected) << '"' << row.Text << '"';
}

TEST(TextToDate, FollowsTheRegionalDateSeparator) {
    SeparatorGuard slash("/");
    EXPECT_EQ(Outcome("  /  /    "), "(no date)");
    EXPECT_EQ(Outcome("31/11/2024"), "30/11/2024");
    EXPECT_EQ(NormalizeDateText("05/03/2024"), "05/03/2024");
    EXPECT_EQ(NormalizeDateText("  /  /    "), "");
    EXPECT_EQ(DateToText(TDate()), "");
}

TEST(MaturityAfterReceipt, FillsOnlyABlankMaturityFromAPositiveInterval) {
    SeparatorGuard czech(".");
    struct Row {
        const char* Receipt;
        const char* Maturity;
        int Interval;
        const char* Expected;
    };
    const Row rows[] = {
        {"10.01.2024", "  .  .    ", 30, "09.02.2024"},
        {"10.01.2024", "", 30, "09.02.2024"},
        {"31.12.2024", "", 1, "01.01.2025"},
        {"28.02.2024", "", 1, "29.02.2024"},
        // An existing maturity date is never overwritten.
        {"10.01.2024", "20.01.2024", 30, "20.01.2024"},
        // No interval, or no receipt date: nothing derived.
        {"10.01.2024", "  .  .    ", 0, "  .  .    "},
        {"10.01.2024", "  .  .    ", -5, "  .  .    "},
        {"", "  .  .    ", 30, "  .  .    "},
        {"  .  .    ", "", 30, ""},
    };
    for (const Row& row : rows)
        EXPECT_EQ(MaturityAfterReceipt(row.Receipt, row.Maturity, row.Interval), row.Expected)
            << row.Receipt << " / " << row.Maturity << " / " << row.Interval;
}

TEST(CleanInvoiceNumber, KeepsOnlyTheDigits) {
    EXPECT_EQ(CleanInvoiceNumber(" 12/3 "), "123");
    EXPECT_EQ(CleanInvoiceNumber("FA-2024-001"), "2024001");
    EXPECT_EQ(CleanInvoiceNumber("\t0042\r\n"), "0042");
    EXPECT_EQ(CleanInvoiceNumber("č. ř."), "");
}
