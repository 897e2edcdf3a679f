#include "batch/KontrolaPolozky.h"

#include "batch/FieldChecks.h"
#include "batch/RecordLayouts.h"
#include "batch/TDocumentType.h"
#include "batch/TRecordDecoder.h"
#include "support/ESubroutineError.h"
#include "support/TFormatSettings.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>

namespace ndlemo {

namespace {

// The decoded item is kept in two objects of at most 80 bytes each: every item starts from cleared ones, and the
// compiler clears such an object with a few stores but a larger one with a string instruction that is slow to start.
// The record is filled only when the item is stored.

// The texts of the item, as slices of its line (or of its document).
struct TItemTexts {
    std::string_view TypVety;
    std::string_view Kod;
    std::string_view Odbornost;
    std::string_view Diagnoza;
    // Types 05 and 36: the insurance number of the item's own person.
    std::string_view CisloPojistence;
};

// The one-column texts, the date, the count and the kind of the item.
struct TItemValues {
    std::string_view Lokalizace1;
    std::string_view Lokalizace2;
    std::string_view SkupinaLeku;
    TDate Datum;
    int32_t Pocet = 0;

    void SetDruh(std::string_view first, std::string_view second = {}) {
        m_DruhLength = 0;
        AppendDruh(first);
        AppendDruh(second);
    }
    [[nodiscard]] std::string_view Druh() const { return std::string_view(m_Druh, m_DruhLength); }

private:
    void AppendDruh(std::string_view part) {
        for (size_t i = 0; i < part.size() && m_DruhLength < sizeof m_Druh; ++i)
            m_Druh[m_DruhLength++] = part[i];
    }

