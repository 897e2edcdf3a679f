#include "batch/KontrolaPolozky.h"

#include "BatchTestRecords.h"
#include "BatchTestSupport.h"
#include "batch/EConvertError.h"
#include "batch/KontrolaDokladu.h"
#include "support/ESubroutineError.h"

#include <gtest/gtest.h>

namespace ndlemo {
namespace {

using namespace test;

std::string Nepripustna(const std::string& value, const std::string& label) {
    return "Nepřípustná hodnota \"" + value + "\" pro \"" + label + "\"";
}

const DocSetup D01{"98", Doc01()};
const DocSetup D01s{"81", Doc01()};
const DocSetup D02{"99", Doc02(1, 1, "01032011", "10032011")};
const DocSetup D02s{"82", Doc02(1, 1, "01032011", "10032011")};
const DocSetup D03{"99", Doc03()};
const DocSetup D03s{"82", Doc03()};
const DocSetup D05{"05", Doc05()};
const DocSetup D06{"90", Doc06()};
const DocSetup D34{"34", Doc34(1, 1, 149, "20032011")};
const DocSetup D36{"36", Doc36(1, 1, 68, "AB")};
const DocSetup D37{"37", Doc37(1, 1, "25032011")};

std::string Item(const DocSetup& setup, const std::string& line, bool modulo = true) {
    TDokladImp doklad;
    Open(doklad, setup);
    try {
        KontrolaPolozky(line, doklad, modulo);
    } catch (const ESubroutineError& e) {
        return e.what();
    } catch (const EConvertError& e) {
        return "convert: " + std::string(e.what());
    }
    return "<no error>";
}

// The one stored item of a document after a passing item record.
TDokladPolozka Stored(const DocSetup& setup, const std::string& line) {
    TDokladImp doklad;
    Open(doklad, setup);
    KontrolaPolozky(line, doklad, true);
    EXPECT_EQ(doklad.Osoby.size(), 1u);
    if (doklad.Osoby.size() != 1 || doklad.Osoby[0]->Polozky.size() != 1) {
        ADD_FAILURE() << "no single stored item";
        return {};
    }
    return doklad.Osoby[0]->Polozky[0]->Polozka;
}

struct ValidItem {
    DocSetup Doc;
    std::string Line;
    const char* Druh;
    const char* Kod;
    int Pocet;
};

class ValidItemTest : public ::testing::TestWithParam<ValidItem> {};

TEST_P(ValidItemTest, IsStoredWithItsKindUnderThePerson) {
    const ValidItem& c = GetParam();
    TDokladPolozka p = Stored(c.Doc, c.Line);
    EXPECT_EQ(p.Druh, c.Druh);
    EXPECT_EQ(p.Kod, c.Kod);
    EXPECT_EQ(p.Pocet, c.Pocet);
    EXPECT_EQ(p.TypVety, c.Line.substr(0, 1));
    EXPECT_FALSE(p.Datum.IsNull());
}

INSTANTIATE_TEST_SUITE_P(
    EveryTypeAndLength, ValidItemTest,
    ::testing::Values(ValidItem{D01, Item01(29), "V", "09513", 1}, ValidItem{D01, Item01(31), "V", "09513", 1},
                      ValidItem{D01s, Item01(33), "V", "09513", 1}, ValidItem{D01s, Item01(35), "V", "09513", 1},
                      ValidItem{D02, Item02(25), "V", "09513", 1}, ValidItem{D02, Item02(27), "V", "09513", 1},
                      ValidItem{D02s, Item02(29), "V", "09513", 1}, ValidItem{D02s, Item02(31), "V", "09513", 1},
                      ValidItem{D03, Item03(40), "L1", "0012345", 0},
                      ValidItem{D03, Item03(45, "0012345", "3"), "L3", "0012345", 0},
                      ValidItem{D03s, Item03(44, "0012345", "4"), "L4", "0012345", 0},
                      ValidItem{D05, Item05(), "V", "09513", 1}, ValidItem{D06, Item06(), "V", "09513", 2},
                      ValidItem{D34, Item34(), "D", "00001", 12}, ValidItem{D36, Item36(68), "D", "AB", 12},
                      ValidItem{D36, Item36(122), "D", "AB", 12}, ValidItem{D36, Item36(177), "D", "AB", 12},
                      ValidItem{D37, Item37V(15), "V", "09513", 1}, ValidItem{D37, Item37V(17), "V", "09513", 1},
                      ValidItem{D37, Item37L(), "L2", "0012345", 0}));

TEST(KontrolaPolozkyTest, DecodesTheItemFields) {
    TDokladPolozka p = Stored(D01s, Item01(35, "14032011", "09543", "3", "I10"));
    EXPECT_EQ(p.Datum, TDate::FromYmd(2011, 3, 14));
    EXPECT_EQ(p.Pocet, 3);
    EXPECT_EQ(p.Odbornost, "001");
    EXPECT_EQ(p.Diagnoza, "I10");
    EXPECT_EQ(p.Lokalizace1, "1");
    EXPECT_EQ(p.Lokalizace2, "2");
    p = Stored(D03s, Item03(44));
    EXPECT_EQ(p.SkupinaLeku, "1");
    EXPECT_EQ(p.Lokalizace1, "1");
    // Transport items take the document's date.
    EXPECT_EQ(Stored(D34, Item34()).Datum, TDate::FromYmd(2011, 3, 20));
    EXPECT_EQ(Stored(D37, Item37L()).Datum, TDate::FromYmd(2011, 3, 25));
}

TEST(KontrolaPolozkyTest, RefusesRecordLettersTheDocumentTypeDoesNotTake) {
    std::string l = Item03(40);
    EXPECT_EQ(Item(D01, l), Nepripustna(l, "Věta typu V"));
    EXPECT_EQ(Item(D36, l), Nepripustna(l, "Věta typu V"));
    std::string v = Item01(29);
    EXPECT_EQ(Item(D03, v), Nepripustna(v, "Věta typu L"));
    EXPECT_EQ(Item(D03s, v), Nepripustna(v, "Věta typu L"));
    std::string g = ItemG();
    EXPECT_EQ(Item(D37, g), Nepripustna(g, "Věta typu VL"));
}

struct ItemLength {
    DocSetup Doc;
    std::string Line;
    const char* Label;
};

class ItemLengthTest : public ::testing::TestWithParam<ItemLength> {};

TEST_P(ItemLengthTest, OtherLengthsGiveTheLabel) {
    const ItemLength& c = GetParam();
    EXPECT_EQ(Item(c.Doc, c.Line), std::string("Chybná délka věty \"") + c.Label + "\"");
}

INSTANTIATE_TEST_SUITE_P(Types, ItemLengthTest,
                         ::testing::Values(ItemLength{D01, Item01(29).Resize(30), "výkonu dokladu 01"},
                                           ItemLength{D01, Item01(33), "výkonu dokladu 01"},
                                           ItemLength{D01s, Item01(29), "výkonu dokladu 01s"},
                                           ItemLength{D02, Item02(29), "výkonu dokladu 02"},
                                           ItemLength{D02s, Item02(25), "výkonu dokladu 02s"},
                                           ItemLength{D03, Item03(44), "léku dokladu 03"},
                                           ItemLength{D03s, Item03(45), "léku dokladu 03s"},
                                           ItemLength{D05, Item05().Resize(31), "výkonu dokladu 05"},
                                           ItemLength{D06, Item06().Resize(15), "výkonu dokladu 06"},
                                           ItemLength{D34, Item34().Resize(17), "výkonu dokladu 34"},
                                           ItemLength{D36, Item36(68).Resize(69), "výkonu dokladu 36"},
                                           ItemLength{D37, Item37V(15).Resize(16), "výkonu dokladu 37"},
                                           ItemLength{D37, Item37L().Resize(28), "léku dokladu 37"}));

TEST(KontrolaPolozkyTest, ChecksTheItemDateAgainstTheHospitalStay) {
    const char* label = "Datum hospitalizačního výkonu";
    EXPECT_EQ(Item(D02, Item02(25, "28022011")), Nepripustna("28.02.2011", label));
    EXPECT_EQ(Item(D02, Item02(25, "11032011")), Nepripustna("11.03.2011", label));
    EXPECT_EQ(Item(D02s, Item02(29, "11032011")), Nepripustna("11.03.2011", label));
    EXPECT_EQ(Item(D02, Item02(25, "01032011")), "<no error>");
    EXPECT_EQ(Item(D02, Item02(25, "10032011")), "<no error>");
}

TEST(KontrolaPolozkyTest, ReportsItemDatesAfterThePeriodOnly) {
    const char* label = "Datum výkonu (mimo období dávky)";
    EXPECT_EQ(Item(D01, Item01(29, "01042011")), Nepripustna("01.04.2011", label));
    EXPECT_EQ(Item(D01, Item01(29, "15032010")), "<no error>");
    EXPECT_EQ(Item(D01, Item01(29, "31032011")), "<no error>");
    EXPECT_EQ(Item(D03, Item03(40, "0012345", "1", "01042011")), Nepripustna("01.04.2011", label));
    EXPECT_EQ(Item(D06, Item06("30042011")), Nepripustna("30.04.2011", label));
    EXPECT_EQ(Item(D01, Item01(29, "32032011")), "Nepřípustná hodnota \"32032011\" pro datum");
}

TEST(KontrolaPolozkyTest, CompletesTheCountOfProceduresExceptCode00881) {
    EXPECT_EQ(Stored(D01, Item01(29, "15032011", "00881", "0")).Pocet, 0);
    EXPECT_EQ(Stored(D01, Item01(29, "15032011", "09513", "0")).Pocet, 1);
    EXPECT_EQ(Stored(D06, Item06("15032011", "0")).Pocet, 1);
    // Transport items keep their count.
    EXPECT_EQ(Stored(D34, Item34("00001", "0000")).Pocet, 0);
    EXPECT_EQ(Stored(D37, Item37V(15, "12   ", "000")).Druh, "D");
    EXPECT_EQ(Stored(D37, Item37V(15, "12   ", "000")).Pocet, 0);
    TDokladPolozka p = Stored(D37, Item37V(15, "09513", "000"));
    EXPECT_EQ(p.Druh, "V");
    EXPECT_EQ(p.Pocet, 1);
    EXPECT_EQ(Stored(D37, Item37V(15, "00881", "000")).Pocet, 0);
}

TEST(KontrolaPolozkyTest, ChecksCodesAndDrugs) {
    EXPECT_EQ(Item(D03, Item03(40, "001234 ")), Nepripustna("001234", "Kód léku"));
    EXPECT_EQ(Item(D03, Item03(40, "       ")), Nepripustna("", "Kód položky"));
    EXPECT_EQ(Item(D01, Item01(29, "15032011", "     ")), Nepripustna("", "Kód položky"));
    EXPECT_EQ(Item(D37, Item37L("12345  ")), Nepripustna("12345", "Kód léku"));
    EXPECT_EQ(Item(D03, Item03(40, "0012345", "5")), "Hodnota \"Skupina léku\" smí obsahovat pouze znaky \"1234\"");
    EXPECT_EQ(Item(D37, Item37L("0012345", " ")), "Délka hodnoty \"Skupina léku\" musí být 1 a ne 0");
    EXPECT_EQ(Item(D03, Item03(45).Set(40, "J06.9")), Nepripustna("J06.9", "Diagnóza"));
    EXPECT_EQ(Item(D03, Item03(45).Set(40, "     ")), "<no error>");
}

TEST(KontrolaPolozkyTest, ChecksSpecialtyDiagnosisAndLocalisation) {
    EXPECT_EQ(Item(D01, Item01(29).Set(16, "A01")), Nepripustna("A01", "Odbornost"));
    EXPECT_EQ(Item(D01, Item01(29).Set(16, "   ")), "<no error>");
    EXPECT_EQ(Item(D02, Item02(25).Set(15, "0a1")), Nepripustna("0a1", "Odbornost"));
    EXPECT_EQ(Item(D01, Item01(29, "15032011", "09513", "1", "J06X")), Nepripustna("J06X", "Diagnóza"));
    EXPECT_EQ(Item(D01s, Item01(33).Set(29, "x")), "Hodnota \"Lokalizace\" smí obsahovat pouze znaky \"mez., 0 až 9\"");
    EXPECT_EQ(Item(D02s, Item02(31).Set(28, "-")), "Hodnota \"Lokalizace\" smí obsahovat pouze znaky \"mez., 0 až 9\"");
    EXPECT_EQ(Item(D03s, Item03(44).Set(40, " ").Set(41, " ")), "<no error>");
    EXPECT_EQ(Item(D05, Item05(Rc1, "15032011", "09513", "     ")), Nepripustna("", "Diagnóza"));
    EXPECT_EQ(Item(D36, Item36(68, Rc1, "     ")), Nepripustna("", "Diagnóza"));
    EXPECT_EQ(Item(D36, Item36(177)), "<no error>");
}

TEST(KontrolaPolozkyTest, TypeOneItemsWithoutDiagnosisTakeTheDocuments) {
    EXPECT_EQ(Stored(D01, Item01(29, "15032011", "09513", "1", "     ")).Diagnoza, "J069");
    EXPECT_EQ(Stored(D01s, Item01(33, "15032011", "09513", "1", "     ")).Diagnoza, "J069");
    EXPECT_EQ(Stored(D01, Item01(29, "15032011", "09513", "1", "I10")).Diagnoza, "I10");
    EXPECT_EQ(Stored(D02, Item02()).Diagnoza, "");
}

TEST(KontrolaPolozkyTest, ItemsOfTypes05And36BringTheirPersons) {
    TDokladImp doklad;
    Open(doklad, D36);
    EXPECT_TRUE(doklad.Osoby.empty());
    KontrolaPolozky(Item36(68, Rc1).Str(), doklad, true);
    KontrolaPolozky(Item36(122, Rc2).Str(), doklad, true);
    KontrolaPolozky(Item36(177, Rc1).Str(), doklad, true);
    ASSERT_EQ(doklad.Osoby.size(), 2u);
    EXPECT_EQ(doklad.Osoby[0]->CisloPojistence, Rc1);
    EXPECT_EQ(doklad.Osoby[0]->Polozky.size(), 2u);
    EXPECT_EQ(doklad.Osoby[1]->CisloPojistence, Rc2);
    EXPECT_EQ(doklad.Osoby[1]->Polozky.size(), 1u);

    EXPECT_EQ(Item(D36, Item36(68, "800101122 ")), "Délka hodnoty \"Číslo poj.\" musí být 10 a ne 9");
    EXPECT_EQ(Item(D05, Item05("800101122A")), "Hodnota \"Číslo poj.\" smí obsahovat pouze znaky \"0 až 9\"");
    EXPECT_EQ(Item(D05, Item05(RcNoModulo), true), Nepripustna(std::string(RcNoModulo), "Číslo poj."));
    EXPECT_EQ(Item(D05, Item05(RcNoModulo), false), "<no error>");
    EXPECT_EQ(Item(D36, Item36(68, RcNoModulo), false), "<no error>");
}

TEST(KontrolaPolozkyTest, AFailedItemLeavesTheDocumentAsItWas) {
    TDokladImp doklad;
    Open(doklad, D01);
    KontrolaPolozky(Item01().Str(), doklad, true);
    EXPECT_THROW(KontrolaPolozky(Item01(29, "01042011").Str(), doklad, true), ESubroutineError);
    EXPECT_THROW(KontrolaPolozky(Item01(29).Set(15, "x").Str(), doklad, true), EConvertError);
    EXPECT_TRUE(doklad.Aktivni);
    ASSERT_EQ(doklad.Osoby.size(), 1u);
    EXPECT_EQ(doklad.Osoby[0]->Polozky.size(), 1u);
}

TEST(KontrolaPolozkyTest, ADocumentWithoutItsOnePersonIsAnInternalError) {
    TDokladImp doklad;
    Open(doklad, D01);
    doklad.Osoby[0]->CisloPojistence = Rc2;
    EXPECT_EQ(MessageOf<ESubroutineError>([&] { KontrolaPolozky(Item01().Str(), doklad, true); }),
              "Interní chyba: Nelze nalézt objekt poj. osoby");
    doklad.PridejOsobu(Rc1);
    EXPECT_EQ(MessageOf<ESubroutineError>([&] { KontrolaPolozky(Item01().Str(), doklad, true); }),
              "Interní chyba: Nelze nalézt objekt poj. osoby");
}

TEST(KontrolaPolozkyTest, CanLeaveTheItemsUnstored) {
    TDokladImp doklad;
    doklad.StoreItems = false;
    Open(doklad, D05);
    KontrolaPolozky(Item05().Str(), doklad, true);
    ASSERT_EQ(doklad.Osoby.size(), 1u);
    EXPECT_TRUE(doklad.Osoby[0]->Polozky.empty());
}

struct Slots {
    DocSetup Doc;
    size_t Usable;
};

class DiagnosisSlotsTest : public ::testing::TestWithParam<Slots> {};

TEST_P(DiagnosisSlotsTest, FillsTheUsableSlotsAndDropsTheRest) {
    const Slots& c = GetParam();
    TDokladImp doklad;
    Open(doklad, c.Doc);
    for (int i = 0; i < 8; ++i)
        KontrolaVetyG(ItemG("A0" + std::to_string(i)), doklad);
    for (size_t i = 0; i < 6; ++i)
        EXPECT_EQ(doklad.Doklad.Diagnozy[i], i < c.Usable ? "A0" + std::to_string(i) : "") << i;
}

INSTANTIATE_TEST_SUITE_P(Types, DiagnosisSlotsTest,
                         ::testing::Values(Slots{D01, 4}, Slots{D01s, 4}, Slots{D02, 6}, Slots{D02s, 6}, Slots{D06, 4},
                                           Slots{D34, 2}, Slots{D37, 4}));

TEST(KontrolaVetyGTest, ChecksTypeLengthAndDiagnosis) {
    auto g = [](const DocSetup& setup, const std::string& line) {
        TDokladImp doklad;
        Open(doklad, setup);
        return MessageOf<ESubroutineError>([&] { KontrolaVetyG(line, doklad); });
    };
    EXPECT_EQ(g(D03, ItemG()), Nepripustna("03", "Typ dokladu diagnozy"));
    EXPECT_EQ(g(D03s, ItemG()), Nepripustna("03s", "Typ dokladu diagnozy"));
    EXPECT_EQ(g(D05, ItemG()), Nepripustna("05", "Typ dokladu diagnozy"));
    EXPECT_EQ(g(D36, ItemG()), Nepripustna("36", "Typ dokladu diagnozy"));
    EXPECT_EQ(g(D01, ItemG() + " "), "Chybná délka věty \"G\"");
    EXPECT_EQ(g(D01, "G"), "Chybná délka věty \"G\"");
    EXPECT_EQ(g(D01, ItemG("J06.9")), Nepripustna("J06.9", "Diagnóza"));
    EXPECT_EQ(g(D01, ItemG("     ")), Nepripustna("", "Diagnóza"));
    EXPECT_EQ(g(D01, ItemG("J0690")), "<no error>");
}

// Items checked with the document's facts worked out once give the same errors and store the same items as items
// checked on their own, also one after another in one document.
TEST(KontrolaPolozkyTest, ItemsOfAnOpenDocumentCheckAlikeWithItsFactsKnown) {
    struct Case {
        DocSetup Doc;
        std::vector<std::string> Items;
    };
    const Case cases[] = {
        {{"98", Doc01()},
         {Item01(29), Item01(31), Item01(30), Item01(29, "01042011"), Item01(29).Set(15, "x"), Item03()}},
        {{"81", Doc01()}, {Item01(33), Item01(35).Set(31, "x"), Item01(29)}},
        {{"99", Doc02(1, 1, "01032011", "10032011")}, {Item02(25), Item02(25, "28022011"), Item02(27)}},
        {{"82", Doc03()}, {Item03(44), Item03(44, "001234"), Item03(44, "0012345", "5"), Item01(29)}},
        {{"99", Doc03()}, {Item03(40), Item03(45), Item03(45).Set(40, "j069"), Item03(40).Set(19, "12,5,0")}},
        {{"05", Doc05()}, {Item05(), Item05(Rc2), Item05(RcNoModulo), Item05("80010112x7"), Item05(Rc1, "01042011")}},
        {{"90", Doc06()}, {Item06(), Item06("15032011", "x")}},
        {{"34", Doc34(1, 1, 149, "20032011")}, {Item34(), Item34("     ")}},
        {{"36", Doc36(1, 1, 68, "AB")}, {Item36(68), Item36(122, Rc2), Item36(177), Item36(68, "8001011228")}},
        {{"37", Doc37(1, 1, "25032011")}, {Item37V(15), Item37V(17, "12"), Item37L(), Item37L("001234"), ItemG()}},
    };
    for (const Case& c : cases) {
        for (bool modulo : {true, false}) {
            TDokladImp alone;
            Open(alone, c.Doc);
            TDokladImp known;
            Open(known, c.Doc);
            TItemContext facts = ItemContextOf(known);
            for (const std::string& item : c.Items) {
                TRecordLine v(item);
                std::string expected = Outcome([&] { KontrolaPolozky(v, alone, modulo); });
                EXPECT_EQ(Outcome([&] { KontrolaPolozky(v, known, facts, modulo); }), expected) << item;
            }
            ASSERT_EQ(known.Osoby.size(), alone.Osoby.size()) << c.Doc.Line;
            for (size_t i = 0; i < alone.Osoby.size(); ++i) {
                EXPECT_EQ(known.Osoby[i]->CisloPojistence, alone.Osoby[i]->CisloPojistence);
                EXPECT_EQ(known.Osoby[i]->Polozky.size(), alone.Osoby[i]->Polozky.size());
            }
        }
    }
}

struct NumberField {
    DocSetup Doc;
    TLine Line;
    size_t Column;
    size_t Width;
    const char* Kind;
};

class ItemNumberFieldTest : public ::testing::TestWithParam<NumberField> {};

// Every field that an item layout decodes as a number or a date fails the item when it holds none, and the message
// shows exactly the field's columns, which in the long forms are wider.
TEST_P(ItemNumberFieldTest, FailsWithExactlyItsColumns) {
    const NumberField& c = GetParam();
    std::string bad(c.Width, 'z');
    TLine line = c.Line;
    EXPECT_EQ(Item(c.Doc, line.Set(c.Column, bad)), NotANumberOutcome(c.Kind, bad));
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, ItemNumberFieldTest,
    ::testing::Values(NumberField{D01, Item01(29), 2, 8, "date"}, NumberField{D01, Item01(29), 15, 1, "integer"},
                      NumberField{D01, Item01(29), 24, 5, "integer"}, NumberField{D01, Item01(31), 24, 7, "integer"},
                      NumberField{D01s, Item01(33), 24, 5, "integer"}, NumberField{D01s, Item01(35), 24, 7, "integer"},
                      NumberField{D02, Item02(25), 2, 8, "date"}, NumberField{D02, Item02(25), 18, 2, "integer"},
                      NumberField{D02, Item02(27), 20, 7, "integer"}, NumberField{D02s, Item02(29), 20, 5, "integer"},
                      NumberField{D02s, Item02(31), 20, 7, "integer"}, NumberField{D03, Item03(40), 2, 8, "date"},
                      NumberField{D03, Item03(45), 19, 11, "decimal"}, NumberField{D03s, Item03(44), 30, 10, "decimal"},
                      NumberField{D05, Item05(), 2, 8, "date"}, NumberField{D06, Item06(), 2, 8, "date"},
                      NumberField{D06, Item06(), 15, 1, "integer"}, NumberField{D34, Item34(), 7, 4, "integer"},
                      NumberField{D34, Item34(), 11, 5, "integer"}, NumberField{D36, Item36(177), 2, 8, "date"},
                      NumberField{D36, Item36(177), 20, 4, "integer"}, NumberField{D36, Item36(68), 24, 9, "decimal"},
                      NumberField{D36, Item36(122), 24, 9, "decimal"}, NumberField{D37, Item37V(15), 7, 3, "integer"},
                      NumberField{D37, Item37V(15), 10, 5, "integer"}, NumberField{D37, Item37V(17), 10, 7, "integer"},
                      NumberField{D37, Item37L(), 10, 7, "decimal"}, NumberField{D37, Item37L(), 17, 10, "decimal"}));

} // namespace
} // namespace ndlemo
