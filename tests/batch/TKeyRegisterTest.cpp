#include "batch/TKeyRegister.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <string>

namespace ndlemo {
namespace {

struct JoinedKey {
    const char* Prefix;
    int32_t Number;
};

class JoinedKeyTest : public ::testing::TestWithParam<JoinedKey> {};

// A key given as period and number is the very key of their joined text, whichever form comes first.
TEST_P(JoinedKeyTest, IsTheKeyOfTheJoinedText) {
    const JoinedKey& c = GetParam();
    std::string joined = c.Prefix + std::to_string(c.Number);
    TKeyRegister numberFirst;
    EXPECT_FALSE(numberFirst.Add(c.Prefix, c.Number));
    EXPECT_TRUE(numberFirst.Contains(joined));
    EXPECT_TRUE(numberFirst.Add(joined));
    EXPECT_TRUE(numberFirst.Add(c.Prefix, c.Number));
    EXPECT_EQ(numberFirst.Size(), 1u);
    TKeyRegister textFirst;
    EXPECT_FALSE(textFirst.Add(joined));
    EXPECT_TRUE(textFirst.Add(c.Prefix, c.Number));
    EXPECT_FALSE(textFirst.Contains(joined + "0"));
    EXPECT_FALSE(textFirst.Contains("0" + joined));
}

INSTANTIATE_TEST_SUITE_P(Keys, JoinedKeyTest,
                         ::testing::Values(JoinedKey{"2011", 0}, JoinedKey{"2011", 5}, JoinedKey{"2011", 63},
                                           JoinedKey{"2011", 64}, JoinedKey{"", 7}, JoinedKey{"0", 0},
                                           JoinedKey{"00", 12}, JoinedKey{"2011", -5}, JoinedKey{"2011", INT32_MAX},
                                           JoinedKey{"2011", INT32_MIN}, JoinedKey{"1234567", INT32_MAX},
                                           JoinedKey{"12345678", 1}, JoinedKey{"12345678", INT32_MAX},
                                           JoinedKey{"20A1", 5}, JoinedKey{"Žďár", 3}, JoinedKey{"20 1", 1}));

TEST(TKeyRegisterTest, JoinsPeriodAndNumberLikeTheirTexts) {
    TKeyRegister reg;
    EXPECT_FALSE(reg.Add("201", 15));
    EXPECT_TRUE(reg.Add("2011", 5)); // both "20115"
    EXPECT_FALSE(reg.Add("2011", 50));
    EXPECT_FALSE(reg.Add("20A1", 5));
    EXPECT_TRUE(reg.Add("20a1", 5)); // letters regardless of case
    EXPECT_EQ(reg.Size(), 3u);
}

TEST(TKeyRegisterTest, TellsNeighbouringAndDistantNumbersApart) {
    TKeyRegister reg;
    for (int32_t i = 0; i < 1000; i += 2)
        ASSERT_FALSE(reg.Add("2011", i));
    // One number in each of many groups, so that the table grows.
    for (int32_t i = 0; i < 20000; ++i)
        ASSERT_FALSE(reg.Add("2012", i * 64 + 1));
    for (int32_t i = 0; i < 1000; ++i)
        ASSERT_EQ(reg.Contains("2011" + std::to_string(i)), i % 2 == 0) << i;
    for (int32_t i = 0; i < 20000; ++i) {
        ASSERT_TRUE(reg.Add("2012", i * 64 + 1)) << i;
        ASSERT_FALSE(reg.Contains("2012" + std::to_string(i * 64))) << i;
    }
    EXPECT_EQ(reg.Size(), 20500u);
    reg.Clear();
    EXPECT_FALSE(reg.Contains("20110"));
    EXPECT_FALSE(reg.Add("2011", 0));
}

TEST(TKeyRegisterTest, FindsKeysExactlyRegardlessOfCase) {
    TKeyRegister reg;
    EXPECT_FALSE(reg.Add("20115"));
    EXPECT_TRUE(reg.Add("20115"));
    EXPECT_TRUE(reg.Contains("20115"));
    EXPECT_FALSE(reg.Contains("2011"));
    EXPECT_FALSE(reg.Contains("201150"));
    EXPECT_FALSE(reg.Add("2011A"));
    EXPECT_TRUE(reg.Contains("2011a"));
    EXPECT_TRUE(reg.Add("2011a"));
    EXPECT_EQ(reg.Size(), 2u);
    reg.Clear();
    EXPECT_FALSE(reg.Contains("20115"));
}

TEST(TKeyRegisterTest, KeepsEveryKindOfKeyApartThroughGrowth) {
    TKeyRegister reg;
    for (int i = 0; i < 5000; ++i)
        ASSERT_FALSE(reg.Add("2011" + std::to_string(i * 7)));
    for (int i = 0; i < 5000; ++i)
        ASSERT_TRUE(reg.Contains("2011" + std::to_string(i * 7))) << i;
    EXPECT_FALSE(reg.Contains("20111"));
    // Leading zeros, signs and keys too long for a number are keys of their own.
    EXPECT_FALSE(reg.Add("020110"));
    EXPECT_TRUE(reg.Contains("20110"));
    EXPECT_TRUE(reg.Contains("020110"));
    EXPECT_FALSE(reg.Add("2011-5"));
    EXPECT_TRUE(reg.Add("2011-5"));
    EXPECT_FALSE(reg.Add("201112345678901234567"));
    EXPECT_FALSE(reg.Contains("20111234567890123456"));
    EXPECT_TRUE(reg.Add("201112345678901234567"));
    EXPECT_FALSE(reg.Add(""));
    EXPECT_TRUE(reg.Contains(""));
    EXPECT_EQ(reg.Size(), 5004u);
}

} // namespace
} // namespace ndlemo
