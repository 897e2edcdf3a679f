#pragma once

// Builders of record lines for the batch tests: a line of spaces of a given length into which values are put
// at 1-based columns (counted in characters), and one valid record of every kind.

#include "batch/KontrolaDokladu.h"
#include "batch/TDavka.h"
#include "batch/TDokladImp.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace ndlemo::test {

// Insurance numbers divisible by 11 (valid) and one that is not.
inline constexpr std::string_view Rc1 = "8001011227";
inline constexpr std::string_view Rc2 = "7505050003";
inline constexpr std::string_view RcNoModulo = "8001011228";
inline constexpr std::string_view TestIcz = "12345678";

class TLine {
public:
    explicit TLine(size_t length) : m_Chars(length, " ") {}

    // Puts the UTF-8 text at the column; the line grows when the text passes its end.
    TLine& Set(size_t col, std::string_view text) {
        size_t at = col - 1;
        for (size_t i = 0; i < text.size();) {
            auto b = static_cast<unsigned char>(text[i]);
            size_t n = b < 0xC0 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
            if (at >= m_Chars.size())
                m_Chars.resize(at + 1, " ");
            m_Chars[at++] = std::string(text.substr(i, n));
            i += n;
        }
        return *this;
    }
    TLine& Resize(size_t length) {
        m_Chars.resize(length, " ");
        return *this;
    }
    [[nodiscard]] std::string Str() const {
        std::string s;
        for (const auto& c : m_Chars)
            s += c;
        return s;
    }
    operator std::string() const { return Str(); }

private:
    std::vector<std::string> m_Chars;
};

// Batch header "D", 62 characters, period 03/2011.
inline TLine Header(std::string_view typ, int cislo, int pocet, std::string_view rok = "2011",
                    std::string_view mesic = "03", std::string_view icz = TestIcz) {
    char num[16];
    char cnt[16];
    std::snprintf(num, sizeof num, "%06d", cislo);
    std::snprintf(cnt, sizeof cnt, "%03d", pocet);
    TLine l(62);
    l.Set(1, "D").Set(2, "P").Set(3, typ).Set(5, icz).Set(13, "0001").Set(17, rok).Set(21, mesic);
    l.Set(23, num).Set(29, cnt).Set(32, "00000001234").Set(43, "000000000001234.50").Set(61, "1");
    return l;
}

inline std::string Num(int value, int width) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%0*d", width, value);
    return buf;
}

// Columns 1-49 of the types 01, 02, 06, 34 and 37.
inline TLine Common49(size_t length, std::string_view letter, int cislo, int poradi, std::string_view rc = Rc1) {
    TLine l(length);
    l.Set(1, letter).Set(2, Num(cislo, 7)).Set(9, "0").Set(10, "1").Set(11, Num(poradi, 3)).Set(14, "111");
    l.Set(18, "12345678").Set(26, "000000").Set(32, "001").Set(35, rc).Set(45, "J069");
    return l;
}

inline TLine Doc01(int cislo = 1, int poradi = 1, std::string_view rc = Rc1) {
    return Common49(93, "A", cislo, poradi, rc).Set(76, "0000012.50").Set(86, "0000100");
}

inline TLine Doc02(int cislo = 1, int poradi = 1, std::string_view prijeti = "01032011",
                   std::string_view propusteni = "10032011") {
    return Common49(101, "H", cislo, poradi)
        .Set(50, "1")
        .Set(51, "2")
        .Set(63, prijeti)
        .Set(71, propusteni)
        .Set(80, "000000012.50")
        .Set(92, "000000100");
}

inline TLine Doc03(int cislo = 1, int poradi = 1, std::string_view rc = Rc1) {
    TLine l(67);
    l.Set(1, "Z").Set(2, Num(cislo, 7)).Set(9, "0").Set(10, "0").Set(11, Num(poradi, 3)).Set(14, "12345678");
    l.Set(22, "000000").Set(28, "001").Set(31, rc).Set(56, "00000012.50");
    return l;
}

// Types 05 and 36 share their first 48 columns.
inline TLine Doc05(int cislo = 1, int poradi = 1, size_t length = 49) {
    TLine l(length);
    l.Set(1, "P").Set(2, Num(cislo, 7)).Set(9, "111").Set(12, "12345678").Set(20, "000000").Set(26, "001");
    l.Set(29, "0000012.50").Set(39, "0000100").Set(46, Num(poradi, 3));
    return l;
}

inline TLine Doc06(int cislo = 1, int poradi = 1, std::string_view datum = "15032011") {
    return Common49(100, "E", cislo, poradi)
        .Set(51, "ABCDEFGH")
        .Set(66, datum)
        .Set(74, "0000012.50")
        .Set(84, "0000100")
        .Set(91, "002")
        .Set(94, "XYZ");
}

inline TLine Doc34(int cislo = 1, int poradi = 1, size_t length = 149, std::string_view datum = "15032011") {
    TLine l = Common49(length, "T", cislo, poradi).Set(32, "003");
    l.Set(51, "ABCDEFGH").Set(66, "0000012.50").Set(76, "0000100").Set(83, "SPZ1234").Set(90, datum);
    if (length == 149)
        l.Set(98, "Praha").Set(118, "Brno").Set(138, "1");
    else
        l.Set(98, "0001").Set(102, "0002").Set(115, "Ulice 1").Set(175, "11000").Set(189, "Jiná 2").Set(249, "60200");
    return l;
}

