#include "transfer/VersionOrder.h"

#include <gtest/gtest.h>

using namespace ndlemo;

TEST(VersionOrder, OnlyFourNumbersMakeAVersion) {
    struct TRow {
        const char* Text;
        std::optional<std::array<uint32_t, 4>> Numbers;
    };
    const TRow rows[] = {
        {"1.2.0.15", std::array<uint32_t, 4>{1, 2, 0, 15}},
        {" 01.2.0.4294967295 ", std::array<uint32_t, 4>{1, 2, 0, 4294967295u}},
        {"1.2.0.4294967296", std::nullopt},
        {"1.2.0", std::nullopt},
        {"1.2.0.0.0", std::nullopt},
        {"1..0.0", std::nullopt},
        {"1.2.0.", std::nullopt},
        {"+1.2.0.0", std::nullopt},
        {"1.-2.0.0", std::nullopt},
        {"1.2.0.0a", std::nullopt},
        {"1.2 .0.0", std::nullopt},
        {"", std::nullopt},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(ParseVersionNumbers(row.Text), row.Numbers) << row.Text;
}

TEST(VersionOrder, BelowComparesNumberByNumber) {
    struct TRow {
        const char* Version;
        const char* Minimum;
        bool Below;
    };
    const TRow rows[] = {
        {"1.0.0.0", "1.0.0.1", true},
        {"1.0.0.9", "1.0.0.10", true},
        {"1.9.9.9", "2.0.0.0", true},
        {"1.10.0.0", "1.9.0.0", false},
        {"1.2.0.0", "1.2.0.0", false},
        {"2.0.0.0", "1.9.9.9", false},
        // Nothing is concluded from a text that is no version.
        {"1.0.0.0", "", false},
        {"1.0.0.0", "2.0", false},
        {"1.0.0.0", "verze 2", false},
        {"", "2.0.0.0", false},
    };
    for (const TRow& row : rows)
        EXPECT_EQ(IsVersionBelow(row.Version, row.Minimum), row.Below) << row.Version << " < " << row.Minimum;
}
