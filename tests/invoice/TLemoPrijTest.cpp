#include "invoice/TLemoPrij.h"

#include <gtest/gtest.h>

namespace ndlemo {
namespace {

TEST(TLemoPrijTest, StartsEmpty) {
    TLemoPrij prij;
    EXPECT_EQ(prij.ICZ, "");
    EXPECT_TRUE(prij.DatumVystaveni.IsNull());
    EXPECT_EQ(prij.Castka, 0.0);
    EXPECT_FALSE(prij.Generovat);
    EXPECT_TRUE(prij.Soubory.empty());
}

TEST(TLemoPrijTest, ClearingEmptiesEveryFieldAndFreesTheFileRecords) {
    TLemoPrij prij;
    for (std::string* text :
         {&prij.ICZ, &prij.ICO, &prij.CisloFaktury, &prij.RokFaktury, &prij.Poznamka, &prij.CisloUctu, &prij.KodBanky,
          &prij.VarSymbol, &prij.Popis, &prij.OdbICO, &prij.OdbNazev, &prij.OdbUlice, &prij.OdbPsc, &prij.OdbObec,
          &prij.DodNazev, &prij.DodUlice, &prij.DodPsc, &prij.DodObec, &prij.IdPrenosu})
        *text = "x";
    prij.DatumVystaveni = TDate::FromYmd(2024, 1, 2);
    prij.DatumOdeslani = TDate::FromYmd(2024, 1, 3);
    prij.DatumSplatnosti = TDate::FromYmd(2024, 1, 4);
    prij.DatumPrijeti = TDate::FromYmd(2024, 1, 5);
    prij.Castka = 12.5;
    prij.Generovat = true;
    auto soubor = std::make_unique<TLemoSoubor>();
    soubor->Davky.push_back(std::make_unique<TPrijDavka>());
    soubor->Chyby.push_back("Řádek 1: x");
    prij.Soubory.push_back(std::move(soubor));
    prij.Soubory.push_back(std::make_unique<TLemoSoubor>());

    prij.Vycisti();
    for (const std::string* text :
         {&prij.ICZ, &prij.ICO, &prij.CisloFaktury, &prij.RokFaktury, &prij.Poznamka, &prij.CisloUctu, &prij.KodBanky,
          &prij.VarSymbol, &prij.Popis, &prij.OdbICO, &prij.OdbNazev, &prij.OdbUlice, &prij.OdbPsc, &prij.OdbObec,
          &prij.DodNazev, &prij.DodUlice, &prij.DodPsc, &prij.DodObec, &prij.IdPrenosu})
        EXPECT_EQ(*text, "");
    EXPECT_TRUE(prij.DatumVystaveni.IsNull());
    EXPECT_TRUE(prij.DatumOdeslani.IsNull());
    EXPECT_TRUE(prij.DatumSplatnosti.IsNull());
    EXPECT_TRUE(prij.DatumPrijeti.IsNull());
    EXPECT_EQ(prij.Castka, 0.0);
    EXPECT_FALSE(prij.Generovat);
    EXPECT_TRUE(prij.Soubory.empty());
}

} // namespace
} // namespace ndlemo
