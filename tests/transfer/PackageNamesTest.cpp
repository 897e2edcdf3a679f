#include "transfer/PackageNames.h"

#include "support/Utilities.h"

#include <gtest/gtest.h>

using namespace ndlemo;

TEST(InvoicePackageName, NormalAndMaskForms) {
    const TDate prijeti = TDate::FromYmd(2024, 3, 15);
    const struct {
        const char* Number;
        const char* Normal;
        const char* Mask;
    } rows[] = {
        {"123", "LM01_12345678_87654321_2024_xxxxxxx123_20240315", "????_12345678_87654321_2024_xxxxxxx123_*"},
        {"1", "LM01_12345678_87654321_2024_xxxxxxxxx1_20240315", "????_12345678_87654321_2024_xxxxxxxxx1_*"},
        {"1234567890", "LM01_12345678_87654321_2024_1234567890_20240315", "????_12345678_87654321_2024_1234567890_*"},
        {"123456789012", "LM01_12345678_87654321_2024_123456789012_20240315",
         "????_12345678_87654321_2024_123456789012_*"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(InvoicePackageName("LM01", "12345678", "87654321", "2024", row.Number, prijeti, false), row.Normal);
        EXPECT_EQ(InvoicePackageName("LM01", "12345678", "87654321", "2024", row.Number, prijeti, true), row.Mask);
    }
    // The mask with ".zip" finds the package whatever the workplace and receipt date.
    const std::string mask = InvoicePackageName("LM01", "12345678", "87654321", "2024", "123", prijeti, true) + ".zip";
    EXPECT_TRUE(MatchesMask(
        InvoicePackageName("XY99", "12345678", "87654321", "2024", "123", TDate::FromYmd(2023, 1, 2), false) + ".zip",
        mask));
    EXPECT_FALSE(
        MatchesMask(InvoicePackageName("LM01", "12345678", "87654321", "2024", "124", prijeti, false) + ".zip", mask));
}

TEST(ReportsPackageName, JoinsThePartsAfterNdllz) {
    EXPECT_EQ(ReportsPackageName("LM01", "12345678", "87654321", "20240315142501123042"),
              "NDLLZ_LM01_12345678_87654321_20240315142501123042");
}

TEST(ArchiveDirs, YearAndMonthBelowTheArchive) {
    const TDate prijeti = TDate::FromYmd(2024, 3, 15);
    EXPECT_EQ(InvoiceArchiveDir("/srv/odeslane", prijeti).string(), "/srv/odeslane/2024/03");
    EXPECT_EQ(InvoiceArchiveDir("/srv/odeslane/", prijeti).string(), "/srv/odeslane/2024/03");
    EXPECT_EQ(InvoiceArchiveDir("/", TDate::FromYmd(987, 12, 1)).string(), "/0987/12");
    EXPECT_EQ(ReportsArchiveDir("/srv/odeslane", "20240315142501123042").string(), "/srv/odeslane/2024/03");
    EXPECT_EQ(ReportsArchiveDir("/srv/odeslane/", "202411").string(), "/srv/odeslane/2024/11");
}
