#include "transfer/LetterScramble.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>

using namespace ndlemo;

namespace {
// The letter the k-th letter of the alphabet (a = 0) becomes in a text of the given length.
char Expected(size_t k, size_t length) {
    const size_t shift = length < 26 ? length : 0;
    return ScrambleTable[(k + shift) % 26];
}
} // namespace

TEST(LetterScramble, TheTableHoldsEveryLetterOnce) {
    std::string sorted(ScrambleTable);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, "abcdefghijklmnopqrstuvwxyz");
}

TEST(LetterScramble, TheTableIsRotatedByTheLengthBelow26) {
    for (size_t length : {1u, 2u, 10u, 25u, 26u, 27u, 40u}) {
        const std::string text = "a" + std::string(length - 1, '.');
        const std::string scrambled = LetterScramble(text);
        ASSERT_EQ(scrambled.size(), text.size());
        EXPECT_EQ(scrambled[0], Expected(0, length)) << length;
        EXPECT_EQ(scrambled.substr(1), text.substr(1)) << length;
    }
    // The same letter maps differently in texts of different lengths.
    EXPECT_NE(LetterScramble("a")[0], LetterScramble("ab")[0]);
}

TEST(LetterScramble, KeepsCaseAndLeavesEverythingElse) {
    const std::string text = "Abz 09.-_/Č";
    const std::string scrambled = LetterScramble(text);
    ASSERT_EQ(scrambled.size(), text.size());
    const size_t length = 11; // characters, Č counting once
    EXPECT_EQ(scrambled[0], std::toupper(Expected(0, length)));
    EXPECT_EQ(scrambled[1], Expected(1, length));
    EXPECT_EQ(scrambled[2], Expected(25, length));
    EXPECT_EQ(scrambled.substr(3), text.substr(3));
    EXPECT_EQ(LetterScramble(""), "");
}

TEST(BuiltInScpPassword, IsTenLettersBuiltOnEveryCall) {
    const std::string password = BuiltInScpPassword();
    EXPECT_EQ(password.size(), 10u);
    EXPECT_TRUE(std::all_of(password.begin(), password.end(), [](char c) { return std::isalpha(c); })) << password;
    EXPECT_EQ(BuiltInScpPassword(), password);
}
