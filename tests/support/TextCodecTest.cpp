#include "support/TextCodec.h"

#include <gtest/gtest.h>

using namespace ndlemo;

TEST(TextCodec, Cp1250RoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1250(Cp1250ToUtf8(all)), all);
    EXPECT_EQ(Cp1250ToUtf8("\x8A\x9E\xE8\x80"), "Šžč€");
    EXPECT_EQ(Utf8ToCp1250("Příliš žluťoučký kůň"), "P\xF8\xED\x6C\x69\x9A \x9Elu\x9Dou\xE8k\xFD k\xF9\xF2");
}

TEST(TextCodec, UnmappableBecomesQuestionMark) {
    EXPECT_EQ(Utf8ToCp1250("a\u00E6b"), "a?b");           // æ is not in 1250
    EXPECT_EQ(Utf8ToCp1250("\xE2\x82"), "??");            // cut sequence
    EXPECT_EQ(Utf8ToCp1250("x\xF0\x9F\x98\x80y"), "x?y"); // emoji
}

TEST(TextCodec, BatchLineFromCp852) {
    EXPECT_EQ(BatchLineToUtf8("\x9F\xD8\xE7\xFD\xA7 12"), "čěšřž 12");
}

TEST(TextCodec, CharacterCounting) {
    EXPECT_EQ(Utf8Length("čapí"), 4u);
    EXPECT_EQ(Utf8Mid("žluťoučký", 2, 3), "uťo");
    EXPECT_EQ(Utf8Mid("abc", 2, 10), "c");
    EXPECT_EQ(Utf8Mid("abc", 5, 1), "");
    EXPECT_EQ(Utf8Left("čř", 1), "č");
}

TEST(TextCodec, ExternalTextIsKeptAsUtf8OrReadAsCp1250) {
    const struct {
        const char* Bytes;
        bool Utf8;
        const char* Text;
    } rows[] = {
        {"", true, ""},
        {"plain ascii", true, "plain ascii"},
        {"P\xC5\x99\xC3\xADli\xC5\xA1", true, "Příliš"}, // UTF-8 stays
        {"P\xF8\xEDli\x9A", false, "Příliš"},            // Windows-1250 bytes
        {"cut \xC5", false, "cut Ĺ"},                    // a sequence cut at the end
        {"\xE2\x82\xAC and \x80", false, "â‚¬ and €"},   // one bad byte makes the whole text 1250
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsUtf8(row.Bytes), row.Utf8) << row.Bytes;
        EXPECT_EQ(ExternalTextToUtf8(row.Bytes), row.Text) << row.Bytes;
    }
}
