#include "support/DaxValueRules.h"

#include "support/TextRules.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

namespace ndlemo {

namespace {

constexpr std::string_view CurrencyString = "Kč";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsDigitText(std::string_view s) {
    return s.size() == 1 && IsDigit(s[0]);
}

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return IsDigit(c); });
}

// Digits only; saturates instead of overflowing (a huge day is simply out of range).
int DigitsValue(std::string_view s) {
    long long v = 0;
    for (char c : s) {
        v = v * 10 + (c - '0');
        if (v > 1000000000)
            return 1000000000;
    }
    return static_cast<int>(v);
}

// UTF-8 text as its characters.
std::vector<std::string> SplitChars(std::string_view text) {
    std::vector<std::string> chars;
    for (size_t i = 0; i < text.size();) {
        size_t j = i + 1;
        while (j < text.size() && (static_cast<unsigned char>(text[j]) & 0xC0) == 0x80)
            ++j;
        chars.emplace_back(text.substr(i, j - i));
        i = j;
    }
    return chars;
}

std::string JoinChars(const std::vector<std::string>& chars) {
    std::string s;
    for (const auto& c : chars)
        s += c;
    return s;
}

// |value| rounded half away from zero to the decimals, as plain digits with "." ("1234.50").
std::string RoundedDigits(double value, int decimals) {
    decimals = std::clamp(decimals, 0, 30);
    char buf[512];
    // Far more digits than a double carries, so that a true half is seen as such.
    std::snprintf(buf, sizeof buf, "%.60f", std::fabs(value));
    std::string s = buf;
    size_t point = s.find('.');
    std::string whole = s.substr(0, point);
    std::string frac = s.substr(point + 1);
    bool up = frac.size() > static_cast<size_t>(decimals) && frac[static_cast<size_t>(decimals)] >= '5';
    std::string digits = whole + frac.substr(0, static_cast<size_t>(decimals));
    if (up) {
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<size_t>(i)] == '9') {
            digits[static_cast<size_t>(i)] = '0';
            --i;
        }
        if (i < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[static_cast<size_t>(i)];
    }
    size_t wholeLen = digits.size() - static_cast<size_t>(decimals);
    std::string result = digits.substr(0, wholeLen);
    if (decimals > 0)
        result += "." + digits.substr(wholeLen);
    return result;
}

bool IsZeroDigits(std::string_view digits) {
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0' || c == '.'; });
}

std::string GroupThousands(std::string_view whole, std::string_view separator) {
    std::string out;
    size_t n = whole.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += separator;
        out += whole[i];
    }
    return out;
}

// Mantissa digits (no trailing zeros) and decimal exponent of |value| at the given significant digits.
void Decompose(double value, int significant, std::string& digits, int& exponent) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", significant - 1, std::fabs(value));
    std::string s = buf;
    size_t e = s.find('e');
    digits.clear();
    for (size_t i = 0; i < e; ++i)
        if (IsDigit(s[i]))
            digits += s[i];
    exponent = std::atoi(s.c_str() + e + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();
}

std::string Scientific(double value, int significant, std::string_view decimalSeparator) {
    std::string digits;
    int exponent = 0;
    Decompose(value, significant, digits, exponent);
    std::string out = value < 0 ? "-" : "";
    out += digits.substr(0, 1);
    if (digits.size() > 1)
        out += std::string(decimalSeparator) + digits.substr(1);
    out += "E" + std::to_string(exponent);
    return out;
}

bool IsPlace(const std::string& item) {
    return item == "0" || item == "#";
}

// Items of a picture: "0" and "#" digit places, "L..." literal text.
struct TPictureSection {
    std::string Prefix;             // literals before the first digit place
    std::vector<std::string> Whole; // digit places ("0", "#") and literals of the whole part, in order
    std::vector<std::string> Frac;  // the same for the decimal part
    bool HasPoint = false;
    bool Thousands = false;
};

std::vector<std::string> SplitSections(std::string_view picture) {
    std::vector<std::string> sections(1);
    char quote = 0;
    for (char c : picture) {
        if (quote) {
            if (c == quote)
                quote = 0;
            sections.back() += c;
        } else if (c == '\'' || c == '"') {
            quote = c;
            sections.back() += c;
        } else if (c == ';') {
            sections.emplace_back();
        } else {
            sections.back() += c;
        }
    }
    return sections;
}

