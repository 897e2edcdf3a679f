#include "batch/KontrolaDokladu.h"

#include "batch/FieldChecks.h"
#include "batch/RecordLayouts.h"
#include "batch/TDocumentType.h"
#include "batch/TRecordDecoder.h"
#include "support/ESubroutineError.h"
#include "support/TFormatSettings.h"

#include <string>

namespace ndlemo {

namespace {

// Sets a field of the document; cheaper than assignment, which must allow for the text overlapping the string.
void Assign(std::string& field, std::string_view value) {
    field.clear();
    field.append(value);
}

void RaiseIfAfterPeriod(TDate date, TDate periodEnd, std::string_view label) {
    if (date > periodEnd)
        RaiseInvalidValue(TFormatSettings::Current().FormatDate(date), label);
}

// Each type's function below checks the length, decodes the type's fields in column order and runs the type's
// checks; the checks shared by all types follow in KontrolaDokladu.

// Columns 1-49 of the types 01, 02, 06, 34 and 37; the specialty goes to the given field.
void DecodeCommonColumns(const TRecordDecoder& decoder, TDoklad& doklad, std::string& odbornost) {
    namespace Layout = layout::DocumentCommon;
    Assign(doklad.TypVety, decoder.Text(Layout::TypVety));
    doklad.Cislo = decoder.Integer(Layout::Cislo);
    doklad.Poradi = decoder.Integer(Layout::Poradi);
    Assign(doklad.KodPojistovny, decoder.Text(Layout::KodPojistovny));
    Assign(doklad.ICP, decoder.Text(Layout::ICP));
    Assign(odbornost, decoder.Text(Layout::Odbornost));
    Assign(doklad.CisloPojistence, decoder.Text(Layout::CisloPojistence));
    Assign(doklad.Diagnoza, decoder.Text(Layout::Diagnoza));
}

// The columns of type 05, which type 36 shares.
void DecodeColumnsOf05(const TRecordDecoder& decoder, TDoklad& doklad) {
    namespace Layout = layout::Document05;
    Assign(doklad.TypVety, decoder.Text(Layout::TypVety));
    doklad.Cislo = decoder.Integer(Layout::Cislo);
    Assign(doklad.KodPojistovny, decoder.Text(Layout::KodPojistovny));
    Assign(doklad.ICP, decoder.Text(Layout::ICP));
    Assign(doklad.Odbornost, decoder.Text(Layout::Odbornost));
    decoder.CheckDecimal(Layout::CheckedDecimal);
    decoder.CheckInteger(Layout::CheckedInteger);
    doklad.Poradi = decoder.Integer(Layout::Poradi);
}

void CheckDocument01(const TRecordDecoder& decoder, TDoklad& doklad) {
    namespace Layout = layout::Document01;
    decoder.RequireLength(Layout::Lengths, Layout::LengthLabel);
    DecodeCommonColumns(decoder, doklad, doklad.Odbornost);
    decoder.CheckDecimal(Layout::CheckedDecimal);
    decoder.CheckInteger(Layout::CheckedInteger);
    KontrolaKoduPojistovny(doklad.KodPojistovny);
    KontrolaOdbornosti(doklad.Odbornost);
    KontrolaDiagnozy(doklad.Diagnoza);
}

void CheckDocument02(const TRecordDecoder& decoder, TDoklad& doklad, TDate periodEnd) {
    namespace Layout = layout::Document02;
    decoder.RequireLength(Layout::Lengths, Layout::LengthLabel);
    DecodeCommonColumns(decoder, doklad, doklad.Odbornost);
    doklad.DatumPrijeti = decoder.Date(Layout::DatumPrijeti);
    doklad.DatumPropusteni = decoder.Date(Layout::DatumPropusteni);
    decoder.CheckDecimal(Layout::CheckedDecimal);
    decoder.CheckInteger(Layout::CheckedInteger);
    KontrolaKoduPojistovny(doklad.KodPojistovny);
    KontrolaOdbornosti(doklad.Odbornost);
    KontrolaDiagnozy(doklad.Diagnoza);
    if (doklad.DatumPrijeti > doklad.DatumPropusteni)
        throw ESubroutineError("Datum přijetí je vyšší než datum propuštění");
    RaiseIfAfterPeriod(doklad.DatumPrijeti, periodEnd, "Datum přijetí (mimo období dávky)");
    RaiseIfAfterPeriod(doklad.DatumPropusteni, periodEnd, "Datum propuštění (mimo období dávky)");
}

void CheckDocument03(const TRecordDecoder& decoder, TDoklad& doklad) {
    namespace Layout = layout::Document03;
    decoder.RequireLength(Layout::Lengths, Layout::LengthLabel);
    Assign(doklad.TypVety, decoder.Text(Layout::TypVety));
    doklad.Cislo = decoder.Integer(Layout::Cislo);
    doklad.Poradi = decoder.Integer(Layout::Poradi);
    Assign(doklad.ICP, decoder.Text(Layout::ICP));
    Assign(doklad.Odbornost, decoder.Text(Layout::Odbornost));
    Assign(doklad.CisloPojistence, decoder.Text(Layout::CisloPojistence));
    decoder.CheckDecimal(Layout::CheckedDecimal);
    KontrolaOdbornosti(doklad.Odbornost);
}

void CheckDocument05(const TRecordDecoder& decoder, TDoklad& doklad) {
    namespace Layout = layout::Document05;
    decoder.RequireLength(Layout::Lengths, Layout::LengthLabel);
    DecodeColumnsOf05(decoder, doklad);
    KontrolaKoduPojistovny(doklad.KodPojistovny);
    KontrolaOdbornosti(doklad.Odbornost);
}

void CheckDocument06(const TRecordDecoder& decoder, TDoklad& doklad, TDate periodEnd) {
    namespace Layout = layout::Document06;
    decoder.RequireLength(Layout::Lengths, Layout::LengthLabel);
    DecodeCommonColumns(decoder, doklad, doklad.Odbornost);
    doklad.DatumUdalosti = decoder.Date(Layout::DatumUdalosti);
    decoder.CheckDecimal(Layout::CheckedDecimal);
    decoder.CheckInteger(Layout::CheckedInteger);
    Assign(doklad.Odbornost2, decoder.Text(Layout::Odbornost2));
    KontrolaKoduPojistovny(doklad.KodPojistovny);
    KontrolaOdbornosti(doklad.Odbornost);
    KontrolaOdbornosti(doklad.Odbornost2);
    KontrolaDiagnozy(doklad.Diagnoza);
    RaiseIfAfterPeriod(doklad.DatumUdalosti, periodEnd, "Datum požadavku (mimo období dávky)");
}

void CheckDocument34(const TRecordDecoder& decoder, TDoklad& doklad, TDate periodEnd) {
    namespace Layout = layout::Document34;
    decoder.RequireLength(Layout::Lengths, Layout::LengthLabel);
    DecodeCommonColumns(decoder, doklad, doklad.Odbornost2);
    decoder.CheckDecimal(Layout::CheckedDecimal);
    decoder.CheckInteger(Layout::CheckedInteger);
    doklad.DatumUdalosti = decoder.Date(Layout::DatumUdalosti);
    KontrolaKoduPojistovny(doklad.KodPojistovny);
    KontrolaOdbornosti(doklad.Odbornost2);
    KontrolaDiagnozy(doklad.Diagnoza);
    RaiseIfAfterPeriod(doklad.DatumUdalosti, periodEnd, "Datum transportu (mimo období dávky)");
}

void CheckDocument36(const TRecordDecoder& decoder, TDoklad& doklad) {
    namespace Layout = layout::Document36;
    decoder.RequireLength(Layout::Lengths, Layout::LengthLabel);
    DecodeColumnsOf05(decoder, doklad);
    Assign(doklad.KodPolozky, decoder.Text(Layout::KodPolozky));
    KontrolaKoduPojistovny(doklad.KodPojistovny);
    KontrolaOdbornosti(doklad.Odbornost);
}

void CheckDocument37(const TRecordDecoder& decoder, TDoklad& doklad, TDate periodEnd) {
    namespace Layout = layout::Document37;
    decoder.RequireLength(Layout::Lengths, Layout::LengthLabel);
    DecodeCommonColumns(decoder, doklad, doklad.Odbornost);
    decoder.CheckDecimal(Layout::CheckedDecimal);
    decoder.CheckInteger(Layout::CheckedInteger);
    doklad.DatumUdalosti = decoder.Date(Layout::DatumUdalosti);
    KontrolaKoduPojistovny(doklad.KodPojistovny);
    KontrolaOdbornosti(doklad.Odbornost);
    KontrolaDiagnozy(doklad.Diagnoza);
    RaiseIfAfterPeriod(doklad.DatumUdalosti, periodEnd, "Datum zásahu (mimo období dávky)");
}

} // namespace

void KontrolaDokladu(std::string_view line, const TDavka& davka, TDokladImp& doklad, bool kontrolaModulo) {
    KontrolaDokladu(TRecordLine(line), davka, doklad, kontrolaModulo);
}

void KontrolaDokladu(const TRecordLine& line, const TDavka& davka, TDokladImp& doklad, bool kontrolaModulo) {
    doklad.Vycisti();
    TDoklad& record = doklad.Doklad;
    if (davka.Typ.empty())
        RaiseInvalidValue("", "Typ dávky");
    std::string_view letter = line.First();
    std::string_view typDokladu = TypDokladuZVety(davka.Typ, letter);
    if (typDokladu.empty())
        RaiseInvalidValue(davka.Typ + ", " + std::string(letter), "Typ dávky, typ dokladu");
    Assign(record.TypDokladu, typDokladu);
    Assign(record.ICZ, davka.ICZ);
    Assign(record.Rok, davka.Rok);
    Assign(record.Mesic, davka.Mesic);
    const TDate periodEnd = doklad.KonecObdobi();

    const TRecordDecoder decoder(line);
    const TDocumentType type = DocumentTypeOf(typDokladu);
    switch (type) {
    case TDocumentType::Type01:
    case TDocumentType::Type01s:
        CheckDocument01(decoder, record);
        break;
    case TDocumentType::Type02:
    case TDocumentType::Type02s:
        CheckDocument02(decoder, record, periodEnd);
        break;
    case TDocumentType::Type03:
    case TDocumentType::Type03s:
        CheckDocument03(decoder, record);
        break;
    case TDocumentType::Type05:
        CheckDocument05(decoder, record);
        break;
    case TDocumentType::Type06:
        CheckDocument06(decoder, record, periodEnd);
        break;
    case TDocumentType::Type34:
        CheckDocument34(decoder, record, periodEnd);
        break;
    case TDocumentType::Type36:
        CheckDocument36(decoder, record);
        break;
    case TDocumentType::Type37:
        CheckDocument37(decoder, record, periodEnd);
        break;
    case TDocumentType::None: // TypDokladuZVety gives none of the other texts
        break;
    }

    KontrolaICP(record.ICP);
    if (type != TDocumentType::Type05 && type != TDocumentType::Type36) {
        CheckInsuranceNumber(record.CisloPojistence, kontrolaModulo);
        doklad.PridejOsobu(record.CisloPojistence);
    }
    doklad.Aktivni = true;
}

} // namespace ndlemo
