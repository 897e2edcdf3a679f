#pragma once

// Writes large, valid batch files (code page 852, CR LF) for the benchmark and the fuzz corpus.
// Every record is built in UTF-8 with its fields at their fixed columns, its length checked against its layout,
// and translated to code page 852 only when written.

#include "support/TDate.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ndlemo {

class TBatchGenerator {
public:
    struct TOptions {
        std::string Icz = "12345678";
        uint64_t Seed = 1;
        int64_t TargetLines = 1000;
        // Upper bound of documents per batch (the header has three digits for it).
        int MaxDocumentsPerBatch = 250;
    };

    struct TStats {
        int64_t Lines = 0;
        int64_t Bytes = 0;
        int64_t Batches = 0;
        int64_t Documents = 0;
        int64_t Items = 0;
        int64_t Diagnoses = 0;
    };

    explicit TBatchGenerator(TOptions options) : m_Options(std::move(options)), m_State(m_Options.Seed) {
        if (m_Options.Icz.size() != 8)
            throw std::invalid_argument("IČZ must have 8 characters");
        if (m_Options.MaxDocumentsPerBatch < 1 || m_Options.MaxDocumentsPerBatch > 300)
            throw std::invalid_argument("documents per batch must be 1..300");
        // Seeds that differ in their last digit number their batches and documents in separate blocks, so that
        // such files can be checked together without duplicates (up to about 4 million lines each).
        const int block = static_cast<int>(m_Options.Seed % 10);
        m_NextBatch = 1 + block * 99999;
        m_NextDocument = 1 + block * 999999;
    }

    // Writes the whole file; stops after the batch that reaches the target number of lines.
    TStats WriteFile(const std::string& path) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f)
            throw std::runtime_error("cannot create " + path);
        m_Out.clear();
        m_Stats = {};
        while (m_Stats.Lines < m_Options.TargetLines) {
            WriteBatch();
            if (m_Out.size() > (1 << 20))
                Flush(f);
        }
        Flush(f);
        if (std::fclose(f) != 0)
            throw std::runtime_error("cannot write " + path);
        return m_Stats;
    }

    // Code page 852 form of UTF-8 text; only the Czech letters that the reader translates are expected.
    static std::string ToCp852(std::string_view utf8) {
        std::string out;
        out.reserve(utf8.size());
        for (size_t i = 0; i < utf8.size();) {
            auto b = static_cast<unsigned char>(utf8[i]);
            if (b < 0x80) {
                out += utf8[i++];
                continue;
            }
            uint32_t cp = 0;
            size_t len = (b >> 5) == 6 ? 2 : 3;
            cp = len == 2 ? (b & 0x1F) : (b & 0x0F);
            for (size_t k = 1; k < len && i + k < utf8.size(); ++k)
                cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
            i += len;
            out += static_cast<char>(Cp852Byte(cp));
        }
        return out;
    }

