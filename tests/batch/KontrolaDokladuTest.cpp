#include "batch/KontrolaDokladu.h"

#include "BatchTestRecords.h"
#include "BatchTestSupport.h"
#include "batch/EConvertError.h"
#include "support/ESubroutineError.h"

#include <gtest/gtest.h>

namespace ndlemo {
namespace {

using namespace test;

TDavka Batch(std::string_view typ, std::string_view rok = "2011", std::string_view mesic = "03") {
    TDavka h;
    h.Charakter = "P";
    h.Typ = typ;
    h.ICZ = TestIcz;
    h.Rok = rok;
    h.Mesic = mesic;
    h.Cislo = 1;
    h.PocetDokladu = 1;
    return h;
}

// The message with which the record fails, or "<no error>"; the document must be open exactly when it passes.
std::string Check(const TDavka& h, const std::string& line, bool modulo = true) {
    TDokladImp doklad;
    std::string msg = "<no error>";
    try {
        KontrolaDokladu(line, h, doklad, modulo);
    } catch (const ESubroutineError& e) {
        msg = e.what();
    } catch (const EConvertError& e) {
        msg = "convert: " + std::string(e.what());
    }
    EXPECT_EQ(doklad.Aktivni, msg == "<no error>") << msg;
    return msg;
}

std::string Nepripustna(const std::string& value, const std::string& label) {
    return "Nepřípustná hodnota \"" + value + "\" pro \"" + label + "\"";
}

struct ValidDoc {
    const char* BatchType;
    std::string Line;
    const char* TypDokladu;
};

class ValidDocumentTest : public ::testing::TestWithParam<ValidDoc> {};

TEST_P(ValidDocumentTest, OpensWithItsTypeAndPerson) {
    const ValidDoc& c = GetParam();
    TDokladImp doklad;
    KontrolaDokladu(c.Line, Batch(c.BatchType), doklad, true);
    EXPECT_TRUE(doklad.Aktivni);
    const TDoklad& d = doklad.Doklad;
    EXPECT_EQ(d.TypDokladu, c.TypDokladu);
    EXPECT_EQ(d.TypVety, c.Line.substr(0, 1));
    EXPECT_EQ(d.Cislo, 7);
    EXPECT_EQ(d.Poradi, 3);
    EXPECT_EQ(d.ICP, "12345678");
    EXPECT_EQ(d.ICZ, TestIcz);
    EXPECT_EQ(d.Rok, "2011");
    EXPECT_EQ(d.Mesic, "03");
    bool ownPerson = d.TypDokladu != "05" && d.TypDokladu != "36";
    ASSERT_EQ(doklad.Osoby.size(), ownPerson ? 1u : 0u);
    if (ownPerson) {
        EXPECT_EQ(d.CisloPojistence, Rc1);
        EXPECT_EQ(doklad.Osoby[0]->CisloPojistence, Rc1);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryTypeAndLength, ValidDocumentTest,
                         ::testing::Values(ValidDoc{"98", Doc01(7, 3), "01"}, ValidDoc{"81", Doc01(7, 3), "01s"},
                                           ValidDoc{"99", Doc02(7, 3), "02"}, ValidDoc{"82", Doc02(7, 3), "02s"},
                                           ValidDoc{"99", Doc03(7, 3), "03"}, ValidDoc{"98", Doc03(7, 3), "03"},
                                           ValidDoc{"90", Doc03(7, 3), "03"}, ValidDoc{"82", Doc03(7, 3), "03s"},
                                           ValidDoc{"81", Doc03(7, 3), "03s"}, ValidDoc{"05", Doc05(7, 3), "05"},
                                           ValidDoc{"90", Doc06(7, 3), "06"}, ValidDoc{"34", Doc34(7, 3, 149), "34"},
                                           ValidDoc{"34", Doc34(7, 3, 255), "34"},
                                           ValidDoc{"36", Doc36(7, 3, 51), "36"}, ValidDoc{"36", Doc36(7, 3, 59), "36"},
                                           ValidDoc{"36", Doc36(7, 3, 68), "36"}, ValidDoc{"37", Doc37(7, 3), "37"}));

TEST(KontrolaDokladuTest, DecodesTheFieldsOfTheTypes) {
    TDokladImp doklad;
    KontrolaDokladu(Doc02(1, 1, "28022011", "10032011").Str(), Batch("99"), doklad, true);
    EXPECT_EQ(doklad.Doklad.DatumPrijeti, TDate::FromYmd(2011, 2, 28));
    EXPECT_EQ(doklad.Doklad.DatumPropusteni, TDate::FromYmd(2011, 3, 10));
    EXPECT_EQ(doklad.Doklad.KodPojistovny, "111");
    EXPECT_EQ(doklad.Doklad.Odbornost, "001");
    EXPECT_EQ(doklad.Doklad.Diagnoza, "J069");

    KontrolaDokladu(Doc34(1, 1, 255, "20032011").Str(), Batch("34"), doklad, true);
    EXPECT_EQ(doklad.Doklad.Odbornost, "");
    EXPECT_EQ(doklad.Doklad.Odbornost2, "003");
    EXPECT_EQ(doklad.Doklad.DatumUdalosti, TDate::FromYmd(2011, 3, 20));

    KontrolaDokladu(Doc06().Str(), Batch("90"), doklad, true);
    EXPECT_EQ(doklad.Doklad.Odbornost, "001");
    EXPECT_EQ(doklad.Doklad.Odbornost2, "002");

    KontrolaDokladu(Doc36(1, 1, 68, "AB").Str(), Batch("36"), doklad, true);
    EXPECT_EQ(doklad.Doklad.KodPolozky, "AB");
    EXPECT_EQ(doklad.Doklad.CisloPojistence, "");
}

struct LengthCase {
    const char* BatchType;
    std::string Line;
    const char* Label;
};

class DocumentLengthTest : public ::testing::TestWithParam<LengthCase> {};

TEST_P(DocumentLengthTest, OtherLengthsGiveTheTypesLabel) {
    const LengthCase& c = GetParam();
    EXPECT_EQ(Check(Batch(c.BatchType), c.Line), std::string("Chybná délka věty \"") + c.Label + "\"");
}

INSTANTIATE_TEST_SUITE_P(Types, DocumentLengthTest,
                         ::testing::Values(LengthCase{"98", Doc01().Resize(94), "doklad 01"},
                                           LengthCase{"81", Doc01().Resize(92), "doklad 01"},
                                           LengthCase{"99", Doc02().Resize(100), "doklad 02"},
                                           LengthCase{"82", Doc02().Resize(102), "doklad 02"},
                                           LengthCase{"99", Doc03().Resize(66), "doklad 03"},
                                           LengthCase{"81", Doc03().Resize(68), "doklad 03"},
                                           LengthCase{"05", Doc05().Resize(50), "doklad 05"},
                                           LengthCase{"90", Doc06().Resize(101), "doklad 06"},
                                           LengthCase{"34", Doc34(1, 1, 149).Resize(200), "doklad 34"},
                                           LengthCase{"34", Doc34(1, 1, 149).Resize(148), "doklad 34"},
                                           LengthCase{"36", Doc36(1, 1, 51).Resize(50), "doklad 36"},
                                           LengthCase{"36", Doc36(1, 1, 51).Resize(60), "doklad 36"},
                                           LengthCase{"37", Doc37().Resize(135), "doklad 37"}));

TEST(KontrolaDokladuTest, LengthsCountCharacters) {
    // Czech letters take two bytes each in UTF-8 but one column.
    std::string line = Doc37().Set(90, "Žďár nad Sázavou").Str();
    ASSERT_GT(line.size(), 136u);
    EXPECT_EQ(Check(Batch("37"), line), "<no error>");
}

TEST(KontrolaDokladuTest, RefusesPairsOfBatchTypeAndLetterThatDoNotGo) {
    EXPECT_EQ(Check(Batch("99"), Doc01()), Nepripustna("99, A", "Typ dávky, typ dokladu"));
    EXPECT_EQ(Check(Batch("88"), Doc01()), Nepripustna("88, A", "Typ dávky, typ dokladu"));
    EXPECT_EQ(Check(Batch("98"), Doc02()), Nepripustna("98, H", "Typ dávky, typ dokladu"));
    EXPECT_EQ(Check(Batch(""), Doc01()), Nepripustna("", "Typ dávky"));
}

TEST(KontrolaDokladuTest, ChecksThePeriodOfTheBatchBeforeTheLength) {
    EXPECT_EQ(Check(Batch("98", "1850"), Doc01().Resize(10)), Nepripustna("1850", "Rok"));
    EXPECT_EQ(Check(Batch("98", "2011", "13"), Doc01()), Nepripustna("13", "Měsíc"));
}

TEST(KontrolaDokladuTest, ConversionErrorsComeFirstInColumnOrder) {
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(2, "00A0001")), "convert: '00A0001' is not a valid integer value");
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(2, "1      ")), "convert: '1      ' is not a valid integer value");
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(2, "      1")), "<no error>");
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(11, "0x1")), "<no error>");
    // Lenient columns never fail.
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(9, "X").Set(10, "-")), "<no error>");
    // A later conversion error wins over the field checks, which run after decoding.
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(32, "ABC").Set(86, "abc    ")),
              "convert: 'abc    ' is not a valid integer value");
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(76, "12,5.0    ")),
              "convert: '12,5,0' is not a valid floating point value");
    EXPECT_EQ(Check(Batch("99"), Doc02(1, 1, "3102201 ")), "Nepřípustná hodnota \"3102201 \" pro datum");
    EXPECT_EQ(Check(Batch("34"), Doc34(1, 1, 149, "32032011")), "Nepřípustná hodnota \"32032011\" pro datum");
}

