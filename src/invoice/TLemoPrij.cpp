#include "invoice/TLemoPrij.h"

namespace ndlemo {

void TLemoPrij::Vycisti() {
    ICZ.clear();
    ICO.clear();
    CisloFaktury.clear();
    RokFaktury.clear();
    DatumVystaveni = TDate();
    DatumOdeslani = TDate();
    DatumSplatnosti = TDate();
    DatumPrijeti = TDate();
    Castka = 0.0;
    Poznamka.clear();
    CisloUctu.clear();
    KodBanky.clear();
    VarSymbol.clear();
    Popis.clear();
    while (!Soubory.empty())
        Soubory.pop_back();
    Generovat = false;
    OdbICO.clear();
    OdbNazev.clear();
    OdbUlice.clear();
    OdbPsc.clear();
    OdbObec.clear();
    DodNazev.clear();
    DodUlice.clear();
    DodPsc.clear();
    DodObec.clear();
    IdPrenosu.clear();
}

} // namespace ndlemo
