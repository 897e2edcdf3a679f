#include "support/Utilities.h"

#include "platform/Platform.h"
#include "support/ESubroutineError.h"
#include "support/TClock.h"
#include "support/TextCodec.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace ndlemo {

namespace {
// The 52 Czech letters (á ä č ć ď é ě ë í ľ ĺ ň ń ó ö ř ŕ š ś ť ú ů ü ý ž ź and the capitals) in each code page.
constexpr std::array<std::array<unsigned char, 52>, 3> LetterTables = {{
    {0xE1, 0xE4, 0xE8, 0xE6, 0xEF, 0xE9, 0xEC, 0xEB, 0xED, 0xBE, 0xE5, 0xF2, 0xF1, 0xF3, 0xF6, 0xF8, 0xE0, 0x9A,
     0x9C, 0x9D, 0xFA, 0xF9, 0xFC, 0xFD, 0x9E, 0x9F, 0xC1, 0xC4, 0xC8, 0xC6, 0xCF, 0xC9, 0xCC, 0xCB, 0xCD, 0xBC,
     0xC5, 0xD2, 0xD1, 0xD3, 0xD6, 0xD8, 0xC0, 0x8A, 0x8C, 0x8D, 0xDA, 0xD9, 0xDC, 0xDD, 0x8E, 0x8F},
    {0xA0, 0x84, 0x9F, 0x86, 0xD4, 0x82, 0xD8, 0x89, 0xA1, 0x96, 0x92, 0xE5, 0xE4, 0xA2, 0x94, 0xFD, 0xEA, 0xE7,
     0x98, 0x9C, 0xA3, 0x85, 0x81, 0xEC, 0xA7, 0xAB, 0xB5, 0x8E, 0xAC, 0x8F, 0xD2, 0x90, 0xB7, 0xD3, 0xD6, 0x95,
     0x91, 0xD5, 0xE3, 0xE0, 0x99, 0xFC, 0xE8, 0xE6, 0x97, 0x9B, 0xE9, 0xDE, 0x9A, 0xED, 0xA6, 0x8D},
    {0xE1, 0xE4, 0xE8, 0xE6, 0xEF, 0xE9, 0xEC, 0xEB, 0xED, 0xB5, 0xE5, 0xF2, 0xF1, 0xF3, 0xF6, 0xF8, 0xE0, 0xB9,
     0xB6, 0xBB, 0xFA, 0xF9, 0xFC, 0xFD, 0xBE, 0xBC, 0xC1, 0xC4, 0xC8, 0xC6, 0xCF, 0xC9, 0xCC, 0xCB, 0xCD, 0xA5,
     0xC5, 0xD2, 0xD1, 0xD3, 0xD6, 0xD8, 0xC0, 0xA9, 0xA6, 0xAB, 0xDA, 0xD9, 0xDC, 0xDD, 0xAE, 0xAC},
}};

const std::array<std::array<unsigned char, 256>, 9>& TranslationMaps() {
    static const auto maps = [] {
        std::array<std::array<unsigned char, 256>, 9> m{};
        for (int from = 0; from < 3; ++from) {
            for (int to = 0; to < 3; ++to) {
                auto& map = m[from * 3 + to];
                for (int b = 0; b < 256; ++b)
                    map[b] = static_cast<unsigned char>(b);
                for (size_t i = 0; i < 52; ++i)
                    map[LetterTables[from][i]] = LetterTables[to][i];
            }
        }
        return m;
    }();
    return maps;
}

void CheckYear(uint16_t year) {
    if (year < 1900 || year > 3000)
        throw ESubroutineError("Nepřípustná hodnota \"%s\" pro \"%s\"", std::to_string(year), "Rok");
}

std::string YyMmDd(TDate date) {
    int y, m, d;
    date.Decode(y, m, d);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d%02d%02d", y % 100, m, d);
    return buf;
}

uint32_t NextCodePoint(std::string_view s, size_t& i) {
    auto b = static_cast<unsigned char>(s[i]);
    if (b < 0x80 || i + 1 >= s.size() || (b >> 5) != 6) {
        ++i;
        return b;
    }
    uint32_t cp = ((b & 0x1F) << 6) | (static_cast<unsigned char>(s[i + 1]) & 0x3F);
    i += 2;
    return cp;
}

// Upper case of the Latin letters up to U+017F, which covers every letter of Windows-1250.
uint32_t UpperCodePoint(uint32_t cp) {
    if (cp >= 'a' && cp <= 'z')
        return cp - 32;
    if (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)
        return cp - 32;
    if (cp == 0xFF)
        return 0x178;
    if (cp >= 0x100 && cp <= 0x17F && cp != 0x131 && cp != 0x138 && cp != 0x149 && cp != 0x17F) {
        bool oddUpper = (cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E);
        bool isLower = oddUpper ? (cp % 2 == 0) : (cp % 2 == 1);
        return isLower ? cp - 1 : cp;
    }
    return cp;
}
} // namespace

double RoundTo2(double value) {
    double product = value * 100.0;
    product = product >= 0 ? product + 0.5 : product - 0.5;
    return std::trunc(product) / 100.0;
}

std::string RemoveSpaces(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ')
            out += c;
    return out;
}

std::string PadText(std::string_view value, std::string_view fill, int width, bool atLeft) {
    auto length = static_cast<int>(Utf8Length(value));
    if (length >= width)
        return std::string(value);
    std::string padding;
    for (int i = 0; i < width - length; ++i)
        padding += fill;
    return atLeft ? padding + std::string(value) : std::string(value) + padding;
}

