#include "support/TDate.h"
#include "support/TDateTime.h"
#include "support/TFormatSettings.h"

#include <gtest/gtest.h>

#include <clocale>

using namespace ndlemo;

TEST(TDate, SerialsCountFromTheEndOf1899) {
    EXPECT_EQ(TDate::FromYmd(1899, 12, 30).Serial(), 0);
    EXPECT_TRUE(TDate::FromYmd(1899, 12, 30).IsNull());
    EXPECT_EQ(TDate::FromYmd(1900, 1, 1).Serial(), 2);
    EXPECT_EQ(TDate::FromYmd(2024, 1, 31).Serial(), 45322);
    int y, m, d;
    TDate(45322).Decode(y, m, d);
    EXPECT_EQ(y * 10000 + m * 100 + d, 20240131);
    EXPECT_EQ(TDate::FromYmd(2024, 3, 1) - TDate::FromYmd(2024, 2, 1), 29);
    EXPECT_EQ(TDate::FromYmd(2024, 1, 31).DayOfWeek(), 3); // Wednesday
}

TEST(TDate, TryFromYmdRefusesDaysThatDoNotExist) {
    TDate out;
    EXPECT_TRUE(TDate::TryFromYmd(2024, 2, 29, out));
    EXPECT_FALSE(TDate::TryFromYmd(2023, 2, 29, out));
    EXPECT_FALSE(TDate::TryFromYmd(2023, 4, 31, out));
    EXPECT_FALSE(TDate::TryFromYmd(2023, 13, 1, out));
    EXPECT_FALSE(TDate::TryFromYmd(2023, 1, 0, out));
    EXPECT_FALSE(TDate::TryFromYmd(1900, 2, 29, out));
    EXPECT_TRUE(TDate::TryFromYmd(2000, 2, 29, out));
}

TEST(TDateTime, PartsRoundTrip) {
    TDateTime t = TDateTime::FromParts(2024, 1, 31, 14, 25, 3, 123);
    EXPECT_EQ(t.Date(), TDate::FromYmd(2024, 1, 31));
    int h, mi, s, ms;
    t.DecodeTime(h, mi, s, ms);
    EXPECT_EQ(h * 10000000 + mi * 100000 + s * 1000 + ms, 142503123);
}

TEST(TFormatSettings, CzechConventionsByDefault) {
    TFormatSettings s;
    EXPECT_EQ(s.FormatDate(TDate::FromYmd(2024, 3, 5)), "05.03.2024");
    EXPECT_EQ(s.FormatDate(TDate()), "");
    EXPECT_EQ(s.FormatNumber(1234567.891, 2, true), "1\u00A0234\u00A0567,89");
    EXPECT_EQ(s.FormatNumber(-0.5, 2, false), "-0,50");
    EXPECT_EQ(s.FormatNumber(-0.001, 2, false), "0,00");
    s.DateSeparator = "/";
    EXPECT_EQ(s.FormatDate(TDate::FromYmd(2024, 3, 5)), "05/03/2024");
}

TEST(TFormatSettings, TheCLocaleGivesCzechConventions) {
    for (const char* name : {"C", "POSIX", "C.UTF-8"}) {
        if (!std::setlocale(LC_ALL, name))
            continue;
        TFormatSettings s = TFormatSettings::FromSystem();
        EXPECT_EQ(s.DateSeparator, ".") << name;
        EXPECT_EQ(s.TimeSeparator, ":") << name;
        EXPECT_EQ(s.DecimalSeparator, ",") << name;
        EXPECT_EQ(s.ThousandSeparator, "\u00A0") << name;
        EXPECT_EQ(s.ShortDateFormat, "dd.MM.yyyy") << name;
        EXPECT_EQ(s.LongTimeFormat, "H:mm:ss") << name;
    }
    std::setlocale(LC_ALL, "C");
}

// One row per pattern letter and its edges: leading zeros, the hour on both clocks, midnight, no date.
TEST(TFormatSettings, FormatDateTimeFillsEveryPatternLetter) {
    const TFormatSettings s;
    const TDateTime morning = TDateTime::FromParts(2024, 3, 5, 9, 5, 7);
    const TDateTime evening = TDateTime::FromParts(2024, 12, 31, 23, 59, 59);
    const TDateTime midnight = TDateTime::FromParts(2024, 1, 1, 0, 0, 0);
    const struct {
        const char* Pattern;
        TDateTime Value;
        const char* Expected;
    } rows[] = {
        {"dd.MM.yyyy H:mm:ss", morning, "05.03.2024 9:05:07"},
        {"d.M.yy HH:m:s", morning, "5.3.24 09:5:7"},
        {"dd.MM.yyyy H:mm:ss", evening, "31.12.2024 23:59:59"},
        {"h:mm AP", evening, "11:59 PM"},
        {"hh:mm ap", midnight, "12:00 am"},
        {"H:mm:ss", midnight, "0:00:00"},
        {"yyyy-MM-dd", midnight, "2024-01-01"},
        {"dd.MM.yyyy H:mm:ss", TDateTime(), ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(s.FormatDateTime(row.Pattern, row.Value), row.Expected) << row.Pattern;
    EXPECT_EQ(s.FormatShortDateLongTime(morning), "05.03.2024 9:05:07");
}
