#include "batch/Conversions.h"

#include "BatchTestSupport.h"
#include "batch/EConvertError.h"
#include "support/ESubroutineError.h"

#include <gtest/gtest.h>

#include <optional>

namespace ndlemo {
namespace {

using test::MessageOf;
using test::Outcome;

TEST(TrimSliceTest, RemovesSpacesAndControlCharactersAtBothEnds) {
    EXPECT_EQ(TrimControls("  J069 "), "J069");
    EXPECT_EQ(TrimControls("\t\x01 A B \r"), "A B");
    EXPECT_EQ(TrimControls("    "), "");
    EXPECT_EQ(TrimControls(" Žatec "), "Žatec");
}

struct IntegerCase {
    const char* Slice;
    std::optional<int32_t> Value;
};

class IntegerConversionTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerConversionTest, FollowsTheIntegerRules) {
    const IntegerCase& c = GetParam();
    if (c.Value) {
        EXPECT_EQ(TextToInteger(c.Slice), *c.Value);
    } else {
        EXPECT_EQ(MessageOf<EConvertError>([&] { (void)TextToInteger(c.Slice); }),
                  std::string("'") + c.Slice + "' is not a valid integer value");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Slices, IntegerConversionTest,
    ::testing::Values(IntegerCase{"000012", 12}, IntegerCase{"    12", 12}, IntegerCase{"12    ", std::nullopt},
                      IntegerCase{"  12 ", std::nullopt}, IntegerCase{"", std::nullopt},
                      IntegerCase{"      ", std::nullopt}, IntegerCase{"+7", 7}, IntegerCase{"  -0012", -12},
                      IntegerCase{"- 12", std::nullopt}, IntegerCase{"1 2", std::nullopt},
                      IntegerCase{"12a", std::nullopt}, IntegerCase{"1.0", std::nullopt}, IntegerCase{"$1F", 31},
                      IntegerCase{"x1f", 31}, IntegerCase{"X10", 16}, IntegerCase{"0x1F", 31}, IntegerCase{"0X1f", 31},
                      IntegerCase{"-$10", -16}, IntegerCase{"$", std::nullopt}, IntegerCase{"0x", std::nullopt},
                      IntegerCase{"$1G", std::nullopt}, IntegerCase{"2147483647", 2147483647},
                      IntegerCase{"2147483648", std::nullopt}, IntegerCase{"-2147483648", INT32_MIN},
                      IntegerCase{"-2147483649", std::nullopt}, IntegerCase{"99999999999999999999", std::nullopt},
                      IntegerCase{"$FFFFFFFF", -1}, IntegerCase{"$100000000", std::nullopt},
                      IntegerCase{"\t12", std::nullopt}));

TEST(IntegerConversionTest, SixtyFourBitFormTakesTenDigitNumbers) {
    int64_t v = 0;
    ASSERT_TRUE(TryStrToInt64("8001011227", v));
    EXPECT_EQ(v, 8001011227LL);
    EXPECT_TRUE(TryStrToInt64("-9223372036854775808", v));
    EXPECT_EQ(v, INT64_MIN);
    EXPECT_FALSE(TryStrToInt64("9223372036854775808", v));
    EXPECT_FALSE(TryStrToInt64("80010112 7", v));
}

TEST(LenientIntegerTest, TrimsAndGivesZeroForAnInvalidValue) {
    EXPECT_EQ(TextToIntegerLenient(" 5 "), 5);
    EXPECT_EQ(TextToIntegerLenient("x"), 0);
    EXPECT_EQ(TextToIntegerLenient(""), 0);
    EXPECT_EQ(TextToIntegerLenient("-3"), -3);
}

TEST(DecimalConversionTest, ReadsWithTheSystemSeparatorAndTakesTheDotForIt) {
    test::TFormatSettingsGuard guard(test::WithDecimalSeparator(","));
    EXPECT_DOUBLE_EQ(TextNaCislo("  12.50  "), 12.5);
    EXPECT_DOUBLE_EQ(TextNaCislo("12,50"), 12.5);
    EXPECT_DOUBLE_EQ(TextNaCislo("000000000001234.50"), 1234.5);
    EXPECT_DOUBLE_EQ(TextNaCislo("-0.25"), -0.25);
    EXPECT_DOUBLE_EQ(TextNaCislo("+3"), 3.0);
    EXPECT_DOUBLE_EQ(TextNaCislo("1.5E2"), 150.0);
    EXPECT_DOUBLE_EQ(TextNaCislo(".5"), 0.5);
    EXPECT_DOUBLE_EQ(TextNaCislo("5."), 5.0);
}

struct BadDecimal {
    const char* Separator;
    const char* Slice;
    const char* Shown;
};

class BadDecimalTest : public ::testing::TestWithParam<BadDecimal> {};

TEST_P(BadDecimalTest, ShowsTheTextAfterTheReplacement) {
    const BadDecimal& c = GetParam();
    test::TFormatSettingsGuard guard(test::WithDecimalSeparator(c.Separator));
    EXPECT_EQ(MessageOf<EConvertError>([&] { (void)TextNaCislo(c.Slice); }),
              std::string("'") + c.Shown + "' is not a valid floating point value");
}

INSTANTIATE_TEST_SUITE_P(Slices, BadDecimalTest,
                         ::testing::Values(BadDecimal{",", "", ""}, BadDecimal{",", "    ", ""},
                                           BadDecimal{",", " 1.2.3 ", "1,2,3"}, BadDecimal{",", "1,000.5", "1,000,5"},
                                           BadDecimal{".", "12,50", "12,50"}, BadDecimal{",", "12 50", "12 50"},
                                           BadDecimal{",", "abc", "abc"}, BadDecimal{",", "-", "-"},
                                           BadDecimal{",", "1E", "1E"}, BadDecimal{",", ".", ","},
                                           BadDecimal{",", "1E999", "1E999"}));

TEST(DateConversionTest, TakesEightDigitsOfAnExistingDay) {
    EXPECT_EQ(TextNaDatum("29022012"), TDate::FromYmd(2012, 2, 29));
    EXPECT_EQ(TextNaDatum("01012011"), TDate::FromYmd(2011, 1, 1));
    for (const char* bad : {"31022011", "29022011", "0103201 ", " 1032011", "1032011", "010320111", "00032011",
                            "01002011", "01132011", "01030000", "0a032011", ""}) {
        EXPECT_EQ(MessageOf<ESubroutineError>([&] { (void)TextNaDatum(bad); }),
                  std::string("Nepřípustná hodnota \"") + bad + "\" pro datum")
            << bad;
    }
}

// The quick paths for the usual values must decide exactly like the full rules they stand in for.

const char* const NumberSlices[] = {
    "",     "   ",       "12",        "   12.50",  "+1",         "-.5",        "5.",
    ".",    "-",         "+ 5",       "1.2.3",     " 1 2 ",      "\t7\r",      "1e5",
    "12,5", "1,2.5",     "0x1F",      "$10",       "00000000.0", "-0",         "12a",
    " -  ", "123456789", " 12345678", "000000000", "1234567890", "2147483648", "  -2147483648",
    "12 ",  "1 2",       "\a5",       "5\x7F",
};

TEST(CheckDecimalTest, FailsExactlyWhenTheDecimalConversionFails) {
    for (const char* s : NumberSlices)
        EXPECT_EQ(Outcome([&] { CheckDecimal(s); }), Outcome([&] { (void)TextNaCislo(s); })) << '"' << s << '"';
    std::string many(301, '1');
    std::string tooMany(400, '9');
    for (const std::string& s : {many, "0." + many, tooMany})
        EXPECT_EQ(Outcome([&] { CheckDecimal(s); }), Outcome([&] { (void)TextNaCislo(s); })) << s.size();
}

TEST(TextToIntegerTest, HasTheValueOfTheFullRules) {
    for (const char* s : NumberSlices) {
        int32_t full = 0;
        bool ok = TryStrToInt(s, full);
        EXPECT_EQ(Outcome([&] { CheckInteger(s); }), ok ? "<no error>" : Outcome([&] { (void)TextToIntegerFull(s); }))
            << '"' << s << '"';
        if (ok) {
            EXPECT_EQ(TextToInteger(s), full) << '"' << s << '"';
        }
    }
}

} // namespace
} // namespace ndlemo