TEST(KontrolaDokladuTest, RunsTheTypeChecksInOrder) {
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(14, "   ").Set(32, "A12").Set(45, "x")),
              Nepripustna("", "Kód pojišťovny"));
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(32, "A12").Set(45, "x    ")), Nepripustna("A12", "Odbornost"));
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(45, "J06.9")), Nepripustna("J06.9", "Diagnóza"));
    // Type 03 has no insurer code and no diagnosis check.
    EXPECT_EQ(Check(Batch("99"), Doc03().Set(28, "1a2")), Nepripustna("1a2", "Odbornost"));
    EXPECT_EQ(Check(Batch("05"), Doc05().Set(9, "   ")), Nepripustna("", "Kód pojišťovny"));
    EXPECT_EQ(Check(Batch("90"), Doc06().Set(91, "00 ")), Nepripustna("00", "Odbornost"));
    EXPECT_EQ(Check(Batch("34"), Doc34().Set(32, "0A ")), Nepripustna("0A", "Odbornost"));
    EXPECT_EQ(Check(Batch("34"), Doc34().Set(45, "     ")), Nepripustna("", "Diagnóza"));
    EXPECT_EQ(Check(Batch("36"), Doc36().Set(26, "X01")), Nepripustna("X01", "Odbornost"));
    EXPECT_EQ(Check(Batch("37"), Doc37().Set(45, "12345")), Nepripustna("12345", "Diagnóza"));
}