inline TLine Doc36(int cislo = 1, int poradi = 1, size_t length = 51, std::string_view kodPolozky = "01") {
    TLine l = Doc05(cislo, poradi, length).Set(1, "J").Set(49, kodPolozky);
    return l;
}

inline TLine Doc37(int cislo = 1, int poradi = 1, std::string_view datum = "15032011") {
    return Common49(136, "W", cislo, poradi)
        .Set(50, "0000012.50")
        .Set(60, "0000100")
        .Set(67, "SPZ1234")
        .Set(74, datum)
        .Set(82, "0800")
        .Set(86, "0830")
        .Set(90, "Místo zásahu")
        .Set(115, "Poznámka")
        .Set(135, "1");
}

// Item of a type 01 (length 29 or 31) or 01s (33 or 35) document.
inline TLine Item01(size_t length = 29, std::string_view datum = "15032011", std::string_view kod = "09513",
                    std::string_view pocet = "1", std::string_view diagnoza = "J069") {
    TLine l(length);
    bool longForm = length == 31 || length == 35;
    l.Set(1, "V").Set(2, datum).Set(10, kod).Set(15, pocet).Set(16, "001").Set(19, diagnoza);
    l.Set(24, longForm ? "0000100" : "00100");
    if (length == 33)
        l.Set(29, "1").Set(30, "2");
    if (length == 35)
        l.Set(31, "1").Set(32, "2");
    return l;
}

// Item of a type 02 (length 25 or 27) or 02s (29 or 31) document.
inline TLine Item02(size_t length = 25, std::string_view datum = "05032011", std::string_view kod = "09513",
                    std::string_view pocet = "01") {
    TLine l(length);
    bool longForm = length == 27 || length == 31;
    l.Set(1, "V").Set(2, datum).Set(10, kod).Set(15, "001").Set(18, pocet).Set(20, longForm ? "0000100" : "00100");
    if (length == 29)
        l.Set(25, "1").Set(26, "2");
    if (length == 31)
        l.Set(27, "1").Set(28, "2");
    return l;
}

// Drug item of a type 03 (length 40 or 45) or 03s (44) document.
inline TLine Item03(size_t length = 40, std::string_view kod = "0012345", std::string_view skupina = "1",
                    std::string_view datum = "15032011") {
    TLine l(length);
    l.Set(1, "L").Set(2, datum).Set(10, skupina).Set(11, "X").Set(12, kod).Set(19, "00000012.50").Set(30, "0000025.00");
    if (length == 45)
        l.Set(40, "J069");
    if (length == 44)
        l.Set(40, "1").Set(41, "2");
    return l;
}

inline TLine Item05(std::string_view rc = Rc1, std::string_view datum = "15032011", std::string_view kod = "09513",
                    std::string_view diagnoza = "J069") {
    return TLine(30).Set(1, "V").Set(2, datum).Set(10, rc).Set(20, kod).Set(25, diagnoza);
}

inline TLine Item06(std::string_view datum = "15032011", std::string_view pocet = "2") {
    return TLine(16).Set(1, "V").Set(2, datum).Set(10, "09513").Set(15, pocet);
}

inline TLine Item34(std::string_view kod = "00001", std::string_view pocet = "0012") {
    return TLine(16).Set(1, "V").Set(2, kod).Set(7, pocet).Set(11, "00100");
}

inline TLine Item36(size_t length = 68, std::string_view rc = Rc1, std::string_view diagnoza = "J069") {
    TLine l(length);
    l.Set(1, "V").Set(2, "15032011").Set(10, rc).Set(20, "0012");
    if (length == 177) {
        l.Set(24, "1").Set(25, "2").Set(35, "Odkud 1").Set(95, "11000").Set(109, "Kam 2").Set(169, "60200");
    } else {
        l.Set(24, "000012.50").Set(33, diagnoza).Set(38, "1").Set(39, "2").Set(40, "0800").Set(44, "0830");
        if (length == 68)
            l.Set(48, "Místo");
        else
            l.Set(57, "Ulice").Set(117, "11000");
    }
    return l;
}

inline TLine Item37V(size_t length = 15, std::string_view kod = "09513", std::string_view pocet = "001") {
    return TLine(length).Set(1, "V").Set(2, kod).Set(7, pocet).Set(10, length == 17 ? "0000100" : "00100");
}

inline TLine Item37L(std::string_view kod = "0012345", std::string_view skupina = "2") {
    return TLine(27).Set(1, "L").Set(2, skupina).Set(3, kod).Set(10, "0012.50").Set(17, "0000025.00");
}

inline std::string ItemG(std::string_view diagnoza = "J069") {
    return TLine(7).Set(1, "G").Set(2, diagnoza).Str();
}

// A document record with the batch type that opens it (batch period 03/2011).
struct DocSetup {
    const char* BatchType;
    std::string Line;
};

// An open document of the type that the batch type and record give.
inline void Open(TDokladImp& doklad, const DocSetup& setup) {
    TDavka h;
    h.Charakter = "P";
    h.Typ = setup.BatchType;
    h.ICZ = TestIcz;
    h.Rok = "2011";
    h.Mesic = "03";
    KontrolaDokladu(setup.Line, h, doklad, true);
    ASSERT_TRUE(doklad.Aktivni);
}

} // namespace ndlemo::test