    char m_Druh[4] = {};
    uint8_t m_DruhLength = 0;
};

static_assert(sizeof(TItemTexts) <= 80 && sizeof(TItemValues) <= 80, "each is cleared with a few stores");

// Characters of a short UTF-8 slice; in line, as every item asks for one.
size_t CharacterCount(std::string_view text) {
    size_t count = 0;
    for (char c : text)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

// A drug code has seven characters; the usual seven ASCII bytes are seen in two overlapping words.
bool HasSevenCharacters(std::string_view kod) {
    if (kod.size() == 7) {
        uint32_t first = 0;
        uint32_t last = 0;
        std::memcpy(&first, kod.data(), 4);
        std::memcpy(&last, kod.data() + 3, 4);
        if (((first | last) & 0x80808080u) == 0)
            return true;
    }
    return kod.size() > 7 && CharacterCount(kod) == 7;
}

// The record letters that the items of a document type may have.
std::string_view AllowedLetters(TDocumentType type) {
    switch (type) {
    case TDocumentType::Type03:
    case TDocumentType::Type03s:
        return "L";
    case TDocumentType::Type37:
        return "VL";
    default:
        return "V";
    }
}

bool IsAllowedLetter(std::string_view letter, std::string_view allowed) {
    return letter.size() == 1 && (letter[0] == allowed[0] || (allowed.size() > 1 && letter[0] == allowed[1]));
}

// Out of line: the label is built only when the length is wrong.
[[noreturn]] void RaiseItemLength(std::string_view label, const std::string& typDokladu) {
    TRecordDecoder::RaiseWrongLength(std::string(label) + typDokladu);
}

template <size_t N>
void RequireItemLength(const TRecordDecoder& decoder, const std::array<size_t, N>& lengths, std::string_view label,
                       const std::string& typDokladu) {
    if (!decoder.HasLength(lengths))
        RaiseItemLength(label, typDokladu);
}

// Each type's function below checks the item's length, decodes the type's fields in column order and runs the
// type's completion steps; the steps shared by all types follow in CheckItem.

// Types 01 and 01s; the localisation only in 01s.
void DecodeItem01(const TRecordLine& line, const TDoklad& document, bool withLocalisation, TItemTexts& texts,
                  TItemValues& values) {
    namespace Layout = layout::Item01;
    const TRecordDecoder decoder(line);
    const std::array<size_t, 2>& lengths = withLocalisation ? Layout::Lengths01s : Layout::Lengths01;
    RequireItemLength(decoder, lengths, Layout::LengthLabel, document.TypDokladu);
    const bool longForm = line.Length() == lengths[1];
    texts.TypVety = decoder.Text(Layout::TypVety);
    values.Datum = decoder.Date(Layout::Datum);
    texts.Kod = decoder.Text(Layout::Kod);
    values.Pocet = decoder.Integer(Layout::Pocet);
    texts.Odbornost = decoder.Text(Layout::Odbornost);
    texts.Diagnoza = decoder.Text(Layout::Diagnoza);
    decoder.CheckInteger(longForm ? Layout::LongCheckedInteger : Layout::CheckedInteger);
    if (withLocalisation) {
        values.Lokalizace1 = decoder.Text(longForm ? Layout::LongLokalizace1 : Layout::Lokalizace1);
        values.Lokalizace2 = decoder.Text(longForm ? Layout::LongLokalizace2 : Layout::Lokalizace2);
    }
    values.SetDruh(texts.TypVety);
    if (!texts.Odbornost.empty())
        KontrolaOdbornosti(texts.Odbornost);
    if (!texts.Diagnoza.empty())
        KontrolaDiagnozy(texts.Diagnoza);
}

// Types 02 and 02s; the localisation only in 02s.
void DecodeItem02(const TRecordLine& line, const TDoklad& document, bool withLocalisation, TItemTexts& texts,
                  TItemValues& values) {
    namespace Layout = layout::Item02;
    const TRecordDecoder decoder(line);
    const std::array<size_t, 2>& lengths = withLocalisation ? Layout::Lengths02s : Layout::Lengths02;
    RequireItemLength(decoder, lengths, Layout::LengthLabel, document.TypDokladu);
    const bool longForm = line.Length() == lengths[1];
    texts.TypVety = decoder.Text(Layout::TypVety);
    values.Datum = decoder.Date(Layout::Datum);
    texts.Kod = decoder.Text(Layout::Kod);
    texts.Odbornost = decoder.Text(Layout::Odbornost);
    values.Pocet = decoder.Integer(Layout::Pocet);
    decoder.CheckInteger(longForm ? Layout::LongCheckedInteger : Layout::CheckedInteger);
    if (withLocalisation) {
        values.Lokalizace1 = decoder.Text(longForm ? Layout::LongLokalizace1 : Layout::Lokalizace1);
        values.Lokalizace2 = decoder.Text(longForm ? Layout::LongLokalizace2 : Layout::Lokalizace2);
    }
    values.SetDruh(texts.TypVety);
    if (!texts.Odbornost.empty())
        KontrolaOdbornosti(texts.Odbornost);
}

// Types 03 and 03s; the diagnosis only in the long form of 03, the localisation only in 03s.
void DecodeItem03(const TRecordLine& line, const TDoklad& document, bool withLocalisation, TItemTexts& texts,
                  TItemValues& values) {
    namespace Layout = layout::Item03;
    const TRecordDecoder decoder(line);
    if (withLocalisation)
        RequireItemLength(decoder, Layout::Lengths03s, Layout::LengthLabel, document.TypDokladu);
    else
        RequireItemLength(decoder, Layout::Lengths03, Layout::LengthLabel, document.TypDokladu);
    const bool withDiagnosis = !withLocalisation && line.Length() == Layout::LengthWithDiagnosis;
    texts.TypVety = decoder.Text(Layout::TypVety);
    values.Datum = decoder.Date(Layout::Datum);
    values.SkupinaLeku = decoder.Text(Layout::SkupinaLeku);
    texts.Kod = decoder.Text(Layout::Kod);
    decoder.CheckDecimal(Layout::CheckedDecimal1);
    decoder.CheckDecimal(Layout::CheckedDecimal2);
    if (withDiagnosis)
        texts.Diagnoza = decoder.Text(Layout::Diagnoza);
    if (withLocalisation) {
        values.Lokalizace1 = decoder.Text(Layout::Lokalizace1);
        values.Lokalizace2 = decoder.Text(Layout::Lokalizace2);
    }
    if (withDiagnosis && !texts.Diagnoza.empty())
        KontrolaDiagnozy(texts.Diagnoza);
    KontrolaSkupinyLeku(values.SkupinaLeku);
    values.SetDruh(texts.TypVety, values.SkupinaLeku);
}

void DecodeItem05(const TRecordLine& line, const TDoklad& document, TItemTexts& texts, TItemValues& values) {
    namespace Layout = layout::Item05;
    const TRecordDecoder decoder(line);
    RequireItemLength(decoder, Layout::Lengths, Layout::LengthLabel, document.TypDokladu);
    texts.TypVety = decoder.Text(Layout::TypVety);
    values.Datum = decoder.Date(Layout::Datum);
    texts.CisloPojistence = decoder.Text(Layout::CisloPojistence);
    texts.Kod = decoder.Text(Layout::Kod);
    texts.Diagnoza = decoder.Text(Layout::Diagnoza);
    values.SetDruh(texts.TypVety);
    KontrolaDiagnozy(texts.Diagnoza);
}

void DecodeItem06(const TRecordLine& line, const TDoklad& document, TItemTexts& texts, TItemValues& values) {
    namespace Layout = layout::Item06;
    const TRecordDecoder decoder(line);
    RequireItemLength(decoder, Layout::Lengths, Layout::LengthLabel, document.TypDokladu);
    texts.TypVety = decoder.Text(Layout::TypVety);
    values.Datum = decoder.Date(Layout::Datum);
    texts.Kod = decoder.Text(Layout::Kod);
    values.Pocet = decoder.Integer(Layout::Pocet);
    values.SetDruh(texts.TypVety);
}

void DecodeItem34(const TRecordLine& line, const TDoklad& document, TItemTexts& texts, TItemValues& values) {
    namespace Layout = layout::Item34;
    const TRecordDecoder decoder(line);
    RequireItemLength(decoder, Layout::Lengths, Layout::LengthLabel, document.TypDokladu);
    texts.TypVety = decoder.Text(Layout::TypVety);
    texts.Kod = decoder.Text(Layout::Kod);
    values.Pocet = decoder.Integer(Layout::Pocet);
    decoder.CheckInteger(Layout::CheckedInteger);
    values.Datum = document.DatumUdalosti;
    values.SetDruh("D");
}

// The route form has no diagnosis.
void DecodeItem36(const TRecordLine& line, const TDoklad& document, TItemTexts& texts, TItemValues& values) {
    namespace Layout = layout::Item36;
    const TRecordDecoder decoder(line);
    RequireItemLength(decoder, Layout::Lengths, Layout::LengthLabel, document.TypDokladu);
    const bool withDiagnosis = line.Length() != Layout::RouteLength;
    texts.TypVety = decoder.Text(Layout::TypVety);
    values.Datum = decoder.Date(Layout::Datum);
    texts.CisloPojistence = decoder.Text(Layout::CisloPojistence);
    values.Pocet = decoder.Integer(Layout::Pocet);
    if (withDiagnosis) {
        decoder.CheckDecimal(Layout::CheckedDecimal);
        texts.Diagnoza = decoder.Text(Layout::Diagnoza);
    }
    texts.Kod = document.KodPolozky;
    values.SetDruh("D");
    if (withDiagnosis)
        KontrolaDiagnozy(texts.Diagnoza);
}

// A code of at most two characters is a transport item.
void DecodeItem37Procedure(const TRecordLine& line, const TDoklad& document, TItemTexts& texts, TItemValues& values) {
    namespace Layout = layout::Item37Procedure;
    const TRecordDecoder decoder(line);
    RequireItemLength(decoder, Layout::Lengths, Layout::LengthLabel, document.TypDokladu);
    const bool longForm = line.Length() == Layout::LongLength;
    texts.TypVety = decoder.Text(Layout::TypVety);
    texts.Kod = decoder.Text(Layout::Kod);
    values.Pocet = decoder.Integer(Layout::Pocet);
    decoder.CheckInteger(longForm ? Layout::LongCheckedInteger : Layout::CheckedInteger);
    values.Datum = document.DatumUdalosti;
    values.SetDruh(CharacterCount(texts.Kod) <= 2 ? std::string_view("D") : texts.TypVety);
}

void DecodeItem37Drug(const TRecordLine& line, const TDoklad& document, TItemTexts& texts, TItemValues& values) {
    namespace Layout = layout::Item37Drug;
    const TRecordDecoder decoder(line);
    RequireItemLength(decoder, Layout::Lengths, Layout::LengthLabel, document.TypDokladu);
    texts.TypVety = decoder.Text(Layout::TypVety);
    values.SkupinaLeku = decoder.Text(Layout::SkupinaLeku);
    texts.Kod = decoder.Text(Layout::Kod);
    decoder.CheckDecimal(Layout::CheckedDecimal1);
    decoder.CheckDecimal(Layout::CheckedDecimal2);
    values.Datum = document.DatumUdalosti;
    KontrolaSkupinyLeku(values.SkupinaLeku);
    values.SetDruh(texts.TypVety, values.SkupinaLeku);
}

// The document's one person is the one of its record.
bool HasItsPerson(const TDokladImp& doklad) {
    return doklad.Osoby.size() == 1 &&
           TDokladImp::SameText(doklad.Osoby[0]->CisloPojistence, doklad.Doklad.CisloPojistence);
}

void Store(const TItemTexts& texts, const TItemValues& values, TDokladImp& doklad, size_t person) {
    TDokladPolozka& record = doklad.ScratchItem;
    record.Vycisti();
    record.Druh = values.Druh();
    record.TypVety = texts.TypVety;
    record.Datum = values.Datum;
    record.Kod = texts.Kod;
    record.Pocet = values.Pocet;
    record.Odbornost = texts.Odbornost;
    record.Diagnoza = texts.Diagnoza;
    record.Lokalizace1 = values.Lokalizace1;
    record.Lokalizace2 = values.Lokalizace2;
    record.SkupinaLeku = values.SkupinaLeku;
    doklad.Osoby[person]->PridejPolozku(record);
}

// The checks of an item, with the document's facts either known (context) or looked up here in the order in which
// they can fail.
void CheckItem(const TRecordLine& line, TDokladImp& doklad, const TItemContext* context, bool kontrolaModulo) {
    using T = TDocumentType;
    const TDoklad& document = doklad.Doklad;
    const std::string& typDokladu = document.TypDokladu;
    const TDocumentType type = context ? context->Type : DocumentTypeOf(typDokladu);

    const std::string_view allowed = AllowedLetters(type);
    const std::string_view letter = line.First();
    if (!IsAllowedLetter(letter, allowed))
        RaiseInvalidValue(line.Text(), std::string("Věta typu ") + std::string(allowed));
    const bool drug = letter[0] == 'L';

    const TDate periodEnd = context ? context->PeriodEnd : doklad.KonecObdobi();
    TItemTexts texts;
    TItemValues values;
    switch (type) {
    case T::Type01:
    case T::Type01s:
        DecodeItem01(line, document, type == T::Type01s, texts, values);
        break;
    case T::Type02:
    case T::Type02s:
        DecodeItem02(line, document, type == T::Type02s, texts, values);
        break;
    case T::Type03:
    case T::Type03s:
        DecodeItem03(line, document, type == T::Type03s, texts, values);
        break;
    case T::Type05:
        DecodeItem05(line, document, texts, values);
        break;
    case T::Type06:
        DecodeItem06(line, document, texts, values);
        break;
    case T::Type34:
        DecodeItem34(line, document, texts, values);
        break;
    case T::Type36:
        DecodeItem36(line, document, texts, values);
        break;
    case T::Type37:
        if (drug)
            DecodeItem37Drug(line, document, texts, values);
        else
            DecodeItem37Procedure(line, document, texts, values);
        break;
    case T::None: // an open document always has one of the types above
        RaiseInvalidValue(typDokladu, "Typ dokladu");
    }

    if (type == T::Type01s || type == T::Type02s || type == T::Type03s) {
        KontrolaLokalizace(values.Lokalizace1);
        KontrolaLokalizace(values.Lokalizace2);
    }
    if ((type == T::Type01 || type == T::Type01s) && texts.Diagnoza.empty())
        texts.Diagnoza = document.Diagnoza;
    if (TrimControls(texts.Kod).empty())
        RaiseInvalidValue(texts.Kod, "Kód položky");
    if (drug && !HasSevenCharacters(texts.Kod))
        RaiseInvalidValue(texts.Kod, "Kód léku");
    if (values.Pocet == 0 && values.Druh() == "V" && texts.Kod != "00881")
        values.Pocet = 1;
    if ((type == T::Type02 || type == T::Type02s) &&
        (values.Datum < document.DatumPrijeti || values.Datum > document.DatumPropusteni))
        RaiseInvalidValue(TFormatSettings::Current().FormatDate(values.Datum), "Datum hospitalizačního výkonu");
    if (values.Datum > periodEnd)
        RaiseInvalidValue(TFormatSettings::Current().FormatDate(values.Datum), "Datum výkonu (mimo období dávky)");

    int person = 0;
    if (type == T::Type05 || type == T::Type36) {
        CheckInsuranceNumber(texts.CisloPojistence, kontrolaModulo);
        person = doklad.NajdiOsobu(texts.CisloPojistence);
        if (person < 0)
            person = doklad.PridejOsobu(texts.CisloPojistence);
    } else if (!(context && context->HasItsPerson) && !HasItsPerson(doklad)) {
        throw ESubroutineError("Interní chyba: Nelze nalézt objekt poj. osoby");
    }
    if (doklad.StoreItems)
        Store(texts, values, doklad, static_cast<size_t>(person));
}

// The number of Diagnozy slots that records "G" may fill, 0 for a type without them.
size_t UsableDiagnosisSlots(TDocumentType type) {
    switch (type) {
    case TDocumentType::Type34:
        return 2;
    case TDocumentType::Type02:
    case TDocumentType::Type02s:
        return 6;
    case TDocumentType::Type01:
    case TDocumentType::Type01s:
    case TDocumentType::Type06:
    case TDocumentType::Type37:
        return 4;
    default:
        return 0;
    }
}

} // namespace

void KontrolaPolozky(std::string_view line, TDokladImp& doklad, bool kontrolaModulo) {
    CheckItem(TRecordLine(line), doklad, nullptr, kontrolaModulo);
}

void KontrolaPolozky(const TRecordLine& line, TDokladImp& doklad, bool kontrolaModulo) {
    CheckItem(line, doklad, nullptr, kontrolaModulo);
}

TItemContext ItemContextOf(TDokladImp& doklad) {
    TItemContext context;
    context.Type = DocumentTypeOf(doklad.Doklad.TypDokladu);
    context.PeriodEnd = doklad.KonecObdobi();
    context.HasItsPerson = HasItsPerson(doklad);
    return context;
}

void KontrolaPolozky(const TRecordLine& line, TDokladImp& doklad, const TItemContext& context, bool kontrolaModulo) {
    CheckItem(line, doklad, &context, kontrolaModulo);
}

void KontrolaVetyG(std::string_view line, TDokladImp& doklad) {
    KontrolaVetyG(TRecordLine(line), doklad);
}

void KontrolaVetyG(const TRecordLine& line, TDokladImp& doklad) {
    namespace Layout = layout::DiagnosisG;
    TDoklad& document = doklad.Doklad;
    const size_t slots = UsableDiagnosisSlots(DocumentTypeOf(document.TypDokladu));
    if (slots == 0)
        RaiseInvalidValue(document.TypDokladu, "Typ dokladu diagnozy");
    const TRecordDecoder decoder(line);
    decoder.RequireLength(Layout::Lengths, Layout::LengthLabel);
    std::string_view diagnoza = decoder.Text(Layout::Diagnoza);
    KontrolaDiagnozy(diagnoza);
    for (size_t i = 0; i < slots; ++i) {
        if (document.Diagnozy[i].empty()) {
            document.Diagnozy[i] = diagnoza;
            return;
        }
    }
}

} // namespace ndlemo
