#pragma once

#include "support/TDate.h"

#include <array>
#include <cstdint>
#include <string>

namespace ndlemo {

// The decoded document record. Values of the layouts that no check reads are decoded for their errors only.
struct TDoklad {
    std::string TypDokladu;
    std::string TypVety;
    int32_t Cislo = 0;
    int32_t Poradi = 0;
    std::string KodPojistovny;
    std::string ICP;
    std::string Odbornost;
    std::string Odbornost2;
    std::string Diagnoza;
    std::array<std::string, 6> Diagnozy;
    TDate DatumPrijeti;
    TDate DatumPropusteni;
    TDate DatumUdalosti;
    std::string KodPolozky;
    std::string CisloPojistence;
    std::string ICZ;
    std::string Rok;
    std::string Mesic;

    // Empties every value but keeps the text buffers, as the record is refilled for every document.
    void Vycisti();
};

inline void TDoklad::Vycisti() {
    TypDokladu.clear();
    TypVety.clear();
    Cislo = 0;
    Poradi = 0;
    KodPojistovny.clear();
    ICP.clear();
    Odbornost.clear();
    Odbornost2.clear();
    Diagnoza.clear();
    for (auto& d : Diagnozy)
        d.clear();
    DatumPrijeti = TDate();
    DatumPropusteni = TDate();
    DatumUdalosti = TDate();
    KodPolozky.clear();
    CisloPojistence.clear();
    ICZ.clear();
    Rok.clear();
    Mesic.clear();
}

} // namespace ndlemo
