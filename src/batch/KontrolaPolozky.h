#pragma once

#include "batch/ETypDokladu.h"
#include "batch/TDokladImp.h"
#include "batch/TVeta.h"

#include <string_view>

namespace ndlemo {

// Decodes and checks one item record "V" or "L" (UTF-8 line) of the open document and stores it under its
// insured person. Raises ESubroutineError or EConvertError at the first problem; a failed item is not stored.
void KontrolaPolozky(std::string_view veta, TDokladImp& doklad, bool kontrolaModulo);
void KontrolaPolozky(const TVeta& veta, TDokladImp& doklad, bool kontrolaModulo);

// What every item asks of its document, for a caller that opened the document with KontrolaDokladu and changes
// it no more until its next document record: worked out once, not for each of its items.
struct TPolozkyDokladu {
    ETypDokladu Kod = ETypDokladu::Zadny;
    // The end of the period, already known to be valid.
    TDate Konec;
    // The document has its one person (types other than 05 and 36), so the items need not look again.
    bool OsobaOverena = false;
};
[[nodiscard]] TPolozkyDokladu PolozkyDokladu(TDokladImp& doklad);
void KontrolaPolozky(const TVeta& veta, TDokladImp& doklad, const TPolozkyDokladu& dokladu, bool kontrolaModulo);

// Adds the diagnosis of a record "G" to the first free usable slot of the open document; beyond them it is
// dropped without a message.
void KontrolaVetyG(std::string_view veta, TDokladImp& doklad);
void KontrolaVetyG(const TVeta& veta, TDokladImp& doklad);

} // namespace ndlemo
