#include "invoice/TransferDescription.h"

#include "platform/Platform.h"
#include "support/TClock.h"
#include "support/TFormatSettings.h"
#include "support/TextRules.h"
#include "support/Utilities.h"
#include "transfer/ScpCommandLines.h"

#include <charconv>

namespace ndlemo {

namespace {
// Control characters (C0, DEL and C1) would break the line structure or the receiving side's parser.
std::string WithoutControls(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const auto b = static_cast<unsigned char>(value[i]);
        if (b < 0x20 || b == 0x7F) {
            out += ' ';
        } else if (b == 0xC2 && i + 1 < value.size() && static_cast<unsigned char>(value[i + 1]) >= 0x80 &&
                   static_cast<unsigned char>(value[i + 1]) <= 0x9F) {
            out += ' ';
            ++i;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::string Amount(double value) {
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    std::string text = ec == std::errc() ? std::string(buffer, end) : std::string("0.00");
    if (text == "-0.00")
        text = "0.00";
    return text;
}

std::string DateText(TDate date) {
    return TFormatSettings::Current().FormatDate(date);
}

std::string DateTimeText(TDateTime at) {
    if (at.IsNull())
        return {};
    int hour, minute, second, msec;
    at.DecodeTime(hour, minute, second, msec);
    return DateText(at.Date()) + " " + ZeroPadInt(hour, 2) + TFormatSettings::Current().TimeSeparator +
           ZeroPadInt(minute, 2);
}

class TDescriptionWriter {
public:
    explicit TDescriptionWriter(std::vector<std::string>& lines) : m_Lines(lines) { m_Lines.clear(); }

    void Section(std::string_view name) {
        if (!m_Lines.empty())
            m_Lines.emplace_back();
        m_Lines.push_back("[" + std::string(name) + "]");
    }
    void Quoted(std::string_view key, std::string_view value) {
        m_Lines.push_back(std::string(key) + "=" + ndlemo::Quoted(WithoutControls(value)));
    }
    void Bare(std::string_view key, std::string_view value) {
        m_Lines.push_back(std::string(key) + "=" + WithoutControls(value));
    }

    void General() {
        Section("General");
        Quoted("verze", platform::ProductVersion());
    }
    void Files(const TLemoPrij& prij, bool withBatches) {
        Bare("Pocet_souboru", std::to_string(prij.Soubory.size()));
        for (size_t n = 0; n < prij.Soubory.size(); ++n) {
            const TLemoSoubor& file = *prij.Soubory[n];
            Section("Soubor" + ZeroPadInt(static_cast<int64_t>(n + 1), 3));
            Quoted("Zdroj", file.Zdroj);
            Bare("Velikost", std::to_string(file.Velikost));
            Quoted("Datum_zdroje", DateTimeText(file.DatumZdroje));
            if (!withBatches)
                continue;
            Bare("Pocet_davek", std::to_string(file.Davky.size()));
            for (size_t m = 0; m < file.Davky.size(); ++m) {
                const TDavka& d = file.Davky[m]->Davka;
                Quoted("Davka" + ZeroPadInt(static_cast<int64_t>(m + 1), 3),
                       std::to_string(d.Cislo) + "," + TrimWhitespace(d.Rok) + "," + TrimWhitespace(d.Mesic) + "," +
                           std::to_string(d.Celkem) + "," + Amount(d.Castka));
            }
        }
    }
    void User(const std::string& userName, const std::string& pracoviste) {
        Section("Uzivatel");
        Quoted("Jmeno", userName);
        Quoted("Pracoviste", pracoviste);
        Quoted("Datum", DateTimeText(TClock::Now()));
    }

private:
    std::vector<std::string>& m_Lines;
};
} // namespace

void WriteInvoiceDescription(const TLemoPrij& prij, std::vector<std::string>& lines, const std::string& userName,
                             const std::string& pracoviste) {
    TDescriptionWriter w(lines);
    w.General();
    w.Section("Faktura");
    w.Quoted("ICZ", prij.ICZ);
    w.Quoted("ICO", prij.ICO);
    w.Quoted("Cislo_faktury", prij.CisloFaktury);
    w.Quoted("Rok_faktury", prij.RokFaktury);
    w.Quoted("Datum_vystaveni", DateText(prij.DatumVystaveni));
    w.Quoted("Datum_odeslani", DateText(prij.DatumOdeslani));
    w.Quoted("Datum_prijeti", DateText(prij.DatumPrijeti));
    w.Quoted("Datum_splatnosti", DateText(prij.DatumSplatnosti));
    w.Bare("Castka", Amount(prij.Castka));
    w.Quoted("Cislo_uctu", prij.CisloUctu);
    w.Quoted("Kod_banky", prij.KodBanky);
    w.Quoted("Var_symbol", prij.VarSymbol);
    w.Quoted("Popis", prij.Popis);
    w.Quoted("Poznamka", prij.Poznamka);
    w.Quoted("Generovat", prij.Generovat ? "A" : "N");
    w.Quoted("Odb_ICO", prij.OdbICO);
    w.Quoted("Odb_Nazev", prij.OdbNazev);
    w.Quoted("Odb_Ulice", prij.OdbUlice);
    w.Quoted("Odb_Psc", prij.OdbPsc);
    w.Quoted("Odb_Obec", prij.OdbObec);
    w.Quoted("Dod_Nazev", prij.DodNazev);
    w.Quoted("Dod_Ulice", prij.DodUlice);
    w.Quoted("Dod_Psc", prij.DodPsc);
    w.Quoted("Dod_Obec", prij.DodObec);
    w.Files(prij, true);
    w.User(userName, pracoviste);
}

void WriteReportsDescription(const TLemoPrij& prij, std::vector<std::string>& lines, const std::string& userName,
                             const std::string& pracoviste) {
    TDescriptionWriter w(lines);
    w.General();
    w.Section("Lekarske_zpravy");
    w.Quoted("ICZ", prij.ICZ);
    w.Quoted("ICO", prij.ICO);
    w.Quoted("Poznamka", prij.Poznamka);
    w.Quoted("IdPrenosu", prij.IdPrenosu);
    w.Files(prij, false);
    w.User(userName, pracoviste);
}

} // namespace ndlemo
