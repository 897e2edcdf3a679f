#include "batch/TLemoSoubor.h"

#include "batch/EConvertError.h"
#include "batch/FieldChecks.h"
#include "batch/KontrolaDokladu.h"
#include "batch/KontrolaPolozky.h"
#include "batch/RecordLayouts.h"
#include "batch/TBatchCharTable.h"
#include "batch/TBatchLineReader.h"
#include "batch/TDokladImp.h"
#include "batch/TRecordDecoder.h"
#include "support/ESubroutineError.h"
#include "support/FormatText.h"

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <vector>

namespace ndlemo {

namespace {

void AppendNumber(std::string& out, int32_t value) {
    char buf[16];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, end);
}

bool AllowedBatchType(std::string_view typ) {
    // Compared regardless of case.
    static constexpr std::array<std::string_view, 9> Types = {"05", "34", "36", "37", "81", "82", "90", "98", "99"};
    for (std::string_view t : Types) {
        if (t.size() == typ.size() && std::equal(t.begin(), t.end(), typ.begin(), [](char a, char b) {
                return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
            }))
            return true;
    }
    return false;
}

// The batch header record "D" and its own checks.
void DecodeBatchHeader(const TRecordLine& line, TDavka& davka) {
    namespace Layout = layout::BatchHeader;
    const TRecordDecoder decoder(line);
    decoder.RequireLength(Layout::Lengths, Layout::LengthLabel);
    davka.Charakter = decoder.Text(Layout::Charakter);
    davka.Typ = decoder.Text(Layout::Typ);
    davka.ICZ = decoder.Text(Layout::ICZ);
    davka.Pobocka = decoder.Text(Layout::Pobocka);
    davka.Rok = decoder.Text(Layout::Rok);
    davka.Mesic = decoder.Text(Layout::Mesic);
    davka.Cislo = decoder.Integer(Layout::Cislo);
    davka.PocetDokladu = decoder.Integer(Layout::PocetDokladu);
    davka.Celkem = decoder.Integer(Layout::Celkem);
    davka.Castka = decoder.Decimal(Layout::Castka);
    davka.Priznak = decoder.Text(Layout::Priznak);
    if (line.Length() == Layout::LongLength) {
        davka.Doplnek1 = decoder.Text(Layout::Doplnek1);
        davka.Doplnek2 = decoder.Text(Layout::Doplnek2);
    }
    KontrolaCharakteru(davka.Charakter);
    (void)TextNaDatum("01" + davka.Mesic + davka.Rok);
}

// The state of one reading of a file.
class TReading {
public:
    TReading(TLemoSoubor& soubor, TKeyRegister& batchKeys, TKeyRegister& docKeys, std::string_view icz)
        : m_Soubor(soubor), m_BatchKeys(batchKeys), m_DocKeys(docKeys), m_Icz(icz) {
        m_Doklad.StoreItems = false;
        m_Doklad.Vycisti();
    }

    void Run(TBatchLineReader& reader) {
        if (reader.AtEnd())
            throw ESubroutineError("Soubor \"%s\" je prázdný", m_Soubor.JmenoSouboru);
        const TBatchCharTable& table = TBatchCharTable::Instance();
        std::string_view raw;
        while (reader.Next(raw)) {
            ++m_Radek;
            if (raw.empty())
                continue;
            size_t high = TRecordLine::FirstHigh(raw);
            try {
                if (table.BytesAreColumns()) {
                    // The usual case: the line is converted only if a check needs one of its non-ASCII slices.
                    HandleLine(TRecordLine(raw, high, table, m_Utf8));
                } else {
                    std::string_view line = raw;
                    if (high != TRecordLine::NoHigh || !table.AsciiUnchanged()) {
                        line = table.Convert(raw, table.AsciiUnchanged() ? high : 0, m_Utf8);
                        if (!table.AsciiUnchanged())
                            high = TRecordLine::FirstHigh(line);
                    }
                    HandleLine(TRecordLine(line, high));
                }
            } catch (const ESubroutineError& e) {
                AddError(e.what());
            } catch (const EConvertError& e) {
                AddError(e.what());
            }
        }
        if (m_Soubor.Davky.empty())
            throw ESubroutineError("Nejsou přiřazeny žádné soubory");
        CheckCount();
    }

private:
    void AddError(std::string_view message) {
        std::string text = "Řádek ";
        AppendNumber(text, m_Radek);
        text += ": ";
        text += message;
        m_Soubor.Chyby.push_back(std::move(text));
    }

    // The declared number of documents of the open batch against those seen.
    void CheckCount() {
        if (!m_DavkaOtevrena)
            return;
        const TDavka& h = m_Soubor.Davky.back()->Davka;
        if (h.PocetDokladu != m_PocetDokladu)
            AddError(FormatText("Chybný počet dokladů v dávce %d", h.Cislo));
    }

