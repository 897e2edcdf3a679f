#include "app/PasswordRule.h"

#include "support/ESubroutineError.h"

#include <gtest/gtest.h>

using namespace ndlemo;

namespace {
struct TPasswordCase {
    const char* Workplace;
    const char* Password;
    bool Accepted;
    bool NoModulo;
};

void PrintTo(const TPasswordCase& c, std::ostream* os) {
    *os << '"' << c.Workplace << "\" / \"" << c.Password << '"';
}

class PasswordRule : public ::testing::TestWithParam<TPasswordCase> {};
} // namespace

TEST_P(PasswordRule, AcceptsOnlyTheCodeAndTheCodeWithTheSuffix) {
    const auto& c = GetParam();
    if (!c.Accepted) {
        try {
            (void)ApplyPasswordRule(c.Workplace, c.Password);
            FAIL() << "accepted \"" << c.Password << "\" for \"" << c.Workplace << "\"";
        } catch (const ESubroutineError& e) {
            EXPECT_STREQ(e.what(), "Chybné heslo");
        }
        return;
    }
    EXPECT_EQ(ApplyPasswordRule(c.Workplace, c.Password), c.NoModulo);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PasswordRule,
    ::testing::Values(
        // The code itself, trimmed on both sides.
        TPasswordCase{"AB12", "AB12", true, false}, TPasswordCase{"AB12", "  AB12  ", true, false},
        TPasswordCase{" AB12 ", "AB12", true, false},
        // The code with the suffix switches the modulo check off.
        TPasswordCase{"AB12", "AB12NOMODCHK", true, true}, TPasswordCase{"AB12", " AB12NOMODCHK ", true, true},
        // Exact and case-sensitive.
        TPasswordCase{"AB12", "ab12", false, false}, TPasswordCase{"AB12", "AB12nomodchk", false, false},
        TPasswordCase{"AB12", "AB12 NOMODCHK", false, false}, TPasswordCase{"AB12", "NOMODCHK", false, false},
        TPasswordCase{"AB12", "AB1", false, false}, TPasswordCase{"AB12", "AB123", false, false},
        TPasswordCase{"AB12", "NOMODCHKAB12", false, false}, TPasswordCase{"AB12", "", false, false},
        // Without a workplace code any password passes; the suffix alone still counts.
        TPasswordCase{"", "whatever", true, false}, TPasswordCase{"  ", "AB12", true, false},
        TPasswordCase{"", "NOMODCHK", true, true}, TPasswordCase{"", " NOMODCHK ", true, true},
        TPasswordCase{"", "nomodchk", true, false}, TPasswordCase{"", "AB12NOMODCHK", true, false}));

TEST(LoginResult, StartGoesOnOnlyWithOkAndBothTexts) {
    EXPECT_TRUE((TLoginResult{true, "novak", "AB12"}.Accepted()));
    EXPECT_FALSE((TLoginResult{false, "novak", "AB12"}.Accepted()));
    EXPECT_FALSE((TLoginResult{true, "", "AB12"}.Accepted()));
    EXPECT_FALSE((TLoginResult{true, "novak", ""}.Accepted()));
}
