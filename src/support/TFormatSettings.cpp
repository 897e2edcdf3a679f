#include "support/TFormatSettings.h"

#include "support/TextCodec.h"

#include <clocale>
#include <cmath>
#include <cstdio>
#include <langinfo.h>
#include <locale.h>

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
    const std::string tfmt = nl_langinfo(T_FMT);
    for (size_t i = 0; i + 1 < tfmt.size(); ++i) {
        if (tfmt[i] == '%') {
            ++i;
            continue;
        }
        s.TimeSeparator = std::string(1, tfmt[i]);
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

} // namespace ndlemo
