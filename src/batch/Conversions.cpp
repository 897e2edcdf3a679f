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

int32_t TextToIntegerFull(std::string_view slice) {
    int32_t value = 0;
    if (!TryStrToInt(slice, value))
        throw EConvertError(FormatText("'%s' is not a valid integer value", slice));
    return value;
}

int32_t TextToIntegerLenient(std::string_view slice) {
    int32_t value = 0;
    return TryStrToInt(TrimControls(slice), value) ? value : 0;
}

double TextNaCislo(std::string_view slice) {
    std::string_view text = TrimControls(slice);
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
