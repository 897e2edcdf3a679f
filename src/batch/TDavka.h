#pragma once

#include <cstdint>
#include <string>

namespace ndlemo {

// The decoded batch header record "D".
struct TDavka {
    std::string Charakter;
    std::string Typ;
    std::string ICZ;
    std::string Pobocka; // columns 13-16, kept only
    std::string Rok;
    std::string Mesic;
    int32_t Cislo = 0;
    int32_t PocetDokladu = 0;
    int32_t Celkem = 0;
    double Castka = 0.0;
    std::string Priznak;  // column 61, kept only
    std::string Doplnek1; // columns 62-74 of the long form, kept only
    std::string Doplnek2; // columns 75-87 of the long form, kept only

    void Vycisti() { *this = TDavka(); }
};

} // namespace ndlemo
