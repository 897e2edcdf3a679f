#include "batch/KontrolaDokladu.h"

#include "batch/ETypDokladu.h"
#include "batch/FieldChecks.h"
#include "batch/TDekoderVety.h"
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
void Sloupce1Az49(const TDekoderVety& dek, TDoklad& d, bool odbornost2) {
    Prirad(d.TypVety, dek.Text(1, 1));
    d.Cislo = dek.Cele(2, 7);
    d.Poradi = dek.Cele(11, 3);
    Prirad(d.KodPojistovny, dek.Text(14, 3));
    Prirad(d.ICP, dek.Text(18, 8));
    Prirad(odbornost2 ? d.Odbornost2 : d.Odbornost, dek.Text(32, 3));
    Prirad(d.CisloPojistence, dek.Text(35, 10));
    Prirad(d.Diagnoza, dek.Text(45, 5));
}

// Types 05 and 36 share their first 48 columns.
void Sloupce05a36(const TDekoderVety& dek, TDoklad& d) {
    Prirad(d.TypVety, dek.Text(1, 1));
    d.Cislo = dek.Cele(2, 7);
    Prirad(d.KodPojistovny, dek.Text(9, 3));
    Prirad(d.ICP, dek.Text(12, 8));
    Prirad(d.Odbornost, dek.Text(26, 3));
    dek.OverCislo(29, 10);
    dek.OverCele(39, 7);
    d.Poradi = dek.Cele(46, 3);
}

void PoKonciObdobi(TDate datum, TDate konec, std::string_view label) {
    if (datum > konec)
        NepripustnaHodnota(TFormatSettings::Current().FormatDate(datum), label);
}

} // namespace

void KontrolaDokladu(std::string_view veta, const TDavka& davka, TDokladImp& doklad, bool kontrolaModulo) {
    KontrolaDokladu(TVeta(veta), davka, doklad, kontrolaModulo);
}

void KontrolaDokladu(const TVeta& v, const TDavka& davka, TDokladImp& doklad, bool kontrolaModulo) {
    doklad.Vycisti();
    TDoklad& d = doklad.Doklad;
    if (davka.Typ.empty())
        NepripustnaHodnota("", "Typ dávky");
    std::string_view pismeno = v.Prvni();
    std::string_view typ = TypDokladuZVety(davka.Typ, pismeno);
    if (typ.empty())
        NepripustnaHodnota(davka.Typ + ", " + std::string(pismeno), "Typ dávky, typ dokladu");
    Prirad(d.TypDokladu, typ);
    Prirad(d.ICZ, davka.ICZ);
    Prirad(d.Rok, davka.Rok);
    Prirad(d.Mesic, davka.Mesic);
    TDate konec = doklad.KonecObdobi();

    TDekoderVety dek(v);
    using T = ETypDokladu;
    const ETypDokladu kod = TypDokladuKod(typ);
    if (kod == T::T01 || kod == T::T01s) {
        dek.Delka({93}, "doklad 01");
        Sloupce1Az49(dek, d, false);
        dek.OverCislo(76, 10);
        dek.OverCele(86, 7);
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost);
        KontrolaDiagnozy(d.Diagnoza);
    } else if (kod == T::T02 || kod == T::T02s) {
        dek.Delka({101}, "doklad 02");
        Sloupce1Az49(dek, d, false);
        d.DatumPrijeti = dek.Datum(63, 8);
        d.DatumPropusteni = dek.Datum(71, 8);
        dek.OverCislo(80, 12);
        dek.OverCele(92, 9);
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost);
        KontrolaDiagnozy(d.Diagnoza);
        if (d.DatumPrijeti > d.DatumPropusteni)
            throw ESubroutineError("Datum přijetí je vyšší než datum propuštění");
        PoKonciObdobi(d.DatumPrijeti, konec, "Datum přijetí (mimo období dávky)");
        PoKonciObdobi(d.DatumPropusteni, konec, "Datum propuštění (mimo období dávky)");
    } else if (kod == T::T03 || kod == T::T03s) {
        dek.Delka({67}, "doklad 03");
        Prirad(d.TypVety, dek.Text(1, 1));
        d.Cislo = dek.Cele(2, 7);
        d.Poradi = dek.Cele(11, 3);
        Prirad(d.ICP, dek.Text(14, 8));
        Prirad(d.Odbornost, dek.Text(28, 3));
        Prirad(d.CisloPojistence, dek.Text(31, 10));
        dek.OverCislo(56, 11);
        KontrolaOdbornosti(d.Odbornost);
    } else if (kod == T::T05) {
        dek.Delka({49}, "doklad 05");
        Sloupce05a36(dek, d);
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost);
    } else if (kod == T::T06) {
        dek.Delka({100}, "doklad 06");
        Sloupce1Az49(dek, d, false);
        d.DatumUdalosti = dek.Datum(66, 8);
        dek.OverCislo(74, 10);
        dek.OverCele(84, 7);
        Prirad(d.Odbornost2, dek.Text(91, 3));
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost);
        KontrolaOdbornosti(d.Odbornost2);
        KontrolaDiagnozy(d.Diagnoza);
        PoKonciObdobi(d.DatumUdalosti, konec, "Datum požadavku (mimo období dávky)");
    } else if (kod == T::T34) {
        // Both lengths share the columns up to 97; the places after them are texts only.
        dek.Delka({149, 255}, "doklad 34");
        Sloupce1Az49(dek, d, true);
        dek.OverCislo(66, 10);
        dek.OverCele(76, 7);
        d.DatumUdalosti = dek.Datum(90, 8);
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost2);
        KontrolaDiagnozy(d.Diagnoza);
        PoKonciObdobi(d.DatumUdalosti, konec, "Datum transportu (mimo období dávky)");
    } else if (kod == T::T36) {
        dek.Delka({51, 59, 68}, "doklad 36");
        Sloupce05a36(dek, d);
        Prirad(d.KodPolozky, dek.Text(49, 2));
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost);
    } else { // 37
        dek.Delka({136}, "doklad 37");
        Sloupce1Az49(dek, d, false);
        dek.OverCislo(50, 10);
        dek.OverCele(60, 7);
        d.DatumUdalosti = dek.Datum(74, 8);
        KontrolaKoduPojistovny(d.KodPojistovny);
        KontrolaOdbornosti(d.Odbornost);
        KontrolaDiagnozy(d.Diagnoza);
        PoKonciObdobi(d.DatumUdalosti, konec, "Datum zásahu (mimo období dávky)");
    }

    KontrolaICP(d.ICP);
    if (kod != T::T05 && kod != T::T36) {
        KontrolaPojistence(d.CisloPojistence, kontrolaModulo);
        doklad.PridejOsobu(d.CisloPojistence);
    }
    doklad.Aktivni = true;
}

} // namespace ndlemo
