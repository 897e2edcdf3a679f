#include "batch/FieldChecks.h"

#include "batch/Conversions.h"
#include "support/ESubroutineError.h"
#include "support/TextCodec.h"
#include "support/Utilities.h"

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

// The usual valid value passes without the general routine, which then only words the error.
bool AllDigits(std::string_view value, size_t length) {
    if (value.size() != length)
        return false;
    for (char c : value) {
        if (!IsDigit(c))
            return false;
    }
    return true;
}

const std::string_view Digits = "0123456789";
const std::string_view DigitsLabel = "0 až 9";

} // namespace

void RaiseInvalidValue(std::string_view value, std::string_view label) {
    throw ESubroutineError("Nepřípustná hodnota \"%s\" pro \"%s\"", value, label);
}

TDate KonecObdobi(std::string_view mesic, std::string_view rok) {
    int32_t month = 0;
    int32_t year = 0;
    if (!TryStrToInt(mesic, month) || !TryStrToInt(rok, year))
        throw ESubroutineError("Chybné období dávky \"%s\",\"%s\" (měsíc,rok)", mesic, rok);
    // Checked here, before the narrowing to the routine's 16-bit arguments could wrap a wild value.
    if (year < 1900 || year > 3000)
        RaiseInvalidValue(std::to_string(year), "Rok");
    if (month < 1 || month > 12)
        RaiseInvalidValue(std::to_string(month), "Měsíc");
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
        ok = TryStrToInt64(hodnota, value);
    }
    if (!ok || value % 11 != 0)
        RaiseInvalidValue(hodnota, "Číslo poj.");
}

void CheckInsuranceNumber(std::string_view hodnota, bool modulo) {
    // The usual valid number, ten digits divisible by eleven, passes in one look; the checks word any error.
    if (hodnota.size() == 10) {
        bool digits = true;
        uint64_t value = 0;
        for (char c : hodnota) {
            auto d = static_cast<unsigned>(c - '0');
            digits = digits && d <= 9;
            value = value * 10 + d;
        }
        if (digits && (!modulo || value % 11 == 0))
            return;
    }
    KontrolaCislaPojistence(hodnota);
    if (modulo)
        KontrolaModulo11(hodnota);
}

void KontrolaOdbornosti(std::string_view hodnota) {
    bool ok = hodnota.size() == 3 && IsDigit(hodnota[0]) && (IsDigit(hodnota[1]) || IsCapital(hodnota[1])) &&
              IsDigit(hodnota[2]);
    if (!ok)
        RaiseInvalidValue(hodnota, "Odbornost");
}

void KontrolaDiagnozy(std::string_view hodnota) {
    bool ok = hodnota.size() >= 3 && hodnota.size() <= 5 && IsCapital(hodnota[0]);
    for (size_t i = 1; ok && i < hodnota.size(); ++i)
        ok = IsDigit(hodnota[i]);
    if (!ok)
        RaiseInvalidValue(hodnota, "Diagnóza");
}

void KontrolaCharakteru(std::string_view hodnota) {
    if (hodnota.size() != 1 || hodnota[0] != 'P')
        KontrolaHodnoty(hodnota, 1, "P", "Char. dávky", "P");
}

void KontrolaKoduPojistovny(std::string_view hodnota) {
    if (TrimControls(hodnota).empty())
        RaiseInvalidValue(hodnota, "Kód pojišťovny");
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
    if (pismeno.size() != 1 || typDavky.size() != 2)
        return {};
    auto davka = [&](const char* typ) { return typDavky[0] == typ[0] && typDavky[1] == typ[1]; };
    switch (pismeno[0]) {
    case 'A':
        return davka("98") ? "01" : davka("81") ? "01s" : std::string_view();
    case 'H':
        return davka("99") ? "02" : davka("82") ? "02s" : std::string_view();
    case 'Z':
        if (davka("99") || davka("98") || davka("90"))
            return "03";
        return davka("82") || davka("81") ? "03s" : std::string_view();
    case 'E':
        return davka("90") ? "06" : std::string_view();
    case 'W':
        return davka("37") ? "37" : std::string_view();
    case 'J':
        return davka("36") ? "36" : std::string_view();
    case 'T':
        return davka("34") ? "34" : std::string_view();
    case 'P':
        return davka("05") ? "05" : std::string_view();
    default:
        return {};
    }
}

std::string SpojAdresu(std::string_view cast1, std::string_view cast2, std::string_view cast3) {
    std::string out;
    for (std::string_view part : {TrimControls(cast1), TrimControls(cast2)}) {
        if (!part.empty()) {
            out += part;
            out += ", ";
        }
    }
    out += TrimControls(cast3);
    std::string result(TrimControls(out));
    if (!result.empty() && result.back() == ',')
        result.pop_back();
    return result;
}

} // namespace ndlemo
