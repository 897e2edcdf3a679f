#pragma once

#include <string>

namespace ndlemo {

// What the fields of the invoice tab hold, one member per field in tab order: texts as the fields show
// them (a date with the blanks of its mask), the amount as its number.
struct TInvoiceForm {
    std::string ICZ;
    std::string CisFaktury;
    std::string ICO;
    std::string RokFaktury;
    std::string DatVystaveni;
    std::string DatOdeslani;
    std::string DatPrijeti;
    std::string DatSplatnosti;
    double Castka = 0.0;
    std::string Ucet;
    std::string Banka;
    std::string VS;
    std::string Popis;
    std::string Poznamka;
    bool GenerFak = false;
    std::string DodavatelNazev;
    std::string DodavatelUlice;
    std::string DodavatelPsc;
    std::string DodavatelObec;

    friend bool operator==(const TInvoiceForm&, const TInvoiceForm&) = default;
};

} // namespace ndlemo