TEST(KontrolaDokladuTest, ChecksTheHospitalStayAgainstThePeriod) {
    EXPECT_EQ(Check(Batch("99"), Doc02(1, 1, "11032011", "10032011")), "Datum přijetí je vyšší než datum propuštění");
    EXPECT_EQ(Check(Batch("99"), Doc02(1, 1, "10032011", "10032011")), "<no error>");
    EXPECT_EQ(Check(Batch("99"), Doc02(1, 1, "15022011", "31032011")), "<no error>");
    EXPECT_EQ(Check(Batch("99"), Doc02(1, 1, "15032011", "01042011")),
              Nepripustna("01.04.2011", "Datum propuštění (mimo období dávky)"));
    EXPECT_EQ(Check(Batch("99"), Doc02(1, 1, "01042011", "05042011")),
              Nepripustna("01.04.2011", "Datum přijetí (mimo období dávky)"));
    EXPECT_EQ(Check(Batch("99"), Doc02(1, 1, "05042011", "01042011")), "Datum přijetí je vyšší než datum propuštění");
}

TEST(KontrolaDokladuTest, ReportsEventDatesAfterThePeriodWithTheTypesLabel) {
    EXPECT_EQ(Check(Batch("90"), Doc06(1, 1, "01042011")),
              Nepripustna("01.04.2011", "Datum požadavku (mimo období dávky)"));
    EXPECT_EQ(Check(Batch("34"), Doc34(1, 1, 255, "01042011")),
              Nepripustna("01.04.2011", "Datum transportu (mimo období dávky)"));
    EXPECT_EQ(Check(Batch("37"), Doc37(1, 1, "01042011")),
              Nepripustna("01.04.2011", "Datum zásahu (mimo období dávky)"));
    EXPECT_EQ(Check(Batch("37"), Doc37(1, 1, "31032011")), "<no error>");
    EXPECT_EQ(Check(Batch("37"), Doc37(1, 1, "01012000")), "<no error>");
}

TEST(KontrolaDokladuTest, ShowsDatesInTheSystemFormat) {
    TFormatSettings s;
    s.DateSeparator = "/";
    TFormatSettingsGuard guard(s);
    EXPECT_EQ(Check(Batch("90"), Doc06(1, 1, "01042011")),
              Nepripustna("01/04/2011", "Datum požadavku (mimo období dávky)"));
}

TEST(KontrolaDokladuTest, ChecksIcpAfterTheTypeChecksAndThenTheInsuranceNumber) {
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(18, "1234567X").Set(32, "A12")), Nepripustna("A12", "Odbornost"));
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(18, "1234567X").Set(35, "123")),
              "Hodnota \"IČP\" smí obsahovat pouze znaky \"0 až 9\"");
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(18, "1234567 ")), "Délka hodnoty \"IČP\" musí být 8 a ne 7");
    EXPECT_EQ(Check(Batch("98"), Doc01().Set(35, "800101122 ")), "Délka hodnoty \"Číslo poj.\" musí být 10 a ne 9");
    EXPECT_EQ(Check(Batch("99"), Doc03(1, 1, "80010112A7")),
              "Hodnota \"Číslo poj.\" smí obsahovat pouze znaky \"0 až 9\"");
    EXPECT_EQ(Check(Batch("05"), Doc05().Set(12, "ABCDEFGH")), "Hodnota \"IČP\" smí obsahovat pouze znaky \"0 až 9\"");
}

