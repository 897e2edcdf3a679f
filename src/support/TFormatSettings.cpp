#include "support/TFormatSettings.h"

#include "support/TextCodec.h"

#include <algorithm>
#include <cctype>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <langinfo.h>
#include <locale.h>
#include <utility>

namespace ndlemo {

namespace {
TFormatSettings& Settings() {
    static TFormatSettings settings;
    return settings;
}

std::string TwoDigits(int v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", v);
    return buf;
}

// The C library's time format in the pattern letters of LongTimeFormat; the compound conversions first.
std::string TimePattern(std::string tfmt) {
    for (auto [from, to] : {std::pair{"%T", "%H:%M:%S"}, {"%R", "%H:%M"}, {"%r", "%I:%M:%S %p"}})
        for (size_t at; (at = tfmt.find(from)) != std::string::npos;)
            tfmt.replace(at, 2, to);
    static constexpr std::pair<char, const char*> letters[] = {{'H', "HH"}, {'k', "H"},  {'I', "hh"}, {'l', "h"},
                                                               {'M', "mm"}, {'S', "ss"}, {'p', "AP"}};
    std::string out;
    for (size_t i = 0; i < tfmt.size(); ++i) {
        if (tfmt[i] != '%' || i + 1 == tfmt.size()) {
            out += tfmt[i];
            continue;
        }
        ++i;
        for (auto [letter, pattern] : letters)
            if (tfmt[i] == letter)
                out += pattern;
    }
    return out;
}

// Length of the run of the same letter starting at pos.
size_t RunLength(std::string_view text, size_t pos) {
    size_t end = pos;
    while (end < text.size() && text[end] == text[pos])
        ++end;
    return end - pos;
}
} // namespace

const TFormatSettings& TFormatSettings::Current() {
    return Settings();
}

void TFormatSettings::Set(const TFormatSettings& settings) {
    Settings() = settings;
}

TFormatSettings TFormatSettings::FromSystem() {
    TFormatSettings s;
    const char* name = std::setlocale(LC_ALL, nullptr);
    std::string locale = name ? name : "C";
    // C.UTF-8 and its kin are the C locale with another code set: no regional conventions either.
    if (locale == "C" || locale == "POSIX" || locale.rfind("C.", 0) == 0)
        return s;
    // The locale's own texts are in its code set, which on Debian is UTF-8.
    const lconv* lc = std::localeconv();
    if (lc && lc->decimal_point && *lc->decimal_point)
        s.DecimalSeparator = lc->decimal_point;
    if (lc && lc->thousands_sep && *lc->thousands_sep)
        s.ThousandSeparator = lc->thousands_sep;
    std::string dfmt = nl_langinfo(D_FMT);
    // The date separator is the first character between the date fields, e.g. "%d.%m.%Y" or "%m/%d/%Y".
    for (size_t i = 0; i + 1 < dfmt.size(); ++i) {
        if (dfmt[i] == '%') {
            ++i;
            continue;
        }
        s.DateSeparator = std::string(1, dfmt[i]);
        break;
    }
    std::string fmt;
    for (size_t i = 0; i < dfmt.size(); ++i) {
        if (dfmt[i] == '%' && i + 1 < dfmt.size()) {
            char c = dfmt[++i];
            fmt += c == 'd' || c == 'e' ? "dd" : c == 'm' ? "MM" : c == 'Y' ? "yyyy" : c == 'y' ? "yy" : "";
        } else {
            fmt += dfmt[i];
        }
    }
    if (!fmt.empty())
        s.ShortDateFormat = fmt;
    const std::string tfmt = nl_langinfo(T_FMT);
    if (std::string pattern = TimePattern(tfmt); !pattern.empty()) {
        s.LongTimeFormat = pattern;
        for (char c : pattern)
            if (!std::isalpha(static_cast<unsigned char>(c)) && c != ' ') {
                s.TimeSeparator = std::string(1, c);
                break;
            }
    }
    return s;
}

std::string TFormatSettings::FormatDate(TDate date) const {
    if (date.IsNull())
        return {};
    int y, m, d;
    date.Decode(y, m, d);
    char year[16];
    std::snprintf(year, sizeof year, "%04d", y);
    return TwoDigits(d) + DateSeparator + TwoDigits(m) + DateSeparator + year;
}

std::string TFormatSettings::FormatNumber(double value, int decimals, bool thousands) const {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, std::fabs(value));
    std::string digits = buf;
    std::string frac;
    if (size_t dot = digits.find('.'); dot != std::string::npos) {
        frac = digits.substr(dot + 1);
        digits.resize(dot);
    }
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (thousands && i > 0 && (digits.size() - i) % 3 == 0)
            out += ThousandSeparator;
        out += digits[i];
    }
    if (!frac.empty())
        out += DecimalSeparator + frac;
    bool zero = std::string(buf).find_first_not_of("0.") == std::string::npos;
    return (value < 0 && !zero ? "-" : "") + out;
}

std::string TFormatSettings::FormatDateTime(std::string_view pattern, TDateTime value) const {
    if (value.IsNull())
        return {};
    int year, month, day, hour, minute, second, msec;
    value.Date().Decode(year, month, day);
    value.DecodeTime(hour, minute, second, msec);
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    std::string out;
    for (size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        const size_t run = RunLength(pattern, i);
        const int* field = c == 'd'   ? &day
                           : c == 'M' ? &month
                           : c == 'H' ? &hour
                           : c == 'h' ? &hour12
                           : c == 'm' ? &minute
                           : c == 's' ? &second
                                      : nullptr;
        if (field) {
            out += run >= 2 ? TwoDigits(*field) : std::to_string(*field);
            i += std::min<size_t>(run, 2);
        } else if (c == 'y') {
            char buf[16];
            std::snprintf(buf, sizeof buf, "%04d", year);
            out += run >= 4 ? std::string(buf) : TwoDigits(year % 100);
            i += run >= 4 ? 4 : std::min<size_t>(run, 2);
        } else if ((c == 'A' || c == 'a') && i + 1 < pattern.size() && std::tolower(pattern[i + 1]) == 'p') {
            out += hour < 12 ? (c == 'A' ? "AM" : "am") : (c == 'A' ? "PM" : "pm");
            i += 2;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

std::string TFormatSettings::FormatShortDateLongTime(TDateTime value) const {
    return FormatDateTime(ShortDateFormat + " " + LongTimeFormat, value);
}

} // namespace ndlemo
