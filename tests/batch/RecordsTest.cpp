#include "batch/TDokladImp.h"
#include "batch/TKeyRegister.h"
#include "batch/TLemoSoubor.h"

#include <gtest/gtest.h>

namespace ndlemo {
namespace {

TEST(TDokladImpTest, AddsEachInsuranceNumberOnce) {
    TDokladImp doklad;
    EXPECT_EQ(doklad.PridejOsobu("8001011227"), 0);
    EXPECT_EQ(doklad.PridejOsobu("7505050003"), 1);
    EXPECT_EQ(doklad.PridejOsobu("8001011227"), -1);
    ASSERT_EQ(doklad.Osoby.size(), 2u);
    EXPECT_EQ(doklad.NajdiOsobu("7505050003"), 1);
    EXPECT_EQ(doklad.NajdiOsobu("8001011227"), 0);
    EXPECT_EQ(doklad.NajdiOsobu("0000000000"), -1);
    EXPECT_TRUE(doklad.Osoby[0]->Polozky.empty());
}

TEST(TDokladImpTest, FindsPersonsExactlyAlsoAmongVeryMany) {
    TDokladImp doklad;
    for (int i = 0; i < 200; ++i)
        ASSERT_EQ(doklad.PridejOsobu(std::to_string(1000000000 + i)), i);
    EXPECT_EQ(doklad.PridejOsobu("1000000150"), -1);
    EXPECT_EQ(doklad.Osoby.size(), 200u);
    for (int i = 0; i < 200; i += 7)
        EXPECT_EQ(doklad.NajdiOsobu(std::to_string(1000000000 + i)), i);
    EXPECT_EQ(doklad.NajdiOsobu("1000000200"), -1);
    EXPECT_EQ(doklad.NajdiOsobu(" 1000000001"), -1);

    doklad.Vycisti();
    EXPECT_EQ(doklad.NajdiOsobu("1000000150"), -1);
    EXPECT_EQ(doklad.PridejOsobu("1000000150"), 0);
}

TEST(TDokladImpTest, ClearingLeavesAnEmptyClosedDocument) {
    TDokladImp doklad;
    doklad.Doklad.TypDokladu = "02";
    doklad.Doklad.Cislo = 5;
    doklad.Doklad.Diagnozy[3] = "J069";
    doklad.Doklad.DatumPrijeti = TDate::FromYmd(2011, 3, 1);
    doklad.Aktivni = true;
    doklad.PridejOsobu("8001011227");
    TDokladPolozka p;
    p.Kod = "09513";
    doklad.Osoby[0]->PridejPolozku(p);

    doklad.Vycisti();
    EXPECT_FALSE(doklad.Aktivni);
    EXPECT_TRUE(doklad.Osoby.empty());
    EXPECT_EQ(doklad.Doklad.TypDokladu, "");
    EXPECT_EQ(doklad.Doklad.Cislo, 0);
    EXPECT_EQ(doklad.Doklad.Diagnozy[3], "");
    EXPECT_TRUE(doklad.Doklad.DatumPrijeti.IsNull());
}

TEST(TPojOsobaImpTest, StoresCopiesOfItemsInOrderAndClears) {
    TPojOsobaImp osoba("8001011227");
    TDokladPolozka p;
    p.Kod = "09513";
    p.Pocet = 2;
    osoba.PridejPolozku(p);
    p.Kod = "09543";
    osoba.PridejPolozku(p);
    p.Kod = "changed";
    ASSERT_EQ(osoba.Polozky.size(), 2u);
    EXPECT_EQ(osoba.Polozky[0]->Polozka.Kod, "09513");
    EXPECT_EQ(osoba.Polozky[1]->Polozka.Kod, "09543");
    EXPECT_EQ(osoba.Polozky[1]->Polozka.Pocet, 2);

    osoba.Vycisti();
    EXPECT_EQ(osoba.CisloPojistence, "");
    EXPECT_TRUE(osoba.Polozky.empty());
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

TEST(TLemoSouborTest, ClearingFreesEveryBatchAndEmptiesTheFields) {
    TLemoSoubor soubor;
    soubor.JmenoSouboru = "a.txt";
    soubor.Velikost = 10;
    soubor.Zdroj = "src";
    soubor.DatumZdroje = TDateTime(40000.5);
    soubor.Davky.push_back(std::make_unique<TPrijDavka>());
    soubor.Davky.push_back(std::make_unique<TPrijDavka>());
    soubor.Chyby.push_back("Řádek 1: x");
    soubor.Vycisti();
    EXPECT_EQ(soubor.JmenoSouboru, "");
    EXPECT_EQ(soubor.Velikost, 0);
    EXPECT_EQ(soubor.Zdroj, "");
    EXPECT_TRUE(soubor.DatumZdroje.IsNull());
    EXPECT_TRUE(soubor.Davky.empty());
    EXPECT_TRUE(soubor.Chyby.empty());
    EXPECT_TRUE(soubor.KontrolaModulo);
}

} // namespace
} // namespace ndlemo