TEST(KontrolaDokladuTest, AppliesTheModuloRuleOnlyWhenAsked) {
    EXPECT_EQ(Check(Batch("98"), Doc01(1, 1, RcNoModulo), true), Nepripustna(std::string(RcNoModulo), "Číslo poj."));
    EXPECT_EQ(Check(Batch("98"), Doc01(1, 1, RcNoModulo), false), "<no error>");
    EXPECT_EQ(Check(Batch("99"), Doc03(1, 1, RcNoModulo), true), Nepripustna(std::string(RcNoModulo), "Číslo poj."));
    EXPECT_EQ(Check(Batch("99"), Doc03(1, 1, RcNoModulo), false), "<no error>");
    // The length and digits rule holds either way.
    EXPECT_EQ(Check(Batch("98"), Doc01(1, 1, "800101122"), false), "Délka hodnoty \"Číslo poj.\" musí být 10 a ne 9");
}

TEST(KontrolaDokladuTest, AFailedRecordLeavesTheDocumentClosedWithoutPersons) {
    TDokladImp doklad;
    KontrolaDokladu(Doc01().Str(), Batch("98"), doklad, true);
    ASSERT_TRUE(doklad.Aktivni);
    EXPECT_THROW(KontrolaDokladu(Doc01().Set(45, "x").Str(), Batch("98"), doklad, true), ESubroutineError);
    EXPECT_FALSE(doklad.Aktivni);
    EXPECT_TRUE(doklad.Osoby.empty());
}

struct NumberField {
    const char* BatchType;
    TLine Line;
    size_t Column;
    size_t Width;
    const char* Kind;
};

class DocumentNumberFieldTest : public ::testing::TestWithParam<NumberField> {};

// Every field that a document layout decodes as a number or a date fails the record when it holds none, and the
// message shows exactly the field's columns.
TEST_P(DocumentNumberFieldTest, FailsWithExactlyItsColumns) {
    const NumberField& c = GetParam();
    std::string bad(c.Width, 'z');
    TLine line = c.Line;
    EXPECT_EQ(Check(Batch(c.BatchType), line.Set(c.Column, bad)), NotANumberOutcome(c.Kind, bad));
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, DocumentNumberFieldTest,
    ::testing::Values(
        NumberField{"98", Doc01(), 2, 7, "integer"}, NumberField{"98", Doc01(), 11, 3, "integer"},
        NumberField{"98", Doc01(), 76, 10, "decimal"}, NumberField{"81", Doc01(), 86, 7, "integer"},
        NumberField{"99", Doc02(), 63, 8, "date"}, NumberField{"99", Doc02(), 71, 8, "date"},
        NumberField{"99", Doc02(), 80, 12, "decimal"}, NumberField{"82", Doc02(), 92, 9, "integer"},
        NumberField{"99", Doc03(), 2, 7, "integer"}, NumberField{"99", Doc03(), 11, 3, "integer"},
        NumberField{"81", Doc03(), 56, 11, "decimal"}, NumberField{"05", Doc05(), 2, 7, "integer"},
        NumberField{"05", Doc05(), 29, 10, "decimal"}, NumberField{"05", Doc05(), 39, 7, "integer"},
        NumberField{"05", Doc05(), 46, 3, "integer"}, NumberField{"90", Doc06(), 66, 8, "date"},
        NumberField{"90", Doc06(), 74, 10, "decimal"}, NumberField{"90", Doc06(), 84, 7, "integer"},
        NumberField{"34", Doc34(1, 1, 149), 66, 10, "decimal"}, NumberField{"34", Doc34(1, 1, 255), 76, 7, "integer"},
        NumberField{"34", Doc34(1, 1, 255), 90, 8, "date"}, NumberField{"36", Doc36(1, 1, 59), 2, 7, "integer"},
        NumberField{"36", Doc36(1, 1, 68), 29, 10, "decimal"}, NumberField{"36", Doc36(1, 1, 51), 39, 7, "integer"},
        NumberField{"36", Doc36(1, 1, 51), 46, 3, "integer"}, NumberField{"37", Doc37(), 50, 10, "decimal"},
        NumberField{"37", Doc37(), 60, 7, "integer"}, NumberField{"37", Doc37(), 74, 8, "date"}));

} // namespace
} // namespace ndlemo