TPictureSection ParseSection(std::string_view section) {
    TPictureSection p;
    bool seenPlace = false;
    auto add = [&](std::string item) {
        auto& list = p.HasPoint ? p.Frac : p.Whole;
        if (!seenPlace && !IsPlace(item))
            p.Prefix += item.substr(1);
        else
            list.push_back(std::move(item));
    };
    for (size_t i = 0; i < section.size(); ++i) {
        char c = section[i];
        if (c == '\'' || c == '"') {
            size_t end = section.find(c, i + 1);
            if (end == std::string_view::npos)
                end = section.size();
            std::string literal(section.substr(i + 1, end - i - 1));
            if (!literal.empty())
                add("L" + literal);
            i = end;
        } else if (c == '0' || c == '#') {
            add(std::string(1, c));
            seenPlace = true;
        } else if (c == '.' && !p.HasPoint) {
            p.HasPoint = true;
            seenPlace = true;
        } else if (c == ',' && !p.HasPoint) {
            p.Thousands = true;
        } else {
            // A multi-byte character stays together.
            size_t j = i + 1;
            while (j < section.size() && (static_cast<unsigned char>(section[j]) & 0xC0) == 0x80)
                ++j;
            add("L" + std::string(section.substr(i, j - i)));
            i = j - 1;
        }
    }
    return p;
}

std::string FormatSection(const TPictureSection& p, double value, const TFormatSettings& fs) {
    int maxDecimals = 0;
    int minDecimals = 0;
    for (size_t i = 0; i < p.Frac.size(); ++i) {
        if (IsPlace(p.Frac[i])) {
            ++maxDecimals;
            if (p.Frac[i] == "0")
                minDecimals = maxDecimals;
        }
    }
    int minWhole = 0;
    bool zeroSeen = false;
    for (const auto& item : p.Whole) {
        if (item == "0")
            zeroSeen = true;
        if (zeroSeen && IsPlace(item))
            ++minWhole;
    }
    std::string digits = RoundedDigits(value, maxDecimals);
    size_t point = digits.find('.');
    std::string whole = digits.substr(0, point);
    std::string frac = point == std::string::npos ? "" : digits.substr(point + 1);
    while (static_cast<int>(frac.size()) > minDecimals && frac.back() == '0')
        frac.pop_back();
    // Leading zeros of the whole part only as far as the picture asks for them.
    size_t firstNonZero = whole.find_first_not_of('0');
    whole = firstNonZero == std::string::npos ? "" : whole.substr(firstNonZero);
    if (static_cast<int>(whole.size()) < minWhole)
        whole.insert(0, static_cast<size_t>(minWhole) - whole.size(), '0');

    std::string out = p.Prefix;
    if (p.Thousands) {
        out += GroupThousands(whole, fs.ThousandSeparator);
        for (const auto& item : p.Whole)
            if (!IsPlace(item))
                out += item.substr(1);
    } else {
        // Digit places take the digits from the right; the leftmost place takes all that remain.
        std::vector<std::string> parts(p.Whole.size());
        int remaining = static_cast<int>(whole.size());
        int leftmost = -1;
        for (size_t i = 0; i < p.Whole.size(); ++i)
            if (IsPlace(p.Whole[i])) {
                leftmost = static_cast<int>(i);
                break;
            }
        for (int i = static_cast<int>(p.Whole.size()) - 1; i >= 0; --i) {
            const auto& item = p.Whole[static_cast<size_t>(i)];
            if (!IsPlace(item)) {
                parts[static_cast<size_t>(i)] = item.substr(1);
            } else if (i == leftmost) {
                parts[static_cast<size_t>(i)] = whole.substr(0, static_cast<size_t>(std::max(remaining, 0)));
                remaining = 0;
            } else if (remaining > 0) {
                parts[static_cast<size_t>(i)] = whole.substr(static_cast<size_t>(remaining - 1), 1);
                --remaining;
            }
        }
        if (leftmost < 0)
            out += whole;
        for (const auto& part : parts)
            out += part;
    }
    if (!frac.empty())
        out += fs.DecimalSeparator;
    size_t next = 0;
    for (const auto& item : p.Frac) {
        if (IsPlace(item)) {
            if (next < frac.size())
                out += frac[next++];
        } else {
            out += item.substr(1);
        }
    }
    return out;
}

} // namespace

