#include "batch/FieldChecks.h"

#include "batch/Conversions.h"
#include "support/ESubroutineError.h"
#include "support/TextCodec.h"
#include "support/Utilities.h"

#include <array>
#include <cstdint>

namespace ndlemo {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsCapital(char c) {
    return c >= 'A' && c <= 'Z';
}

// Byte length of the UTF-8 character that starts with b (1 for a stray byte).
size_t CharBytes(unsigned char b) {
    if (b < 0xC0)
        return 1;
    if (b < 0xE0)
        return 2;
    if (b < 0xF0)
        return 3;
    return 4;
}

const std::string_view Digits = "0123456789";
const std::string_view DigitsLabel = "0 až 9";

} // namespace

void NepripustnaHodnota(std::string_view value, std::string_view label) {
    throw ESubroutineError("Nepřípustná hodnota \"%s\" pro \"%s\"", value, label);
}

TDate KonecObdobi(std::string_view mesic, std::string_view rok) {
    int32_t month = 0;
    int32_t year = 0;
    if (!ZkusTextNaCele(mesic, month) || !ZkusTextNaCele(rok, year))
        throw ESubroutineError("Chybné období dávky \"%s\",\"%s\" (měsíc,rok)", mesic, rok);
    // Checked here, before the narrowing to the routine's 16-bit arguments could wrap a wild value.
    if (year < 1900 || year > 3000)
        NepripustnaHodnota(std::to_string(year), "Rok");
    if (month < 1 || month > 12)
        NepripustnaHodnota(std::to_string(month), "Měsíc");
    return LastDayOfMonth(static_cast<uint16_t>(year), static_cast<uint16_t>(month));
}

void KontrolaHodnoty(std::string_view hodnota, std::optional<size_t> delka, std::optional<std::string_view> znaky,
                     std::string_view nazev, std::string_view popisZnaku) {
    if (delka) {
        size_t actual = Utf8Length(hodnota);
        if (actual != *delka)
            throw ESubroutineError("Délka hodnoty \"%s\" musí být %d a ne %d", nazev, *delka, actual);
    }
    if (znaky) {
        for (size_t i = 0; i < hodnota.size();) {
            size_t n = CharBytes(static_cast<unsigned char>(hodnota[i]));
            bool allowed = n == 1 ? znaky->find(hodnota[i]) != std::string_view::npos
                                  : znaky->find(hodnota.substr(i, n)) != std::string_view::npos;
            if (!allowed)
                throw ESubroutineError("Hodnota \"%s\" smí obsahovat pouze znaky \"%s\"", nazev, popisZnaku);
            i += n;
        }
    }
}

// The usual valid value passes without the general routine, which then only words the error.
bool AllDigits(std::string_view hodnota, size_t delka) {
    if (hodnota.size() != delka)
        return false;
    for (char c : hodnota) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

void KontrolaICP(std::string_view hodnota) {
    if (!AllDigits(hodnota, 8))
        KontrolaHodnoty(hodnota, 8, Digits, "IČP", DigitsLabel);
}

void KontrolaCislaPojistence(std::string_view hodnota) {
    if (!AllDigits(hodnota, 10))
        KontrolaHodnoty(hodnota, 10, Digits, "Číslo poj.", DigitsLabel);
}

void KontrolaModulo11(std::string_view hodnota) {
    int64_t value = 0;
    bool ok = false;
    if (!hodnota.empty() && hodnota.size() <= 18 && AllDigits(hodnota, hodnota.size())) {
        for (char c : hodnota)
            value = value * 10 + (c - '0');
        ok = true;
    } else {
        ok = ZkusTextNaCele64(hodnota, value);
    }
    if (!ok || value % 11 != 0)
        NepripustnaHodnota(hodnota, "Číslo poj.");
}

void KontrolaOdbornosti(std::string_view hodnota) {
    bool ok = hodnota.size() == 3 && IsDigit(hodnota[0]) && (IsDigit(hodnota[1]) || IsCapital(hodnota[1])) &&
              IsDigit(hodnota[2]);
    if (!ok)
        NepripustnaHodnota(hodnota, "Odbornost");
}

void KontrolaDiagnozy(std::string_view hodnota) {
    bool ok = hodnota.size() >= 3 && hodnota.size() <= 5 && IsCapital(hodnota[0]);
    for (size_t i = 1; ok && i < hodnota.size(); ++i)
        ok = IsDigit(hodnota[i]);
    if (!ok)
        NepripustnaHodnota(hodnota, "Diagnóza");
}

void KontrolaCharakteru(std::string_view hodnota) {
    if (hodnota.size() != 1 || hodnota[0] != 'P')
        KontrolaHodnoty(hodnota, 1, "P", "Char. dávky", "P");
}

void KontrolaKoduPojistovny(std::string_view hodnota) {
    if (OrezText(hodnota).empty())
        NepripustnaHodnota(hodnota, "Kód pojišťovny");
}

void KontrolaLokalizace(std::string_view hodnota) {
    if (hodnota.empty() || (hodnota.size() == 1 && (hodnota[0] == ' ' || IsDigit(hodnota[0]))))
        return;
    KontrolaHodnoty(hodnota, 1, " 0123456789", "Lokalizace", "mez., 0 až 9");
}

void KontrolaSkupinyLeku(std::string_view hodnota) {
    if (hodnota.size() != 1 || hodnota[0] < '1' || hodnota[0] > '4')
        KontrolaHodnoty(hodnota, 1, "1234", "Skupina léku", "1234");
}

std::string_view TypDokladuZVety(std::string_view typDavky, std::string_view pismeno) {
    struct Pair {
        std::string_view Davka;
        char Pismeno;
        std::string_view Doklad;
    };
    static constexpr std::array<Pair, 14> Table = {{
        {"99", 'H', "02"},
        {"99", 'Z', "03"},
        {"98", 'A', "01"},
        {"98", 'Z', "03"},
        {"90", 'E', "06"},
        {"90", 'Z', "03"},
        {"82", 'H', "02s"},
        {"82", 'Z', "03s"},
        {"81", 'A', "01s"},
        {"81", 'Z', "03s"},
        {"37", 'W', "37"},
        {"36", 'J', "36"},
        {"34", 'T', "34"},
        {"05", 'P', "05"},
    }};
    if (pismeno.size() != 1 || typDavky.size() != 2)
        return {};
    for (const Pair& p : Table) {
        if (p.Pismeno == pismeno[0] && p.Davka[0] == typDavky[0] && p.Davka[1] == typDavky[1])
            return p.Doklad;
    }
    return {};
}

std::string SpojAdresu(std::string_view cast1, std::string_view cast2, std::string_view cast3) {
    std::string out;
    for (std::string_view part : {OrezText(cast1), OrezText(cast2)}) {
        if (!part.empty()) {
            out += part;
            out += ", ";
        }
    }
    out += OrezText(cast3);
    std::string result(OrezText(out));
    if (!result.empty() && result.back() == ',')
        result.pop_back();
    return result;
}

} // namespace ndlemo
