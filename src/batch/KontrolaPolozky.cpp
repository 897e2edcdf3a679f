#include "batch/KontrolaPolozky.h"

#include "batch/FieldChecks.h"
#include "batch/TDocumentType.h"
#include "batch/TRecordDecoder.h"
#include "support/TFormatSettings.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace ndlemo {

namespace {

using Delky = std::initializer_list<size_t>;

// The decoded item as slices of its line (or of the document); the record is filled only when it is stored.
// Two halves of at most 64 bytes each, which the compiler clears with a few vector stores.
struct TTexty {
    std::string_view TypVety;
    std::string_view Kod;
    std::string_view Odbornost;
    std::string_view Diagnoza;
};

struct THodnoty {
    std::string_view Lokalizace1;
    std::string_view Lokalizace2;
    std::string_view SkupinaLeku;
    TDate Datum;
    int32_t Pocet = 0;

    void SetDruh(std::string_view a, std::string_view b = {}) {
        m_DruhLength = 0;
        AppendDruh(a);
        AppendDruh(b);
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

// Characters of a short UTF-8 slice; in line, as every item asks for one.
size_t PocetZnaku(std::string_view text) {
    size_t n = 0;
    for (char c : text)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

// A drug code has seven characters; the usual seven ASCII bytes are seen in two overlapping words.
bool MaSedmZnaku(std::string_view kod) {
    if (kod.size() == 7) {
        uint32_t first = 0;
        uint32_t last = 0;
        std::memcpy(&first, kod.data(), 4);
        std::memcpy(&last, kod.data() + 3, 4);
        if (((first | last) & 0x80808080u) == 0)
            return true;
    }
    return kod.size() > 7 && PocetZnaku(kod) == 7;
}

// Out of line: the label is built only when the length is wrong.
[[noreturn]] void ChybnaDelkaPolozky(bool lek, const std::string& typ) {
    TRecordDecoder::RaiseWrongLength(std::string(lek ? "léku dokladu " : "výkonu dokladu ") + typ);
}

// The document's one person is the one of its record.
bool MaSvouOsobu(const TDokladImp& doklad) {
    return doklad.Osoby.size() == 1 &&
           TDokladImp::SameText(doklad.Osoby[0]->CisloPojistence, doklad.Doklad.CisloPojistence);
}

// The checks of an item, with the document's facts either known (dokladu) or looked up here in the order in which
// they can fail.
void Kontrola(const TRecordLine& v, TDokladImp& doklad, const TItemContext* dokladu, bool kontrolaModulo) {
    const TDoklad& d = doklad.Doklad;
    const std::string& typ = d.TypDokladu;
    const TDocumentType kod = dokladu ? dokladu->Type : DocumentTypeOf(typ);
    using T = TDocumentType;
    std::string_view pismeno = v.First();

    std::string_view povolene = "V";
    if (kod == T::Type03 || kod == T::Type03s)
        povolene = "L";
    else if (kod == T::Type37)
        povolene = "VL";
    bool povoleno =
        pismeno.size() == 1 && (pismeno[0] == povolene[0] || (povolene.size() > 1 && pismeno[0] == povolene[1]));
    if (!povoleno)
        RaiseInvalidValue(v.Text(), std::string("Věta typu ") + std::string(povolene));
    bool lek = pismeno[0] == 'L';

    TDate konec = dokladu ? dokladu->PeriodEnd : doklad.KonecObdobi();
    TTexty p;
    THodnoty q;
    TRecordDecoder dek(v);
    auto delka = [&](Delky delky) {
        if (!dek.HasLength(delky))
            ChybnaDelkaPolozky(lek, typ);
    };
    // Types 05 and 36 carry the insurance number of the item's person in columns 10-19.
    std::string_view cisloOsoby;

    if (kod == T::Type01 || kod == T::Type01s) {
        bool s = kod == T::Type01s;
        delka(s ? Delky{33, 35} : Delky{29, 31});
        bool dlouha = v.Length() == 31 || v.Length() == 35;
        p.TypVety = dek.Text(1, 1);
        q.Datum = dek.Date(2, 8);
        p.Kod = dek.Text(10, 5);
        q.Pocet = dek.Integer(15, 1);
        p.Odbornost = dek.Text(16, 3);
        p.Diagnoza = dek.Text(19, 5);
        dek.CheckInteger(24, dlouha ? 7 : 5);
        if (s) {
            size_t col = dlouha ? 31 : 29;
            q.Lokalizace1 = dek.Text(col, 1);
            q.Lokalizace2 = dek.Text(col + 1, 1);
        }
        q.SetDruh(p.TypVety);
        if (!p.Odbornost.empty())
            KontrolaOdbornosti(p.Odbornost);
        if (!p.Diagnoza.empty())
            KontrolaDiagnozy(p.Diagnoza);
    } else if (kod == T::Type02 || kod == T::Type02s) {
        bool s = kod == T::Type02s;
        delka(s ? Delky{29, 31} : Delky{25, 27});
        bool dlouha = v.Length() == 27 || v.Length() == 31;
        p.TypVety = dek.Text(1, 1);
        q.Datum = dek.Date(2, 8);
        p.Kod = dek.Text(10, 5);
        p.Odbornost = dek.Text(15, 3);
        q.Pocet = dek.Integer(18, 2);
        dek.CheckInteger(20, dlouha ? 7 : 5);
        if (s) {
            size_t col = dlouha ? 27 : 25;
            q.Lokalizace1 = dek.Text(col, 1);
            q.Lokalizace2 = dek.Text(col + 1, 1);
        }
        q.SetDruh(p.TypVety);
        if (!p.Odbornost.empty())
            KontrolaOdbornosti(p.Odbornost);
    } else if (kod == T::Type03 || kod == T::Type03s) {
        bool s = kod == T::Type03s;
        delka(s ? Delky{44} : Delky{40, 45});
        p.TypVety = dek.Text(1, 1);
        q.Datum = dek.Date(2, 8);
        q.SkupinaLeku = dek.Text(10, 1);
        p.Kod = dek.Text(12, 7);
        dek.CheckDecimal(19, 11);
        dek.CheckDecimal(30, 10);
        bool sDiagnozou = !s && v.Length() == 45;
        if (sDiagnozou)
            p.Diagnoza = dek.Text(40, 5);
        if (s) {
            q.Lokalizace1 = dek.Text(40, 1);
            q.Lokalizace2 = dek.Text(41, 1);
        }
        if (sDiagnozou && !p.Diagnoza.empty())
            KontrolaDiagnozy(p.Diagnoza);
        KontrolaSkupinyLeku(q.SkupinaLeku);
        q.SetDruh(p.TypVety, q.SkupinaLeku);
    } else if (kod == T::Type05) {
        delka(Delky{30});
        p.TypVety = dek.Text(1, 1);
        q.Datum = dek.Date(2, 8);
        cisloOsoby = dek.Text(10, 10);
        p.Kod = dek.Text(20, 5);
        p.Diagnoza = dek.Text(25, 5);
        q.SetDruh(p.TypVety);
        KontrolaDiagnozy(p.Diagnoza);
    } else if (kod == T::Type06) {
        delka(Delky{16});
        p.TypVety = dek.Text(1, 1);
        q.Datum = dek.Date(2, 8);
        p.Kod = dek.Text(10, 5);
        q.Pocet = dek.Integer(15, 1);
        q.SetDruh(p.TypVety);
    } else if (kod == T::Type34) {
        delka(Delky{16});
        p.TypVety = dek.Text(1, 1);
        p.Kod = dek.Text(2, 5);
        q.Pocet = dek.Integer(7, 4);
        dek.CheckInteger(11, 5);
        q.Datum = d.DatumUdalosti;
        q.SetDruh("D");
    } else if (kod == T::Type36) {
        delka(Delky{68, 122, 177});
        p.TypVety = dek.Text(1, 1);
        q.Datum = dek.Date(2, 8);
        cisloOsoby = dek.Text(10, 10);
        q.Pocet = dek.Integer(20, 4);
        bool sDiagnozou = v.Length() != 177;
        if (sDiagnozou) {
            dek.CheckDecimal(24, 9);
            p.Diagnoza = dek.Text(33, 5);
        }
        p.Kod = d.KodPolozky;
        q.SetDruh("D");
        if (sDiagnozou)
            KontrolaDiagnozy(p.Diagnoza);
    } else if (kod == T::Type37 && !lek) {
        delka(Delky{15, 17});
        p.TypVety = dek.Text(1, 1);
        p.Kod = dek.Text(2, 5);
        q.Pocet = dek.Integer(7, 3);
        dek.CheckInteger(10, v.Length() == 17 ? 7 : 5);
        q.Datum = d.DatumUdalosti;
        q.SetDruh(PocetZnaku(p.Kod) <= 2 ? std::string_view("D") : p.TypVety);
    } else if (kod == T::Type37) {
        delka(Delky{27});
        p.TypVety = dek.Text(1, 1);
        q.SkupinaLeku = dek.Text(2, 1);
        p.Kod = dek.Text(3, 7);
        dek.CheckDecimal(10, 7);
        dek.CheckDecimal(17, 10);
        q.Datum = d.DatumUdalosti;
        KontrolaSkupinyLeku(q.SkupinaLeku);
        q.SetDruh(p.TypVety, q.SkupinaLeku);
    } else {
        // An open document always has one of the types above.
        RaiseInvalidValue(typ, "Typ dokladu");
    }

    if (kod == T::Type01s || kod == T::Type02s || kod == T::Type03s) {
        KontrolaLokalizace(q.Lokalizace1);
        KontrolaLokalizace(q.Lokalizace2);
    }
    if ((kod == T::Type01 || kod == T::Type01s) && p.Diagnoza.empty())
        p.Diagnoza = d.Diagnoza;
    if (TrimSlice(p.Kod).empty())
        RaiseInvalidValue(p.Kod, "Kód položky");
    if (lek && !MaSedmZnaku(p.Kod))
        RaiseInvalidValue(p.Kod, "Kód léku");
    if (q.Pocet == 0 && q.Druh() == "V" && p.Kod != "00881")
        q.Pocet = 1;
    if ((kod == T::Type02 || kod == T::Type02s) && (q.Datum < d.DatumPrijeti || q.Datum > d.DatumPropusteni))
        RaiseInvalidValue(TFormatSettings::Current().FormatDate(q.Datum), "Datum hospitalizačního výkonu");
    if (q.Datum > konec)
        RaiseInvalidValue(TFormatSettings::Current().FormatDate(q.Datum), "Datum výkonu (mimo období dávky)");

    int index = -1;
    if (kod == T::Type05 || kod == T::Type36) {
        CheckInsuranceNumber(cisloOsoby, kontrolaModulo);
        index = doklad.NajdiOsobu(cisloOsoby);
        if (index < 0)
            index = doklad.PridejOsobu(cisloOsoby);
    } else {
        if (!(dokladu && dokladu->HasItsPerson) && !MaSvouOsobu(doklad))
            throw ESubroutineError("Interní chyba: Nelze nalézt objekt poj. osoby");
        index = 0;
    }
    if (doklad.StoreItems) {
        TDokladPolozka& r = doklad.ScratchItem;
        r.Vycisti();
        r.Druh = q.Druh();
        r.TypVety = p.TypVety;
        r.Datum = q.Datum;
        r.Kod = p.Kod;
        r.Pocet = q.Pocet;
        r.Odbornost = p.Odbornost;
        r.Diagnoza = p.Diagnoza;
        r.Lokalizace1 = q.Lokalizace1;
        r.Lokalizace2 = q.Lokalizace2;
        r.SkupinaLeku = q.SkupinaLeku;
        doklad.Osoby[static_cast<size_t>(index)]->PridejPolozku(r);
    }
}

} // namespace

void KontrolaPolozky(std::string_view veta, TDokladImp& doklad, bool kontrolaModulo) {
    Kontrola(TRecordLine(veta), doklad, nullptr, kontrolaModulo);
}

void KontrolaPolozky(const TRecordLine& veta, TDokladImp& doklad, bool kontrolaModulo) {
    Kontrola(veta, doklad, nullptr, kontrolaModulo);
}

TItemContext ItemContextOf(TDokladImp& doklad) {
    TItemContext p;
    p.Type = DocumentTypeOf(doklad.Doklad.TypDokladu);
    p.PeriodEnd = doklad.KonecObdobi();
    p.HasItsPerson = MaSvouOsobu(doklad);
    return p;
}

void KontrolaPolozky(const TRecordLine& veta, TDokladImp& doklad, const TItemContext& dokladu, bool kontrolaModulo) {
    Kontrola(veta, doklad, &dokladu, kontrolaModulo);
}

void KontrolaVetyG(std::string_view veta, TDokladImp& doklad) {
    KontrolaVetyG(TRecordLine(veta), doklad);
}

void KontrolaVetyG(const TRecordLine& v, TDokladImp& doklad) {
    TDoklad& d = doklad.Doklad;
    const std::string& typ = d.TypDokladu;
    size_t sloty = 0;
    switch (DocumentTypeOf(typ)) {
    case TDocumentType::Type34:
        sloty = 2;
        break;
    case TDocumentType::Type02:
    case TDocumentType::Type02s:
        sloty = 6;
        break;
    case TDocumentType::Type01:
    case TDocumentType::Type01s:
    case TDocumentType::Type06:
    case TDocumentType::Type37:
        sloty = 4;
        break;
    default:
        break;
    }
    if (sloty == 0)
        RaiseInvalidValue(typ, "Typ dokladu diagnozy");
    TRecordDecoder dek(v);
    dek.RequireLength({7}, "G");
    std::string_view diagnoza = dek.Text(2, 5);
    KontrolaDiagnozy(diagnoza);
    for (size_t i = 0; i < sloty; ++i) {
        if (d.Diagnozy[i].empty()) {
            d.Diagnozy[i] = diagnoza;
            return;
        }
    }
}

} // namespace ndlemo
