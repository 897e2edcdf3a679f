#include "batch/FieldChecks.h"

#include "BatchTestRecords.h"
#include "BatchTestSupport.h"
#include "support/ESubroutineError.h"

#include <gtest/gtest.h>

#include <functional>

namespace ndlemo {
namespace {

using test::MessageOf;
using test::Outcome;
using test::Rc1;
using test::RcNoModulo;

std::string Nepripustna(const std::string& value, const std::string& label) {
    return "Nepřípustná hodnota \"" + value + "\" pro \"" + label + "\"";
}

std::string ErrorOf(const std::function<void()>& f) {
    return MessageOf<ESubroutineError>(f);
}

TEST(KonecObdobiTest, GivesTheLastDayOfTheMonth) {
    EXPECT_EQ(KonecObdobi("02", "2012"), TDate::FromYmd(2012, 2, 29));
    EXPECT_EQ(KonecObdobi("02", "2100"), TDate::FromYmd(2100, 2, 28));
    EXPECT_EQ(KonecObdobi("02", "2000"), TDate::FromYmd(2000, 2, 29));
    EXPECT_EQ(KonecObdobi("12", "3000"), TDate::FromYmd(3000, 12, 31));
    EXPECT_EQ(KonecObdobi("4", "1900"), TDate::FromYmd(1900, 4, 30));
}

TEST(KonecObdobiTest, ReportsTheFirstProblemOfThePeriod) {
    EXPECT_EQ(ErrorOf([] { (void)KonecObdobi("1x", "2011"); }), "Chybné období dávky \"1x\",\"2011\" (měsíc,rok)");
    EXPECT_EQ(ErrorOf([] { (void)KonecObdobi("03", "20x1"); }), "Chybné období dávky \"03\",\"20x1\" (měsíc,rok)");
    EXPECT_EQ(ErrorOf([] { (void)KonecObdobi("", ""); }), "Chybné období dávky \"\",\"\" (měsíc,rok)");
    EXPECT_EQ(ErrorOf([] { (void)KonecObdobi("13", "2011"); }), Nepripustna("13", "Měsíc"));
    EXPECT_EQ(ErrorOf([] { (void)KonecObdobi("00", "2011"); }), Nepripustna("0", "Měsíc"));
    EXPECT_EQ(ErrorOf([] { (void)KonecObdobi("03", "1850"); }), Nepripustna("1850", "Rok"));
    EXPECT_EQ(ErrorOf([] { (void)KonecObdobi("03", "3001"); }), Nepripustna("3001", "Rok"));
    // A year that would pass as 1900 once cut to 16 bits.
    EXPECT_EQ(ErrorOf([] { (void)KonecObdobi("03", "67436"); }), Nepripustna("67436", "Rok"));
    EXPECT_EQ(ErrorOf([] { (void)KonecObdobi("99", "1850"); }), Nepripustna("1850", "Rok"));
}

TEST(KontrolaHodnotyTest, ChecksLengthThenCharacters) {
    EXPECT_NO_THROW(KontrolaHodnoty("123", 3, "0123456789", "Pole", "0 až 9"));
    EXPECT_NO_THROW(KontrolaHodnoty("anything", std::nullopt, std::nullopt, "Pole", ""));
    EXPECT_EQ(ErrorOf([] { KontrolaHodnoty("1234", 3, "0123456789", "Pole", "0 až 9"); }),
              "Délka hodnoty \"Pole\" musí být 3 a ne 4");
    EXPECT_EQ(ErrorOf([] { KontrolaHodnoty("1a3", 3, "0123456789", "Pole", "0 až 9"); }),
              "Hodnota \"Pole\" smí obsahovat pouze znaky \"0 až 9\"");
    EXPECT_EQ(ErrorOf([] { KontrolaHodnoty("1a34", std::nullopt, "0123456789", "Pole", "0 až 9"); }),
              "Hodnota \"Pole\" smí obsahovat pouze znaky \"0 až 9\"");
    // Lengths count characters, not bytes.
    EXPECT_EQ(ErrorOf([] { KontrolaHodnoty("č", 1, "P", "Char. dávky", "P"); }),
              "Hodnota \"Char. dávky\" smí obsahovat pouze znaky \"P\"");
    EXPECT_NO_THROW(KontrolaHodnoty("čá", 2, "áčš", "Pole", "áčš"));
}

struct FieldCase {
    std::function<void(std::string_view)> Check;
    std::string Value;
    std::string Message; // empty: passes
};

class FieldCheckTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(FieldCheckTest, PassesOrGivesItsMessage) {
    const FieldCase& c = GetParam();
    EXPECT_EQ(ErrorOf([&] { c.Check(c.Value); }), c.Message.empty() ? "<no error>" : c.Message) << c.Value;
}

std::string Odb(const char* v) {
    return Nepripustna(v, "Odbornost");
}
std::string Dg(const char* v) {
    return Nepripustna(v, "Diagnóza");
}

const std::vector<FieldCase> FieldCases = {
    {KontrolaICP, "12345678", ""},
    {KontrolaICP, "1234567", "Délka hodnoty \"IČP\" musí být 8 a ne 7"},
    {KontrolaICP, "1234567A", "Hodnota \"IČP\" smí obsahovat pouze znaky \"0 až 9\""},
    {KontrolaCislaPojistence, "8001011227", ""},
    {KontrolaCislaPojistence, "800101122", "Délka hodnoty \"Číslo poj.\" musí být 10 a ne 9"},
    {KontrolaCislaPojistence, "80010112x7", "Hodnota \"Číslo poj.\" smí obsahovat pouze znaky \"0 až 9\""},
    {KontrolaModulo11, "0000000000", ""},
    {KontrolaModulo11, "8001011227", ""},
    {KontrolaModulo11, "7505050003", ""},
    {KontrolaModulo11, "8001011228", Nepripustna("8001011228", "Číslo poj.")},
    {KontrolaModulo11, "80010112x7", Nepripustna("80010112x7", "Číslo poj.")},
    {KontrolaOdbornosti, "001", ""},
    {KontrolaOdbornosti, "1A2", ""},
    {KontrolaOdbornosti, "9Z9", ""},
    {KontrolaOdbornosti, "A12", Odb("A12")},
    {KontrolaOdbornosti, "1a2", Odb("1a2")},
    {KontrolaOdbornosti, "12A", Odb("12A")},
    {KontrolaOdbornosti, "12", Odb("12")},
    {KontrolaOdbornosti, "1234", Odb("1234")},
    {KontrolaOdbornosti, "", Odb("")},
    {KontrolaDiagnozy, "J06", ""},
    {KontrolaDiagnozy, "J069", ""},
    {KontrolaDiagnozy, "J0690", ""},
    {KontrolaDiagnozy, "J06.9", Dg("J06.9")},
    {KontrolaDiagnozy, "j069", Dg("j069")},
    {KontrolaDiagnozy, "J06X", Dg("J06X")},
    {KontrolaDiagnozy, "J0", Dg("J0")},
    {KontrolaDiagnozy, "J06901", Dg("J06901")},
    {KontrolaDiagnozy, "", Dg("")},
    {KontrolaCharakteru, "P", ""},
    {KontrolaCharakteru, "X", "Hodnota \"Char. dávky\" smí obsahovat pouze znaky \"P\""},
    {KontrolaCharakteru, "", "Délka hodnoty \"Char. dávky\" musí být 1 a ne 0"},
    {KontrolaCharakteru, "PP", "Délka hodnoty \"Char. dávky\" musí být 1 a ne 2"},
    {KontrolaKoduPojistovny, "111", ""},
    {KontrolaKoduPojistovny, "", Nepripustna("", "Kód pojišťovny")},
    {KontrolaKoduPojistovny, "   ", Nepripustna("   ", "Kód pojišťovny")},
    {KontrolaLokalizace, "", ""},
    {KontrolaLokalizace, "7", ""},
    {KontrolaLokalizace, " ", ""},
    {KontrolaLokalizace, "x", "Hodnota \"Lokalizace\" smí obsahovat pouze znaky \"mez., 0 až 9\""},
    {KontrolaLokalizace, "12", "Délka hodnoty \"Lokalizace\" musí být 1 a ne 2"},
    {KontrolaSkupinyLeku, "1", ""},
    {KontrolaSkupinyLeku, "4", ""},
    {KontrolaSkupinyLeku, "5", "Hodnota \"Skupina léku\" smí obsahovat pouze znaky \"1234\""},
    {KontrolaSkupinyLeku, "", "Délka hodnoty \"Skupina léku\" musí být 1 a ne 0"},
};

INSTANTIATE_TEST_SUITE_P(Values, FieldCheckTest, ::testing::ValuesIn(FieldCases));

TEST(KontrolaModulo11Test, FailsEveryTenDigitNumberNotDivisibleByEleven) {
    for (int64_t n = 8001011220; n < 8001011245; ++n) {
        std::string value = std::to_string(n);
        bool divisible = n % 11 == 0;
        EXPECT_EQ(ErrorOf([&] { KontrolaModulo11(value); }) == "<no error>", divisible) << value;
    }
}

TEST(TypDokladuZVetyTest, MapsEveryAllowedPairAndNothingElse) {
    struct Row {
        const char* Davka;
        const char* Pismeno;
        const char* Doklad;
    };
    const Row rows[] = {{"99", "H", "02"},  {"99", "Z", "03"},  {"98", "A", "01"},  {"98", "Z", "03"},
                        {"90", "E", "06"},  {"90", "Z", "03"},  {"82", "H", "02s"}, {"82", "Z", "03s"},
                        {"81", "A", "01s"}, {"81", "Z", "03s"}, {"37", "W", "37"},  {"36", "J", "36"},
                        {"34", "T", "34"},  {"05", "P", "05"}};
    for (const Row& r : rows)
        EXPECT_EQ(TypDokladuZVety(r.Davka, r.Pismeno), r.Doklad) << r.Davka << r.Pismeno;
    for (const auto& [davka, pismeno] : std::vector<std::pair<const char*, const char*>>{{"99", "A"},
                                                                                         {"98", "H"},
                                                                                         {"98", "a"},
                                                                                         {"05", "p"},
                                                                                         {"88", "A"},
                                                                                         {"", "A"},
                                                                                         {"9", "H"},
                                                                                         {"5", "P"},
                                                                                         {"99", ""},
                                                                                         {"99", "HH"},
                                                                                         {"37", "V"},
                                                                                         {"34", "J"}})
        EXPECT_EQ(TypDokladuZVety(davka, pismeno), "") << davka << pismeno;
}

TEST(SpojAdresuTest, JoinsTheNonEmptyPartsWithCommas) {
    EXPECT_EQ(SpojAdresu("  Hlavní 5 ", "   ", " 11000 "), "Hlavní 5, 11000");
    EXPECT_EQ(SpojAdresu("Hlavní 5", "Praha", "11000"), "Hlavní 5, Praha, 11000");
    EXPECT_EQ(SpojAdresu("", "", ""), "");
    EXPECT_EQ(SpojAdresu("Hlavní 5", "Praha", ""), "Hlavní 5, Praha");
    EXPECT_EQ(SpojAdresu("", "Praha", ""), "Praha");
    EXPECT_EQ(SpojAdresu("", "", "11000"), "11000");
}

// The quick path for the usual valid number decides like the two checks.
TEST(CheckInsuranceNumberTest, RaisesWhatTheTwoChecksWouldRaiseApart) {
    const std::string numbers[] = {std::string(Rc1), std::string(RcNoModulo), "0000000000", "800101122",  "80010112x7",
                                   "8001011227 ",    "80010112\xC3\xA1",      "-800101122", " 800101122", ""};
    for (const std::string& n : numbers) {
        for (bool modulo : {true, false}) {
            std::string apart = Outcome([&] {
                KontrolaCislaPojistence(n);
                if (modulo)
                    KontrolaModulo11(n);
            });
            EXPECT_EQ(Outcome([&] { CheckInsuranceNumber(n, modulo); }), apart) << n << " " << modulo;
        }
    }
}

} // namespace
} // namespace ndlemo