TKeyDecision FilterEditKey(TValueType type, TEditKey key, std::string_view character, const TFormatSettings& fs) {
    switch (type) {
    case vtInteger:
    case vtFloat:
    case vtCurrency:
        switch (key) {
        case TEditKey::Backspace:
        case TEditKey::Enter:
            return {TKeyAction::Accept, {}};
        case TEditKey::Escape:
            return {TKeyAction::Undo, {}};
        case TEditKey::Character:
            if (IsDigitText(character) || character == "-" || (type != vtInteger && character == fs.DecimalSeparator))
                return {TKeyAction::Accept, std::string(character)};
            return {TKeyAction::Drop, {}};
        default:
            return {TKeyAction::Drop, {}};
        }
    case vtDate:
        switch (key) {
        case TEditKey::Copy:
        case TEditKey::Cut:
        case TEditKey::Backspace:
            return {TKeyAction::Accept, {}};
        case TEditKey::Paste:
            return {TKeyAction::PasteDate, {}};
        case TEditKey::Character:
            if (character == "*")
                return {TKeyAction::CompleteDate, {}};
            if (IsDigitText(character) || character == fs.DateSeparator)
                return {TKeyAction::Accept, std::string(character)};
            if (character == "-" || character == "." || character == "/" || character == fs.DecimalSeparator)
                return {TKeyAction::Accept, fs.DateSeparator};
            return {TKeyAction::Drop, {}};
        default:
            return {TKeyAction::Drop, {}};
        }
    default:
        return {TKeyAction::Accept, std::string(character)};
    }
}

std::string CompleteDateText(std::string_view text, std::string_view separator, TDate today) {
    int y, m, d;
    today.Decode(y, m, d);
    const std::string sep(separator);
    const std::string day = std::to_string(d), month = std::to_string(m), year = std::to_string(y);
    std::string s(text);
    if (s.empty())
        return day + sep + month + sep + year;
    size_t first = s.find(sep);
    if (first == std::string::npos)
        return s + sep + month + sep + year;
    size_t second = s.find(sep, first + sep.size());
    if (second == std::string::npos) {
        if (first + sep.size() == s.size())
            return s + month + sep + year;
        return s + sep + year;
    }
    if (second + sep.size() == s.size())
        return s + year;
    return s;
}

TDateEntry ParseDateEntry(std::string_view text, std::string_view separator) {
    TDateEntry r;
    if (text.empty())
        return r;
    auto fail = [&r](const char* message) {
        r.Result = TDateEntry::TResult::Message;
        r.Message = message;
        return r;
    };
    std::string_view day = text, month, year;
    size_t first = text.find(separator);
    if (first != std::string_view::npos) {
        day = text.substr(0, first);
        std::string_view rest = text.substr(first + separator.size());
        size_t second = rest.find(separator);
        month = rest.substr(0, second);
        if (second != std::string_view::npos)
            year = rest.substr(second + separator.size());
    }
    if (day.empty())
        return fail("Den musí být vyplněn");
    if (!AllDigits(day)) {
        r.Result = TDateEntry::TResult::NotANumber;
        return r;
    }
    int d = DigitsValue(day);
    if (d < 1 || d > 31)
        return fail("Den musí být 1 - 31");
    if (month.empty())
        return fail("Měsíc musí být vyplněn");
    if (!AllDigits(month)) {
        r.Result = TDateEntry::TResult::NotANumber;
        return r;
    }
    int m = DigitsValue(month);
    if (m < 1 || m > 12)
        return fail("Měsíc musí být 1 - 12");
    if (m == 2 && (d == 30 || d == 31))
        return fail("Denmusí být 1 - 29");
    if ((m == 4 || m == 6 || m == 9 || m == 11) && d == 31)
        return fail("Den musí být 1 - 30");
    if (year.empty())
        return fail("Rok musí být vyplněn");
    if (!AllDigits(year))
        return fail("Chybný formát datumu");
    std::string fullYear(year);
    if (year.size() == 2) {
        fullYear = (DigitsValue(year) > 50 ? "19" : "20") + fullYear;
    } else if (year.size() == 4) {
        if (DigitsValue(year) % 4 != 0 && m == 2 && d == 29)
            return fail("Den musí být 1 - 28");
    } else {
        return fail("Rok musi byt na 2 nebo 4 znaky");
    }
    const std::string sep(separator);
    r.Text = std::string(day) + sep + std::string(month) + sep + fullYear;
    if (!TDate::TryFromYmd(DigitsValue(fullYear), m, d, r.Date)) {
        r.Date = TDate();
        return fail("Chybný formát datumu");
    }
    r.Result = TDateEntry::TResult::Ok;
    return r;
}

std::string NotAcceptableValueMessage(std::string_view text) {
    return "'" + std::string(text) + "' není přípustná hodnota.";
}

