#include "batch/TPojOsobaImp.h"

#include <gtest/gtest.h>

namespace ndlemo {
namespace {

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

} // namespace
} // namespace ndlemo
