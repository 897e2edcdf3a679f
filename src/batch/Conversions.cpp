#include "batch/Conversions.h"

#include "batch/EConvertError.h"
#include "support/ESubroutineError.h"
#include "support/FormatText.h"
#include "support/TFormatSettings.h"

#include <array>
#include <charconv>
#include <cstring>
#include <string>

namespace ndlemo {

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads the integer forms into a magnitude; limit is the largest magnitude allowed for a decimal number of
// the sign read, hexLimit the largest bit pattern of a hexadecimal one.
bool ParseMagnitude(std::string_view s, uint64_t decLimitPos, uint64_t decLimitNeg, uint64_t hexLimit,
                    uint64_t& magnitude, bool& negative, bool& hex) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    hex = false;
    if (i < s.size() && (s[i] == '$' || s[i] == 'x' || s[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < s.size() && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == s.size())
        return false;
    uint64_t value = 0;
    if (hex) {
        for (; i < s.size(); ++i) {
            int d = HexDigit(s[i]);
            if (d < 0 || value > (hexLimit >> 4))
                return false;
            value = (value << 4) | static_cast<uint64_t>(d);
        }
        if (value > hexLimit)
            return false;
    } else {
        uint64_t limit = negative ? decLimitNeg : decLimitPos;
        for (; i < s.size(); ++i) {
            char c = s[i];
            if (c < '0' || c > '9')
                return false;
            auto d = static_cast<uint64_t>(c - '0');
            if (value > (limit - d) / 10)
                return false;
            value = value * 10 + d;
        }
    }
    magnitude = value;
    return true;
}

// A plain number ([sign] digits [. digits]) of at most 15 significant digits and 22 decimals: the digits as an
// exact integer divided by an exact power of ten, one correctly rounded operation, so the value is the one
// from_chars gives.
bool FastDecimal(std::string_view s, double& value) {
    static constexpr double Powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    size_t i = 0;
    bool negative = !s.empty() && s[0] == '-';
    if (!s.empty() && (s[0] == '-' || s[0] == '+'))
        ++i;
    uint64_t mantissa = 0;
    int all = 0;
    int significant = 0;
    int decimals = 0;
    bool point = false;
    for (; i < s.size(); ++i) {
        char c = s[i];
        if (c >= '0' && c <= '9') {
            mantissa = mantissa * 10 + static_cast<uint64_t>(c - '0');
            ++all;
            if (mantissa != 0)
                ++significant;
            if (point)
                ++decimals;
            if (significant > 15)
                return false;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (all == 0 || decimals > 22)
        return false;
    value = static_cast<double>(mantissa) / Powers[decimals];
    if (negative)
        value = -value;
    return true;
}

} // namespace

bool TryTextToInteger(std::string_view slice, int32_t& value) {
    uint64_t magnitude = 0;
    bool negative = false;
    bool hex = false;
    if (!ParseMagnitude(slice, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, magnitude, negative, hex))
        return false;
    // A hexadecimal number is a 32-bit pattern.
    auto bits = static_cast<uint32_t>(magnitude);
    if (negative)
        bits = 0u - bits;
    value = static_cast<int32_t>(bits);
    return true;
}

bool TryTextToInteger64(std::string_view slice, int64_t& value) {
    uint64_t magnitude = 0;
    bool negative = false;
    bool hex = false;
    if (!ParseMagnitude(slice, 0x7FFFFFFFFFFFFFFFull, 0x8000000000000000ull, ~0ull, magnitude, negative, hex))
        return false;
    uint64_t bits = negative ? 0ull - magnitude : magnitude;
    value = static_cast<int64_t>(bits);
    return true;
}

int32_t TextToIntegerFull(std::string_view slice) {
    int32_t value = 0;
    if (!TryTextToInteger(slice, value))
        throw EConvertError(FormatText("'%s' is not a valid integer value", slice));
    return value;
}

int32_t TextToIntegerLenient(std::string_view slice) {
    int32_t value = 0;
    return TryTextToInteger(TrimSlice(slice), value) ? value : 0;
}

double TextNaCislo(std::string_view slice) {
    std::string_view text = TrimSlice(slice);
    double fast = 0.0;
    if (FastDecimal(text, fast))
        return fast;
    const std::string& sep = TFormatSettings::Current().DecimalSeparator;
    // The number in the C form that from_chars reads; "." stands for the system separator.
    char buf[64];
    size_t n = 0;
    bool ok = text.size() < sizeof buf;
    size_t i = 0;
    auto put = [&](char c) {
        if (n + 1 < sizeof buf)
            buf[n++] = c;
        else
            ok = false;
    };
    auto digits = [&]() {
        size_t start = i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9')
            put(text[i++]);
        return i - start;
    };
    if (ok) {
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            if (text[i] == '-')
                put('-');
            ++i;
        }
        size_t mantissa = digits();
        if (i < text.size() && text[i] == '.') {
            put('.');
            ++i;
            mantissa += digits();
        } else if (!sep.empty() && text.substr(i, sep.size()) == sep) {
            put('.');
            i += sep.size();
            mantissa += digits();
        }
        if (mantissa == 0)
            ok = false;
        if (ok && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
            put('e');
            ++i;
            if (i < text.size() && (text[i] == '+' || text[i] == '-'))
                put(text[i++]);
            if (digits() == 0)
                ok = false;
        }
        if (i != text.size())
            ok = false;
    }
    double value = 0.0;
    if (ok && FastDecimal(std::string_view(buf, n), value))
        return value;
    if (ok) {
        auto [ptr, ec] = std::from_chars(buf, buf + n, value);
        ok = ec == std::errc() && ptr == buf + n;
    }
    if (!ok) {
        std::string shown;
        for (char c : text) {
            if (c == '.')
                shown += sep;
            else
                shown += c;
        }
        throw EConvertError(FormatText("'%s' is not a valid floating point value", shown));
    }
    return value;
}

TDate TextNaDatum(std::string_view slice) {
    // A file carries few distinct dates: those read are remembered by their eight bytes.
    struct TKnown {
        uint64_t Bytes = 0;
        TDate Date;
    };
    thread_local std::array<TKnown, 64> known;
    uint64_t bytes = 0;
    TKnown* slot = nullptr;
    if (slice.size() == 8) {
        std::memcpy(&bytes, slice.data(), 8);
        slot = &known[(bytes * 0x9E3779B97F4A7C15ull) >> 58];
        if (slot->Bytes == bytes && !slot->Date.IsNull())
            return slot->Date;
    }
    bool ok = slice.size() == 8;
    for (size_t i = 0; ok && i < slice.size(); ++i)
        ok = slice[i] >= '0' && slice[i] <= '9';
    TDate date;
    if (ok) {
        auto num = [&](size_t from, size_t len) {
            int v = 0;
            for (size_t k = from; k < from + len; ++k)
                v = v * 10 + (slice[k] - '0');
            return v;
        };
        ok = TDate::TryFromYmd(num(4, 4), num(2, 2), num(0, 2), date);
    }
    if (!ok)
        throw ESubroutineError("Nepřípustná hodnota \"%s\" pro datum", slice);
    if (slot) {
        slot->Bytes = bytes;
        slot->Date = date;
    }
    return date;
}

} // namespace ndlemo
