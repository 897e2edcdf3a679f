#pragma once

#include "batch/TLemoSoubor.h"
#include "support/TDate.h"

#include <memory>
#include <string>
#include <vector>

namespace ndlemo {

// The invoice (or medical-reports transfer) from its check to its package and reports. Texts are stored
// trimmed by the code that fills them; a zero date is no date.
class TLemoPrij {
public:
    TLemoPrij() = default;
    ~TLemoPrij() { Vycisti(); }
    TLemoPrij(const TLemoPrij&) = delete;
    TLemoPrij& operator=(const TLemoPrij&) = delete;

    std::string ICZ;
    std::string ICO;
    std::string CisloFaktury;
    std::string RokFaktury;
    TDate DatumVystaveni;
    TDate DatumOdeslani;
    TDate DatumSplatnosti;
    TDate DatumPrijeti;
    double Castka = 0.0;
    std::string Poznamka;
    std::string CisloUctu;
    std::string KodBanky;
    std::string VarSymbol;
    std::string Popis;
    // One record per attached file, in the order of the file list.
    std::vector<std::unique_ptr<TLemoSoubor>> Soubory;
    bool Generovat = false;
    std::string OdbICO;
    std::string OdbNazev;
    std::string OdbUlice;
    std::string OdbPsc;
    std::string OdbObec;
    std::string DodNazev;
    std::string DodUlice;
    std::string DodPsc;
    std::string DodObec;
    std::string IdPrenosu;

    // Every field empty or zero; frees every file record with its batches and errors.
    void Vycisti();
};

} // namespace ndlemo