    void HandleLine(const TRecordLine& line) {
        switch (line.FirstByte()) {
        case 'D':
            BatchHeader(line);
            break;
        case 'A':
        case 'H':
        case 'Z':
        case 'P':
        case 'E':
        case 'T':
        case 'J':
        case 'W':
            Document(line);
            break;
        case 'V':
        case 'L':
            if (m_Doklad.Aktivni)
                KontrolaPolozky(line, m_Doklad, m_ItemContext, m_Soubor.KontrolaModulo);
            break;
        case 'G':
            if (m_Doklad.Aktivni)
                KontrolaVetyG(line, m_Doklad);
            break;
        case 'N':
        case 'K':
            break;
        default:
            throw ESubroutineError("Chybný typ věty \"%s\"", line.First());
        }
    }

    void BatchHeader(const TRecordLine& line) {
        CheckCount();
        m_DavkaOtevrena = false;
        m_PocetDokladu = 0;
        m_PosledniPoradi = 0;
        m_Doklad.Vycisti();

        m_Soubor.Davky.push_back(std::make_unique<TPrijDavka>());
        TDavka& h = m_Soubor.Davky.back()->Davka;
        h.Vycisti();
        DecodeBatchHeader(line, h);
        m_DavkaOtevrena = true;

        if (!AllowedBatchType(h.Typ))
            AddError(FormatText("Nepřípustná hodnota \"%s\" pro \"%s\"", h.Typ, "Typ dávky"));
        if (h.ICZ != m_Icz)
            AddError(FormatText("Nepřípustná hodnota \"%s\" pro \"%s\"", h.ICZ, "IČZ"));
        if (m_BatchKeys.Add(h.Rok, h.Cislo))
            AddError(FormatText("Číslo dávky %d období \"%s\" již existuje", h.Cislo, h.Rok));
    }

    void Document(const TRecordLine& line) {
        if (!m_DavkaOtevrena) {
            m_Doklad.Vycisti();
            throw ESubroutineError("Není přiřazena dávka");
        }
        ++m_PocetDokladu;
        const TDavka& h = m_Soubor.Davky.back()->Davka;
        // The check clears the document first.
        KontrolaDokladu(line, h, m_Doklad, m_Soubor.KontrolaModulo);
        if (!m_Doklad.Aktivni)
            return;
        // Nothing changes the open document until the next document record.
        m_ItemContext = ItemContextOf(m_Doklad);
        const TDoklad& d = m_Doklad.Doklad;
        if (d.Poradi <= m_PosledniPoradi)
            AddError("Chybné pořadí dokladů v dávce");
        m_PosledniPoradi = d.Poradi;
        if (m_DocKeys.Add(h.Rok, d.Cislo))
            AddError(FormatText("Číslo dokladu %d období \"%s\" již existuje", d.Cislo, h.Rok));
    }

    TLemoSoubor& m_Soubor;
    TKeyRegister& m_BatchKeys;
    TKeyRegister& m_DocKeys;
    std::string_view m_Icz;
    TDokladImp m_Doklad;
    TItemContext m_ItemContext;
    int32_t m_Radek = 0;
    bool m_DavkaOtevrena = false;
    int32_t m_PocetDokladu = 0;
    int32_t m_PosledniPoradi = 0;
    std::vector<char> m_Utf8;
};

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

void TLemoSoubor::Vycisti() {
    JmenoSouboru.clear();
    Velikost = 0;
    Zdroj.clear();
    DatumZdroje = TDateTime();
    while (!Davky.empty())
        Davky.pop_back();
    Chyby.clear();
}

void TLemoSoubor::Nacti(TKeyRegister& batchKeys, TKeyRegister& docKeys, std::string_view icz) {
    std::error_code ec;
    std::filesystem::path path(JmenoSouboru);
    if (JmenoSouboru.empty() || !std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec))
        throw ESubroutineError("Soubor \"%s\" neexistuje", JmenoSouboru);
    std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(JmenoSouboru.c_str(), "rb"));
    if (!file)
        throw ESubroutineError("Při otevírání vstupního souboru \"%s\" došlo k chybě: %s", JmenoSouboru,
                               std::strerror(errno));
    TBatchLineReader reader(file.get());
    TReading(*this, batchKeys, docKeys, icz).Run(reader);
}

void TLemoSoubor::NactiObsah(std::string_view obsah, TKeyRegister& batchKeys, TKeyRegister& docKeys,
                             std::string_view icz) {
    TBatchLineReader reader(obsah);
    TReading(*this, batchKeys, docKeys, icz).Run(reader);
}

} // namespace ndlemo
