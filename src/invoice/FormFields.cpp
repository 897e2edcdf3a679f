#include "invoice/FormFields.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace ndlemo {

namespace {
using F = TInvoiceForm;
using enum TInputFilter;
using enum TEditState;

const std::array<TInvoiceTextField, 13> Fields = {{
    {"ICZ", &F::ICZ, {"cedtICZ", "IČZ", "", 8, Digits, Required}},
    {"Cislo_faktury", &F::CisFaktury, {"cedtCisFaktury", "Číslo faktury", "", 10, Digits, Required}},
    {"ICO", &F::ICO, {"cedtICO", "IČO", "", 8, Digits, Required}},
    {"Rok_faktury", &F::RokFaktury, {"cedtRokFaktury", "Rok vystavení", "", 4, Digits, Required}},
    {"Cislo_uctu", &F::Ucet, {"cedtUcet", "Číslo účtu", "Číslo účtu nárokujícího", 25, None, Required}},
    {"Kod_banky", &F::Banka, {"cedtBanka", "Kód banky", "Banka nárokujícího", 4, None, Required}},
    {"Var_symbol", &F::VS, {"cedtVS", "VS", "", 10, None, Required}},
    {"Popis", &F::Popis, {"cedtPopis", "Popis", "", 80, None, Editable}},
    {"Poznamka", &F::Poznamka, {"cedtPoznamka", "Poznámka", "", 80, None, Editable}},
    {"Dod_Nazev",
     &F::DodavatelNazev,
     {"cedtDodavatelNazev", "Název ", "Název dodavatele", 50, None, RequiredForInvoice}},
    {"Dod_Ulice", &F::DodavatelUlice, {"cedtDodavatelUlice", "Ulice", "Ulice dodavatele", 50, None, Editable}},
    {"Dod_Psc", &F::DodavatelPsc, {"cedtDodavatelPsc", "PSČ", "PSČ", 5, Digits, RequiredForInvoice}},
    {"Dod_Obec", &F::DodavatelObec, {"cedtDodavatelObec", "Obec", "Obec dodavatele", 50, None, RequiredForInvoice}},
}};
const std::array<TReportsTextField, 3> ReportsFields = {{
    {"ICZ", &TReportsForm::ICZ, {"cedtICZ_LZ", "IČZ", "", 8, Digits, Required}},
    {"ICO", &TReportsForm::ICO, {"cedtICO_LZ", "IČO", "", 8, Digits, Required}},
    {"Poznamka", &TReportsForm::Poznamka, {"cedtPoznamka_LZ", "Poznámka", "", 80, None, Editable}},
}};

template <typename TField, size_t N>
const TSettingField& FieldOf(const std::array<TField, N>& fields, std::string_view component) {
    auto it = std::find_if(fields.begin(), fields.end(),
                           [component](const TField& f) { return f.Field.Component == component; });
    if (it == fields.end())
        throw std::out_of_range("no field " + std::string(component));
    return it->Field;
}
} // namespace

std::span<const TInvoiceTextField> InvoiceTextFields() {
    return Fields;
}

const TSettingField& InvoiceTextField(std::string_view component) {
    return FieldOf(Fields, component);
}

std::span<const TReportsTextField> ReportsTextFields() {
    return ReportsFields;
}

const TSettingField& ReportsTextField(std::string_view component) {
    return FieldOf(ReportsFields, component);
}

} // namespace ndlemo
