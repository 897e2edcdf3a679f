#include "batch/TDokladImp.h"

#include <gtest/gtest.h>

#include <string>

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

} // namespace
} // namespace ndlemo
