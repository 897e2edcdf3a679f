#include "batch/KontrolaDokladu.h"

#include "batch/FieldChecks.h"
#include "batch/TDocumentType.h"
#include "batch/TRecordDecoder.h"
#include "support/TFormatSettings.h"

#include <string>

namespace ndlemo {

namespace {

// Sets a field of the document; cheaper than assignment, which must allow for the text overlapping the string.
void Prirad(std::string& field, std::string_view value) {
    field.clear();
    field.append(value);
}

// Columns 1-49 shared by the types 01, 02, 06, 34 and 37; type 34 keeps its specialty in Odbornost2.
void Sloupce1Az49(const TRecordDecoder& dek, TDoklad& d, bool odbornost2) {
    Prirad(d.TypVety, dek.Text(1, 1));
    d.Cislo = dek.Integer(2, 7);
    d.Poradi = dek.Integer(11, 3);
    Prirad(d.KodPojistovny, dek.Text(14, 3));
    Prirad(d.ICP, dek.Text(18, 8));
    Prirad(odbornost2 ? d.Odbornost2 : d.Odbornost, dek.Text(32, 3));
    Prirad(d.CisloPojistence, dek.Text(35, 10));
    Prirad(d.Diagnoza, dek.Text(45, 5));
}

// Types 05 and 36 share their first 48 columns.
void Sloupce05a36(const TRecordDecoder& dek, TDoklad& d) {
    Prirad(d.TypVety, dek.Text(1, 1));
    d.Cislo = dek.Integer(2, 7);
    Prirad(d.KodPojistovny, dek.Text(9, 3));
    Prirad(d.ICP, dek.Text(12, 8));
    Prirad(d.Odbornost, dek.Text(26, 3));
    dek.CheckDecimal(29, 10);
    dek.CheckInteger(39, 7);
    d.Poradi = dek.Integer(46, 3);
}

void PoKonciObdobi(TDate datum, TDate konec, std::string_view label) {
    if (datum > konec)
        RaiseInvalidValue(TFormatSettings::Current().FormatDate(datum), label);
}

} // namespace

void KontrolaDokladu(std::string_view veta, const TDavka& davka, TDokladImp& doklad, bool kontrolaModulo) {
    KontrolaDokladu(TRecordLine(veta), davka, doklad, kontrolaModulo);
}

void KontrolaDokladu(const TRecordLine& v, const TDavka& davka, TDokladImp& doklad, bool kontrolaModulo) {
    doklad.Vycisti();
    TDoklad& d = doklad.Doklad;
    if (davka.Typ.empty())
        RaiseInvalidValue("", "Typ dávky");
    std::string_view pismeno = v.First();
    std::string_view typ = TypDokladuZVety(davka.Typ, pismeno);
    if (typ.empty())
        RaiseInvalidValue(davka.Typ + ", " + std::string(pismeno), "Typ dávky, typ dokladu");
    Prirad(d.TypDokladu, typ);
    Prirad(d.ICZ, davka.ICZ);
    Prirad(d.Rok, davka.Rok);
    Prirad(d.Mesic, davka.Mesic);
    TDate konec = doklad.KonecObdobi();

    TRecordDecoder dek(v);
    using T = TDocumentType;
    const TDocumentType kod = DocumentTypeOf(typ);
    if (kod == T::Type01 || kod == T::Type01s) {
        dek.RequireLength({93}, "doklad 01");
        Sloupce1Az49(dek, d, false);
        dek.CheckDecimal(76, 10);
        dek.CheckInteger(86, 7);
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost);
        KontrolaDiagnozy(d.Diagnoza);
    } else if (kod == T::Type02 || kod == T::Type02s) {
        dek.RequireLength({101}, "doklad 02");
        Sloupce1Az49(dek, d, false);
        d.DatumPrijeti = dek.Date(63, 8);
        d.DatumPropusteni = dek.Date(71, 8);
        dek.CheckDecimal(80, 12);
        dek.CheckInteger(92, 9);
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost);
        KontrolaDiagnozy(d.Diagnoza);
        if (d.DatumPrijeti > d.DatumPropusteni)
            throw ESubroutineError("Datum přijetí je vyšší než datum propuštění");
        PoKonciObdobi(d.DatumPrijeti, konec, "Datum přijetí (mimo období dávky)");
        PoKonciObdobi(d.DatumPropusteni, konec, "Datum propuštění (mimo období dávky)");
    } else if (kod == T::Type03 || kod == T::Type03s) {
        dek.RequireLength({67}, "doklad 03");
        Prirad(d.TypVety, dek.Text(1, 1));
        d.Cislo = dek.Integer(2, 7);
        d.Poradi = dek.Integer(11, 3);
        Prirad(d.ICP, dek.Text(14, 8));
        Prirad(d.Odbornost, dek.Text(28, 3));
        Prirad(d.CisloPojistence, dek.Text(31, 10));
        dek.CheckDecimal(56, 11);
        KontrolaOdbornosti(d.Odbornost);
    } else if (kod == T::Type05) {
        dek.RequireLength({49}, "doklad 05");
        Sloupce05a36(dek, d);
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost);
    } else if (kod == T::Type06) {
        dek.RequireLength({100}, "doklad 06");
        Sloupce1Az49(dek, d, false);
        d.DatumUdalosti = dek.Date(66, 8);
        dek.CheckDecimal(74, 10);
        dek.CheckInteger(84, 7);
        Prirad(d.Odbornost2, dek.Text(91, 3));
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost);
        KontrolaOdbornosti(d.Odbornost2);
        KontrolaDiagnozy(d.Diagnoza);
        PoKonciObdobi(d.DatumUdalosti, konec, "Datum požadavku (mimo období dávky)");
    } else if (kod == T::Type34) {
        // Both lengths share the columns up to 97; the places after them are texts only.
        dek.RequireLength({149, 255}, "doklad 34");
        Sloupce1Az49(dek, d, true);
        dek.CheckDecimal(66, 10);
        dek.CheckInteger(76, 7);
        d.DatumUdalosti = dek.Date(90, 8);
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost2);
        KontrolaDiagnozy(d.Diagnoza);
        PoKonciObdobi(d.DatumUdalosti, konec, "Datum transportu (mimo období dávky)");
    } else if (kod == T::Type36) {
        dek.RequireLength({51, 59, 68}, "doklad 36");
        Sloupce05a36(dek, d);
        Prirad(d.KodPolozky, dek.Text(49, 2));
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost);
    } else { // 37
        dek.RequireLength({136}, "doklad 37");
        Sloupce1Az49(dek, d, false);
        dek.CheckDecimal(50, 10);
        dek.CheckInteger(60, 7);
        d.DatumUdalosti = dek.Date(74, 8);
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost);
        KontrolaDiagnozy(d.Diagnoza);
        PoKonciObdobi(d.DatumUdalosti, konec, "Datum zásahu (mimo období dávky)");
    }

    KontrolaICP(d.ICP);
    if (kod != T::Type05 && kod != T::Type36) {
        CheckInsuranceNumber(d.CisloPojistence, kontrolaModulo);
        doklad.PridejOsobu(d.CisloPojistence);
    }
    doklad.Aktivni = true;
}

} // namespace ndlemo