private:
    struct TPeriod {
        int Year = 0;
        int Month = 0;
        int LastDay = 0;
    };

    // Document type of a record: batch type, record letter, document type, and its flavour.
    struct TDocKind {
        const char* BatchType;
        char Letter;
        const char* DocType;
    };

    TOptions m_Options;
    uint64_t m_State;
    TStats m_Stats;
    std::string m_Out;
    std::vector<std::string> m_Body;
    int m_NextBatch = 1;
    int m_NextDocument = 1;

    // --- randomness: fixed algorithm so that a seed gives the same file everywhere ---
    uint64_t Next() {
        uint64_t z = (m_State += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int Range(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1)); }
    bool Chance(int percent) { return Range(1, 100) <= percent; }
    template <typename T, size_t N> const T& Pick(const std::array<T, N>& values) { return values[Next() % N]; }

    static uint8_t Cp852Byte(uint32_t cp) {
        struct TPair {
            uint32_t Cp;
            uint8_t Byte;
        };
        static constexpr TPair table[] = {
            {0xE1, 0xA0},  {0xE4, 0x84},  {0x10D, 0x9F}, {0x107, 0x86}, {0x10F, 0xD4}, {0xE9, 0x82},  {0x11B, 0xD8},
            {0xEB, 0x89},  {0xED, 0xA1},  {0x13E, 0x96}, {0x13A, 0x92}, {0x148, 0xE5}, {0x144, 0xE4}, {0xF3, 0xA2},
            {0xF6, 0x94},  {0x159, 0xFD}, {0x155, 0xEA}, {0x161, 0xE7}, {0x15B, 0x98}, {0x165, 0x9C}, {0xFA, 0xA3},
            {0x16F, 0x85}, {0xFC, 0x81},  {0xFD, 0xEC},  {0x17E, 0xA7}, {0x17A, 0xAB}, {0xC1, 0xB5},  {0xC4, 0x8E},
            {0x10C, 0xAC}, {0x106, 0x8F}, {0x10E, 0xD2}, {0xC9, 0x90},  {0x11A, 0xB7}, {0xCB, 0xD3},  {0xCD, 0xD6},
            {0x13D, 0x95}, {0x139, 0x91}, {0x147, 0xD5}, {0x143, 0xE3}, {0xD3, 0xE0},  {0xD6, 0x99},  {0x158, 0xFC},
            {0x154, 0xE8}, {0x160, 0xE6}, {0x15A, 0x97}, {0x164, 0x9B}, {0xDA, 0xE9},  {0x16E, 0xDE}, {0xDC, 0x9A},
            {0xDD, 0xED},  {0x17D, 0xA6}, {0x179, 0x8D}};
        for (const auto& p : table)
            if (p.Cp == cp)
                return p.Byte;
        throw std::logic_error("character without a code page 852 letter");
    }

    // --- fields at fixed columns; widths count characters ---
    static size_t Chars(std::string_view s) {
        size_t n = 0;
        for (char c : s)
            n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return n;
    }
    // Text left-aligned in its columns; longer text is a generator fault.
    static void Txt(std::string& line, std::string_view value, size_t width) {
        size_t n = Chars(value);
        if (n > width)
            throw std::logic_error("field too long: " + std::string(value));
        line += value;
        line.append(width - n, ' ');
    }
    static void Zero(std::string& line, int64_t value, int width) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%0*lld", width, static_cast<long long>(value));
        Fixed(line, buf, width);
    }
    // Integer right-aligned with leading spaces (the reader accepts them, not trailing ones).
    static void Right(std::string& line, int64_t value, int width) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%*lld", width, static_cast<long long>(value));
        Fixed(line, buf, width);
    }
    // Amount with "." as decimal point, right-aligned.
    static void Dec(std::string& line, int64_t cents, int width) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "%*lld.%02lld", width - 3, static_cast<long long>(cents / 100),
                      static_cast<long long>(cents % 100));
        Fixed(line, buf, width);
    }
    static void Date(std::string& line, int year, int month, int day) {
        char buf[48];
        std::snprintf(buf, sizeof buf, "%02d%02d%04d", day, month, year);
        Fixed(line, buf, 8);
    }
    static void Fixed(std::string& line, std::string_view s, int width) {
        if (s.size() != static_cast<size_t>(width))
            throw std::logic_error("number does not fit its field: " + std::string(s));
        line += s;
    }
    static void Expect(const std::string& line, size_t length) {
        if (Chars(line) != length)
            throw std::logic_error("record of " + std::to_string(Chars(line)) + " characters, expected " +
                                   std::to_string(length) + ": " + line);
    }

    // --- realistic values ---
    std::string InsuranceNumber() {
        for (;;) {
            int year = Range(0, 99);
            int month = Range(1, 12) + (Chance(50) ? 50 : 0);
            int day = Range(1, 28);
            int serial = Range(0, 999);
            int64_t first9 = ((static_cast<int64_t>(year) * 100 + month) * 100 + day) * 1000 + serial;
            int check = static_cast<int>(first9 % 11);
            if (check == 10)
                continue;
            char buf[48];
            std::snprintf(buf, sizeof buf, "%09lld%d", static_cast<long long>(first9), check);
            return buf;
        }
    }
    const char* Diagnosis() {
        static constexpr std::array<const char*, 16> values = {"J069", "I10",  "E119",  "M545", "K210",  "Z000",
                                                               "R51",  "N390", "H521",  "J00",  "M4786", "I2510",
                                                               "F329", "L700", "S6250", "G439"};
        return Pick(values);
    }
    const char* Specialty() {
        static constexpr std::array<const char*, 12> values = {"001", "002", "014", "101", "205", "301",
                                                               "403", "603", "701", "705", "902", "1F4"};
        return Pick(values);
    }
    const char* Insurer() {
        static constexpr std::array<const char*, 7> values = {"111", "201", "205", "207", "209", "211", "213"};
        return Pick(values);
    }
    std::string Icp() { return m_Options.Icz.substr(0, 5) + std::to_string(100 + Range(0, 3)); }
    const char* ProcedureCode() {
        static constexpr std::array<const char*, 10> values = {"09513", "09543", "09511", "71611", "15111",
                                                               "00881", "09215", "81023", "02100", "75022"};
        return Pick(values);
    }
    std::string DrugCode() {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%07d", Range(1, 250000));
        return buf;
    }
    const char* Place() {
        static constexpr std::array<const char*, 8> values = {
            "České Budějovice", "Plzeň",  "Ústí nad Labem", "Hradec Králové",
            "Žďár nad Sázavou", "Třebíč", "Brno",           "Ostrava-Poruba"};
        return Pick(values);
    }
    const char* Street() {
        static constexpr std::array<const char*, 6> values = {"Nádražní 12",  "Husova 1",  "Šafaříkova 402",
                                                              "Třída Míru 7", "Dlouhá 33", "Křižíkova 1145"};
        return Pick(values);
    }
    const char* PostCode() {
        static constexpr std::array<const char*, 6> values = {"37001", "30100", "40001", "50002", "59101", "67401"};
        return Pick(values);
    }
    int Day(const TPeriod& p) { return Range(1, p.LastDay); }

    // --- records ---
    // Columns 1-49 shared by the document types 01, 02, 06, 34 and 37.
    void Common49(std::string& l, char letter, int number, int order, const char* specialty, const std::string& ins) {
        l += letter;
        Zero(l, number, 7);
        l += Chance(90) ? '0' : '1';
        l += '0';
        Zero(l, order, 3);
        Txt(l, Insurer(), 3);
        Txt(l, Chance(80) ? "" : "1", 1);
        Txt(l, Icp(), 8);
        Zero(l, Range(0, 999999), 6);
        Txt(l, specialty, 3);
        Txt(l, ins, 10);
        Txt(l, Diagnosis(), 5);
    }

    void ItemLine(std::string line, size_t length) {
        Expect(line, length);
        m_Body.push_back(std::move(line));
        ++m_Stats.Items;
    }
    void DiagnosisLines(int maxCount) {
        int n = Chance(60) ? 0 : Range(1, maxCount);
        for (int i = 0; i < n; ++i) {
            std::string l = "G";
            Txt(l, Diagnosis(), 5);
            l += ' ';
            Expect(l, 7);
            m_Body.push_back(std::move(l));
            ++m_Stats.Diagnoses;
        }
    }
    char Localisation() { return Chance(30) ? ' ' : static_cast<char>('0' + Range(0, 9)); }
    // The end of a procedure or drug record: two localisation marks and the spare columns, or one blank.
    void LocalisationTail(std::string& v, bool loc) {
        if (!loc) {
            v += ' ';
            return;
        }
        v += Localisation();
        v += Localisation();
        v += "   ";
    }

    // One document with its items and diagnoses; returns its amount in cents.
    int64_t Document(const std::string& docType, char letter, int number, int order, const TPeriod& p) {
        std::string l;
        int64_t cents = Range(100, 500000);
        int points = Range(10, 99999);
        bool loc = docType.size() == 3; // the "s" variants carry localisations
        std::string ins = InsuranceNumber();
        int items = Range(1, 8);
        if (docType == "01" || docType == "01s") {
            Common49(l, letter, number, order, Specialty(), ins);
            Txt(l, Chance(50) ? "" : "Ambulantní péče", 26);
            Dec(l, cents, 10);
            Right(l, points, 7);
            l += ' ';
            Expect(l, 93);
            m_Body.push_back(std::move(l));
            for (int i = 0; i < items; ++i) {
                bool longForm = Chance(50);
                std::string v = "V";
                Date(v, p.Year, p.Month, Day(p));
                Txt(v, ProcedureCode(), 5);
                Right(v, Range(0, 9), 1);
                Txt(v, Chance(50) ? "" : Specialty(), 3);
                Txt(v, Chance(60) ? "" : Diagnosis(), 5);
                Right(v, Range(1, longForm ? 9999999 : 99999), longForm ? 7 : 5);
                LocalisationTail(v, loc);
                ItemLine(std::move(v), (loc ? 33 : 29) + (longForm ? 2 : 0));
            }
            DiagnosisLines(5);
        } else if (docType == "02" || docType == "02s") {
            int admission = Range(1, p.LastDay);
            int discharge = Range(admission, p.LastDay);
            Common49(l, letter, number, order, Specialty(), ins);
            Txt(l, "1", 1);
            Txt(l, Chance(50) ? "" : "2", 1);
            Txt(l, "", 11);
            Date(l, p.Year, p.Month, admission);
            Date(l, p.Year, p.Month, discharge);
            l += ' ';
            Dec(l, cents, 12);
            Right(l, points, 9);
            l += ' ';
            Expect(l, 101);
            m_Body.push_back(std::move(l));
            for (int i = 0; i < items; ++i) {
                bool longForm = Chance(50);
                std::string v = "V";
                Date(v, p.Year, p.Month, Range(admission, discharge));
                Txt(v, ProcedureCode(), 5);
                Txt(v, Chance(30) ? "" : Specialty(), 3);
                Right(v, Range(0, 20), 2);
                Right(v, Range(1, longForm ? 9999999 : 99999), longForm ? 7 : 5);
                LocalisationTail(v, loc);
                ItemLine(std::move(v), (loc ? 29 : 25) + (longForm ? 2 : 0));
            }
            DiagnosisLines(7);
        } else if (docType == "03" || docType == "03s") {
            l += letter;
            Zero(l, number, 7);
            l += "00";
            Zero(l, order, 3);
            Txt(l, Icp(), 8);
            Zero(l, Range(0, 999999), 6);
            Txt(l, Specialty(), 3);
            Txt(l, ins, 10);
            Txt(l, "", 15);
            Dec(l, cents, 11);
            l += ' ';
            Expect(l, 67);
            m_Body.push_back(std::move(l));
            for (int i = 0; i < items; ++i) {
                bool withDiagnosis = !loc && Chance(50);
                std::string v = "L";
                Date(v, p.Year, p.Month, Day(p));
                v += static_cast<char>('1' + Range(0, 3));
                v += ' ';
                Txt(v, DrugCode(), 7);
                Dec(v, Range(100, 99999), 11);
                Dec(v, Range(0, 9999), 10);
                if (loc) {
                    LocalisationTail(v, true);
                    ItemLine(std::move(v), 44);
                } else if (withDiagnosis) {
                    Txt(v, Diagnosis(), 5);
                    v += ' ';
                    ItemLine(std::move(v), 45);
                } else {
                    v += ' ';
                    ItemLine(std::move(v), 40);
                }
            }
        } else if (docType == "05") {
            l += letter;
            Zero(l, number, 7);
            Txt(l, Insurer(), 3);
            Txt(l, Icp(), 8);
            Zero(l, Range(0, 999999), 6);
            Txt(l, Specialty(), 3);
            Dec(l, cents, 10);
            Right(l, points, 7);
            Zero(l, order, 3);
            l += ' ';
            Expect(l, 49);
            m_Body.push_back(std::move(l));
            // Several insured persons per document; some of them with more than one item.
            std::vector<std::string> persons = {ins, InsuranceNumber(), InsuranceNumber()};
            for (int i = 0; i < items; ++i) {
                std::string v = "V";
                Date(v, p.Year, p.Month, Day(p));
                Txt(v, persons[Next() % persons.size()], 10);
                Txt(v, ProcedureCode(), 5);
                Txt(v, Diagnosis(), 5);
                v += ' ';
                ItemLine(std::move(v), 30);
            }
        } else if (docType == "06") {
            Common49(l, letter, number, order, Specialty(), ins);
            l += ' ';
            Txt(l, "12345678", 8);
            Txt(l, "", 7);
            Date(l, p.Year, p.Month, Day(p));
            Dec(l, cents, 10);
            Right(l, points, 7);
            Txt(l, Specialty(), 3);
            Zero(l, Range(0, 999999), 6);
            l += ' ';
            Expect(l, 100);
            m_Body.push_back(std::move(l));
            for (int i = 0; i < items; ++i) {
                std::string v = "V";
                Date(v, p.Year, p.Month, Day(p));
                Txt(v, ProcedureCode(), 5);
                Right(v, Range(0, 9), 1);
                v += ' ';
                ItemLine(std::move(v), 16);
            }
            DiagnosisLines(5);
        } else if (docType == "34") {
            bool longForm = Chance(40);
            Common49(l, letter, number, order, Specialty(), ins);
            l += ' ';
            Txt(l, "87654321", 8);
            Txt(l, "", 7);
            Dec(l, cents, 10);
            Right(l, points, 7);
            Txt(l, "SPZ1234", 7);
            Date(l, p.Year, p.Month, Day(p));
            if (!longForm) {
                Txt(l, Place(), 20);
                Txt(l, Place(), 20);
                Txt(l, "1", 1);
                Txt(l, "", 11);
                Expect(l, 149);
            } else {
                Txt(l, "0001", 4);
                Txt(l, "0002", 4);
                Txt(l, "", 9);
                Txt(l, Street(), 30);
                Txt(l, Place(), 30);
                Txt(l, PostCode(), 5);
                Txt(l, "", 9);
                Txt(l, Street(), 30);
                Txt(l, Place(), 30);
                Txt(l, PostCode(), 5);
                Txt(l, "2", 1);
                l += ' ';
                Expect(l, 255);
            }
            m_Body.push_back(std::move(l));
            for (int i = 0; i < items; ++i) {
                std::string v = "V";
                Txt(v, Chance(50) ? "60010" : "60020", 5);
                Right(v, Range(0, 300), 4);
                Right(v, Range(1, 99999), 5);
                v += ' ';
                ItemLine(std::move(v), 16);
            }
            DiagnosisLines(3);
        } else if (docType == "36") {
            static constexpr std::array<size_t, 3> lengths = {51, 59, 68};
            size_t length = Pick(lengths);
            l += letter;
            Zero(l, number, 7);
            Txt(l, Insurer(), 3);
            Txt(l, Icp(), 8);
            Zero(l, Range(0, 999999), 6);
            Txt(l, Specialty(), 3);
            Dec(l, cents, 10);
            Right(l, points, 7);
            Zero(l, order, 3);
            Txt(l, Chance(50) ? "01" : "2", 2);
            Txt(l, "", length - 50);
            Expect(l, length);
            m_Body.push_back(std::move(l));
            std::vector<std::string> persons = {ins, InsuranceNumber()};
            for (int i = 0; i < items; ++i) {
                int form = Range(0, 2);
                std::string v = "V";
                Date(v, p.Year, p.Month, Day(p));
                Txt(v, persons[Next() % persons.size()], 10);
                Right(v, Range(0, 500), 4);
                if (form < 2) {
                    Dec(v, Range(0, 9999999), 9);
                    Txt(v, Diagnosis(), 5);
                    Txt(v, "A", 1);
                    Txt(v, "", 1);
                    Txt(v, "1200", 4);
                    Txt(v, "1330", 4);
                    if (form == 0) {
                        Txt(v, Place(), 20);
                        v += ' ';
                        ItemLine(std::move(v), 68);
                    } else {
                        Txt(v, "", 9);
                        Txt(v, Street(), 30);
                        Txt(v, Place(), 30);
                        Txt(v, PostCode(), 5);
                        v += ' ';
                        ItemLine(std::move(v), 122);
                    }
                } else {
                    Txt(v, "1", 1);
                    Txt(v, "0", 1);
                    Txt(v, "", 9);
                    Txt(v, Street(), 30);
                    Txt(v, Place(), 30);
                    Txt(v, PostCode(), 5);
                    Txt(v, "", 9);
                    Txt(v, Street(), 30);
                    Txt(v, Place(), 30);
                    Txt(v, PostCode(), 5);
                    Txt(v, "", 4);
                    ItemLine(std::move(v), 177);
                }
            }
        } else if (docType == "37") {
            int day = Day(p);
            Common49(l, letter, number, order, Specialty(), ins);
            Dec(l, cents, 10);
            Right(l, points, 7);
            Txt(l, "V123456", 7);
            Date(l, p.Year, p.Month, day);
            Txt(l, "0830", 4);
            Txt(l, "0915", 4);
            Txt(l, Street(), 25);
            Txt(l, Place(), 20);
            Txt(l, "1", 1);
            l += ' ';
            Expect(l, 136);
            m_Body.push_back(std::move(l));
            for (int i = 0; i < items; ++i) {
                std::string v;
                if (Chance(70)) {
                    bool longForm = Chance(50);
                    v = "V";
                    Txt(v, Chance(30) ? "51" : ProcedureCode(), 5);
                    Right(v, Range(0, 999), 3);
                    Right(v, Range(1, longForm ? 9999999 : 99999), longForm ? 7 : 5);
                    v += ' ';
                    ItemLine(std::move(v), longForm ? 17 : 15);
                } else {
                    v = "L";
                    v += static_cast<char>('1' + Range(0, 3));
                    Txt(v, DrugCode(), 7);
                    Dec(v, Range(0, 99999), 7);
                    Dec(v, Range(0, 9999999), 10);
                    v += ' ';
                    ItemLine(std::move(v), 27);
                }
            }
            DiagnosisLines(5);
        } else {
            throw std::logic_error("unknown document type " + docType);
        }
        return cents;
    }

    void WriteBatch() {
        struct TBatchKind {
            const char* Type;
            int Weight;
            std::array<TDocKind, 2> Docs;
            int DocCount;
        };
        static constexpr std::array<TBatchKind, 9> kinds = {{
            {"98", 30, {{{"98", 'A', "01"}, {"98", 'Z', "03"}}}, 2},
            {"99", 10, {{{"99", 'H', "02"}, {"99", 'Z', "03"}}}, 2},
            {"90", 10, {{{"90", 'E', "06"}, {"90", 'Z', "03"}}}, 2},
            {"81", 10, {{{"81", 'A', "01s"}, {"81", 'Z', "03s"}}}, 2},
            {"82", 5, {{{"82", 'H', "02s"}, {"82", 'Z', "03s"}}}, 2},
            {"05", 10, {{{"05", 'P', "05"}, {}}}, 1},
            {"34", 8, {{{"34", 'T', "34"}, {}}}, 1},
            {"36", 7, {{{"36", 'J', "36"}, {}}}, 1},
            {"37", 10, {{{"37", 'W', "37"}, {}}}, 1},
        }};
        int total = 0;
        for (const auto& k : kinds)
            total += k.Weight;
        int r = Range(1, total);
        const TBatchKind* kind = &kinds[0];
        for (const auto& k : kinds) {
            if (r <= k.Weight) {
                kind = &k;
                break;
            }
            r -= k.Weight;
        }

        TPeriod p;
        p.Year = Range(2022, 2024);
        p.Month = Range(1, 12);
        p.LastDay = TDate::DaysInMonth(p.Year, p.Month);

        int batchNumber = m_NextBatch;
        m_NextBatch += Range(1, 3);
        if (m_NextBatch > 999999)
            throw std::length_error("batch numbers exhausted; ask for fewer lines");

        int wanted = Range(1, m_Options.MaxDocumentsPerBatch);
        m_Body.clear();
        int order = 0;
        int documents = 0;
        int64_t cents = 0;
        int64_t budget = m_Options.TargetLines - m_Stats.Lines - 1;
        while (documents < wanted && static_cast<int64_t>(m_Body.size()) < budget) {
            const TDocKind& doc = kind->Docs[Next() % kind->DocCount];
            order += Chance(90) ? 1 : 2;
            int number = m_NextDocument;
            m_NextDocument += Chance(80) ? 1 : Range(2, 5);
            if (m_NextDocument > 9999999)
                throw std::length_error("document numbers exhausted; ask for fewer lines");
            cents += Document(doc.DocType, doc.Letter, number, order, p);
            ++documents;
        }
        if (documents == 0) {
            // The line budget is spent: one document still, so that every batch has one.
            const TDocKind& doc = kind->Docs[0];
            cents += Document(doc.DocType, doc.Letter, m_NextDocument++, ++order, p);
            ++documents;
        }

        bool longHeader = Chance(30);
        std::string h = "DP";
        Txt(h, kind->Type, 2);
        Txt(h, m_Options.Icz, 8);
        Txt(h, "0001", 4);
        Zero(h, p.Year, 4);
        Zero(h, p.Month, 2);
        Zero(h, batchNumber, 6);
        Right(h, documents, 3);
        Right(h, static_cast<int64_t>(m_Body.size()), 11);
        Dec(h, cents, 18);
        Txt(h, "1", 1);
        if (longHeader) {
            Txt(h, "0000000000001", 13);
            Txt(h, "0000000000002", 13);
        }
        h += ' ';
        Expect(h, longHeader ? 88 : 62);

        Emit(h);
        for (const auto& line : m_Body)
            Emit(line);
        ++m_Stats.Batches;
        m_Stats.Documents += documents;
    }

    void Emit(const std::string& utf8) {
        std::string bytes = ToCp852(utf8);
        m_Out += bytes;
        m_Out += "\r\n";
        m_Stats.Bytes += static_cast<int64_t>(bytes.size()) + 2;
        ++m_Stats.Lines;
    }

    void Flush(std::FILE* f) {
        if (!m_Out.empty() && std::fwrite(m_Out.data(), 1, m_Out.size(), f) != m_Out.size())
            throw std::runtime_error("write failed");
        m_Out.clear();
    }
};

} // namespace ndlemo