std::string ZeroPadInt(int64_t value, int width) {
    return PadText(std::to_string(value), "0", width, true);
}

TDate LastDayOfMonth(uint16_t year, uint16_t month) {
    CheckYear(year);
    if (month == 0 || month > 12)
        throw ESubroutineError("Nepřípustná hodnota \"%s\" pro \"%s\"", std::to_string(month), "Měsíc");
    return TDate::FromYmd(year, month, TDate::DaysInMonth(year, month));
}

TDate EncodeDateBackward(uint16_t year, uint16_t month, uint16_t day) {
    CheckYear(year);
    for (int d = day; d >= 1; --d) {
        TDate date;
        if (TDate::TryFromYmd(year, month, d, date))
            return date;
    }
    throw ESubroutineError("Nepřípustná hodnota %d.%d.%d pro datum", day, month, year);
}

std::string MakeTimeStamp() {
    static std::mt19937 generator{std::random_device{}()};
    TDateTime now = TClock::Now();
    int y, mo, d, h, mi, s, ms;
    now.Date().Decode(y, mo, d);
    now.DecodeTime(h, mi, s, ms);
    int random = static_cast<int>(std::uniform_int_distribution<int>(0, 999)(generator));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d%02d%02d%02d%03d%03d", y, mo, d, h, mi, s, ms, random);
    return buf;
}

std::string GetWindowsUserName() {
    return platform::UserName();
}

std::string GetProductVersion(const fs::path& file) {
    return platform::ReadProductVersion(file);
}

std::string TranslateChars(int from, int to, std::string_view bytes) {
    std::string out(bytes);
    if (from < 0 || from > 2 || to < 0 || to > 2)
        return out;
    const auto& map = TranslationMaps()[from * 3 + to];
    for (char& c : out)
        c = static_cast<char>(map[static_cast<unsigned char>(c)]);
    return out;
}

void DeleteFilesByMask(const fs::path& mask) {
    fs::path dir = mask.parent_path();
    std::string pattern = mask.filename().string();
    std::error_code ec;
    fs::path listDir = dir.empty() ? fs::path(".") : dir;
    if (!fs::is_directory(listDir, ec))
        return;
    try {
        for (const auto& entry : fs::directory_iterator(listDir)) {
            std::string name = entry.path().filename().string();
            if (name == "." || name == ".." || !MatchesMask(name, pattern))
                continue;
            if (entry.is_directory() && !entry.is_symlink())
                continue;
            // A link is removed itself; its permissions cannot be set, and its target is none of ours.
            if (!entry.is_symlink())
                fs::permissions(entry.path(), fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add);
            fs::remove(entry.path());
        }
    } catch (const fs::filesystem_error& e) {
        std::string reason = e.code().message();
        throw ESubroutineError("Při výmazu souborů dle masky: \"%s\" nastala chyba: %s", mask.string(), reason);
    }
}

fs::path UniqueFileName(const fs::path& fileName, int width, bool datePrefix) {
    fs::path dir = fileName.parent_path();
    std::string name = fileName.filename().string();
    size_t dot = name.rfind('.');
    std::string base = dot == std::string::npos ? name : name.substr(0, dot);
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot);
    if (datePrefix) {
        std::string today = YyMmDd(TClock::Today());
        if (base.compare(0, 6, today) != 0)
            base = today + base;
    }
    std::error_code ec;
    fs::path candidate = dir / (base + ext);
    for (int64_t counter = 1; fs::exists(candidate, ec); ++counter)
        candidate = dir / (base + "_" + ZeroPadInt(counter, width) + ext);
    return candidate;
}

namespace {
// Iterative wildcard match with back-tracking to the last star.
bool MatchesWildcards(std::string_view name, std::string_view mask) {
    size_t n = 0, m = 0, star = std::string_view::npos, mark = 0;
    auto same = [](char a, char b) {
        auto ua = static_cast<unsigned char>(a), ub = static_cast<unsigned char>(b);
        return std::toupper(ua) == std::toupper(ub);
    };
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == '?' || same(mask[m], name[n]))) {
            ++n;
            ++m;
        } else if (m < mask.size() && mask[m] == '*') {
            star = m++;
            mark = n;
        } else if (star != std::string_view::npos) {
            m = star + 1;
            n = ++mark;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*')
        ++m;
    return m == mask.size();
}
} // namespace

bool MatchesMask(std::string_view name, std::string_view mask) {
    if (MatchesWildcards(name, mask))
        return true;
    // As on Windows, a trailing ".*" also matches the end of a name without an extension ("tmp_lz_*.*" takes
    // "tmp_lz_007").
    return mask.ends_with(".*") && MatchesWildcards(name, mask.substr(0, mask.size() - 2));
}

std::string UpperCase(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        size_t start = i;
        uint32_t cp = NextCodePoint(text, i);
        if (i - start == 1 && cp >= 0x80) {
            out += text[start]; // a byte of a longer sequence: leave it as it is
            continue;
        }
        uint32_t up = UpperCodePoint(cp);
        if (up < 0x80) {
            out += static_cast<char>(up);
        } else {
            out += static_cast<char>(0xC0 | (up >> 6));
            out += static_cast<char>(0x80 | (up & 0x3F));
        }
    }
    return out;
}

} // namespace ndlemo
