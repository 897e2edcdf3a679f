#pragma once

#include "support/TDate.h"

#include <cstdint>
#include <string>

namespace ndlemo {

// A decoded item record (procedure, drug or transport item).
struct TDokladPolozka {
    std::string Druh;
    std::string TypVety;
    TDate Datum;
    std::string Kod;
    int32_t Pocet = 0;
    std::string Odbornost;
    std::string Diagnoza;
    std::string Lokalizace1;
    std::string Lokalizace2;
    std::string SkupinaLeku;

    // Empties every value but keeps the text buffers.
    void Vycisti();
};

inline void TDokladPolozka::Vycisti() {
    Druh.clear();
    TypVety.clear();
    Datum = TDate();
    Kod.clear();
    Pocet = 0;
    Odbornost.clear();
    Diagnoza.clear();
    Lokalizace1.clear();
    Lokalizace2.clear();
    SkupinaLeku.clear();
}

} // namespace ndlemo