double ValueFromTyping(std::string_view text, std::string_view decimalSeparator) {
    std::string kept;
    for (size_t i = 0; i < text.size();) {
        if (!decimalSeparator.empty() && text.substr(i, decimalSeparator.size()) == decimalSeparator) {
            kept += '.';
            i += decimalSeparator.size();
            continue;
        }
        char c = text[i];
        if (IsDigit(c) || c == '+' || c == '-' || c == 'E' || c == 'e')
            kept += c;
        ++i;
    }
    double value = 0;
    return TryParseDecimal(kept, ".", value) ? value : 0.0;
}

bool TryParseInteger(std::string_view text, int64_t& value) {
    return TryStrToInt64(TrimSpaces(text), value);
}

bool TryParseDecimal(std::string_view text, std::string_view decimalSeparator, double& value) {
    std::string_view s = TrimSpaces(text);
    std::string plain;
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            plain += '-';
        ++i;
    }
    int mantissaDigits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        plain += s[i++];
        ++mantissaDigits;
    }
    if (!decimalSeparator.empty() && s.substr(i, decimalSeparator.size()) == decimalSeparator) {
        plain += '.';
        i += decimalSeparator.size();
        while (i < s.size() && IsDigit(s[i])) {
            plain += s[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            plain += s[i++];
        int exponentDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            plain += s[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    if (i != s.size())
        return false;
    double v = 0;
    auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), v);
    if (ec != std::errc() || end != plain.data() + plain.size())
        return false;
    value = v;
    return true;
}

std::string FormatGeneral(double value, std::string_view decimalSeparator) {
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    if (value == 0)
        return "0";
    std::string digits;
    int exponent = 0;
    Decompose(value, 15, digits, exponent);
    if (exponent >= 15 || std::fabs(value) < 0.00001)
        return Scientific(value, 15, decimalSeparator);
    std::string out = value < 0 ? "-" : "";
    if (exponent < 0) {
        out += "0" + std::string(decimalSeparator) + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
    } else {
        size_t wholeLen = static_cast<size_t>(exponent) + 1;
        if (digits.size() <= wholeLen) {
            out += digits + std::string(wholeLen - digits.size(), '0');
        } else {
            out += digits.substr(0, wholeLen) + std::string(decimalSeparator) + digits.substr(wholeLen);
        }
    }
    return out;
}

std::string FormatFixed(double value, int precision, int decimals, std::string_view decimalSeparator) {
    if (!std::isfinite(value))
        return FormatGeneral(value, decimalSeparator);
    if (precision <= 0)
        precision = 15;
    std::string digits = RoundedDigits(value, decimals);
    size_t point = digits.find('.');
    std::string whole = digits.substr(0, point);
    if (static_cast<int>(whole.size()) > precision)
        return Scientific(value, precision, decimalSeparator);
    std::string out = value < 0 && !IsZeroDigits(digits) ? "-" : "";
    out += whole;
    if (point != std::string::npos)
        out += std::string(decimalSeparator) + digits.substr(point + 1);
    return out;
}

std::string FormatCurrency(double value, const TFormatSettings& fs) {
    if (!std::isfinite(value))
        return FormatGeneral(value, fs.DecimalSeparator);
    std::string digits = RoundedDigits(value, 2);
    size_t point = digits.find('.');
    std::string out = value < 0 && !IsZeroDigits(digits) ? "-" : "";
    out += GroupThousands(digits.substr(0, point), fs.ThousandSeparator);
    out += fs.DecimalSeparator + digits.substr(point + 1);
    out += " " + std::string(CurrencyString);
    return out;
}

std::string FormatFloatPicture(std::string_view picture, double value, const TFormatSettings& fs) {
    if (picture.empty() || !std::isfinite(value) || std::fabs(value) >= 1e18)
        return FormatGeneral(value, fs.DecimalSeparator);
    std::vector<std::string> sections = SplitSections(picture);
    TPictureSection first = ParseSection(sections[0]);
    int maxDecimals = 0;
    for (const auto& item : first.Frac)
        if (IsPlace(item))
            ++maxDecimals;
    bool zero = IsZeroDigits(RoundedDigits(value, maxDecimals));
    if (zero && sections.size() >= 3 && !sections[2].empty())
        return FormatSection(ParseSection(sections[2]), 0.0, fs);
    if (value < 0 && !zero) {
        if (sections.size() >= 2 && !sections[1].empty())
            return FormatSection(ParseSection(sections[1]), value, fs);
        return "-" + FormatSection(first, value, fs);
    }
    return FormatSection(first, value, fs);
}

double RoundWhole(double value) {
    return std::round(value);
}

std::string FormatEditValue(const TEditDisplay& d, const TFormatSettings& fs) {
    switch (d.Type) {
    case vtInteger:
        if (!d.CustomFormat.empty())
            return FormatFloatPicture(d.CustomFormat, RoundWhole(d.Value), fs);
        return EditingText(vtInteger, d.Value, fs);
    case vtFloat:
        if (!d.CustomFormat.empty())
            return FormatFloatPicture(d.CustomFormat, d.Value, fs);
        return FormatFixed(d.Value, d.Digits, d.Decimals, fs.DecimalSeparator);
    case vtCurrency:
        return FormatCurrency(d.Value, fs);
    case vtDate:
        return fs.FormatDate(d.Date);
    default:
        return {};
    }
}

std::string EditingText(TValueType type, double value, const TFormatSettings& fs) {
    switch (type) {
    case vtInteger: {
        double whole = RoundWhole(value);
        if (std::fabs(whole) < 9e18)
            return std::to_string(static_cast<int64_t>(whole));
        return FormatGeneral(whole, fs.DecimalSeparator);
    }
    case vtFloat:
    case vtCurrency:
        return FormatGeneral(value, fs.DecimalSeparator);
    default:
        return {};
    }
}

TValidateResult ValidateFloatKey(std::string_view text, int selStart, int selLength, TEditKey key,
                                 std::string_view character, int digits, int decimals,
                                 std::string_view decimalSeparator) {
    TValidateResult r;
    const std::string sep(decimalSeparator);
    bool isDigit = key == TEditKey::Character && IsDigitText(character);
    bool isMinus = key == TEditKey::Character && character == "-";
    bool isSep = key == TEditKey::Character && character == sep;
    if (key != TEditKey::Backspace && !isDigit && !isMinus && !isSep)
        return r; // dropped silently (Enter, letters, shortcuts)

    std::vector<std::string> t = SplitChars(text);
    int caret = std::clamp(selStart, 0, static_cast<int>(t.size()));
    auto sepIndex = [&t, &sep]() -> int {
        auto it = std::find(t.begin(), t.end(), sep);
        return it == t.end() ? -1 : static_cast<int>(it - t.begin());
    };
    if (selLength > 0) {
        int end = std::min(caret + selLength, static_cast<int>(t.size()));
        int s = sepIndex();
        if (s >= caret && s < end)
            end = static_cast<int>(t.size());
        t.erase(t.begin() + caret, t.begin() + end);
        if (key == TEditKey::Backspace) {
            r.Changed = true;
            r.Text = JoinChars(t);
            r.Caret = caret;
            return r;
        }
    }
    // Grouping characters and the like go; the caret keeps its place among the rest.
    for (int i = static_cast<int>(t.size()) - 1; i >= 0; --i) {
        const std::string& c = t[static_cast<size_t>(i)];
        if (!IsDigitText(c) && c != "-" && c != sep) {
            t.erase(t.begin() + i);
            if (i < caret)
                --caret;
        }
    }
    const int len = static_cast<int>(t.size());
    const int s = sepIndex();
    // Longest whole part (sign included), so that whole part, separator and decimals fit in Digits.
    const int wholeLimit = digits > 0 ? digits - decimals - (decimals > 0 ? 1 : 0) : -1;
    auto refuse = [&r]() {
        r.Beep = true;
        return r;
    };
    auto insert = [&](const std::string& c) {
        t.insert(t.begin() + caret, c);
        r.Changed = true;
        r.Text = JoinChars(t);
        r.Caret = caret + 1;
        return r;
    };

    if (key == TEditKey::Backspace) {
        if (caret == 0) {
            r.Changed = true;
            r.Text = JoinChars(t);
            r.Caret = 0;
            return r;
        }
        if (s >= 0 && caret == s + 1 && len > s + 1 && digits > 0 && len > digits - decimals)
            return refuse();
        t.erase(t.begin() + caret - 1);
        r.Changed = true;
        r.Text = JoinChars(t);
        r.Caret = caret - 1;
        return r;
    }
    if (isMinus) {
        if (caret != 0 || std::find(t.begin(), t.end(), "-") != t.end())
            return refuse();
        return insert("-");
    }
    if (isSep) {
        if (decimals == 0 || s >= 0 || len - caret > decimals)
            return refuse();
        return insert(sep);
    }
    // A digit.
    if (caret == 0 && len > 0 && t[0] == "-")
        return refuse();
    if (s >= 0 && caret > s) {
        if (len - s - 1 >= decimals)
            return refuse();
        return insert(std::string(character));
    }
    int wholeLen = s >= 0 ? s : len;
    if (wholeLimit >= 0 && wholeLen >= wholeLimit) {
        if (s < 0 && caret == len && decimals > 0)
            return insert(sep);
        return refuse();
    }
    return insert(std::string(character));
}

} // namespace ndlemo
