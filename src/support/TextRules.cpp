#include "support/TextRules.h"

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

// Reads the whole-number forms into a magnitude; decLimitPos/decLimitNeg are the largest magnitudes of a
// decimal number of either sign, hexLimit the largest bit pattern of a hexadecimal one.
bool ParseMagnitude(std::string_view s, uint64_t decLimitPos, uint64_t decLimitNeg, uint64_t hexLimit,
                    uint64_t& magnitude, bool& negative) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ')
        ++i;
    negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    bool hex = false;
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
        const uint64_t limit = negative ? decLimitNeg : decLimitPos;
        for (; i < s.size(); ++i) {
            const char c = s[i];
            if (c < '0' || c > '9')
                return false;
            const auto d = static_cast<uint64_t>(c - '0');
            if (value > (limit - d) / 10)
                return false;
            value = value * 10 + d;
        }
    }
    magnitude = value;
    return true;
}

// One or more digits, at most nine.
bool ParseDigits(std::string_view s, int& value) {
    if (s.empty() || s.size() > 9)
        return false;
    int v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    value = v;
    return true;
}

} // namespace

std::string TrimWhitespace(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n";
    const size_t b = text.find_first_not_of(blanks);
    if (b == std::string_view::npos)
        return {};
    const size_t e = text.find_last_not_of(blanks);
    return std::string(text.substr(b, e - b + 1));
}

std::string_view TrimSpaces(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

bool TryStrToInt(std::string_view text, int32_t& value) {
    uint64_t magnitude = 0;
    bool negative = false;
    if (!ParseMagnitude(text, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, magnitude, negative))
        return false;
    auto bits = static_cast<uint32_t>(magnitude);
    if (negative)
        bits = 0u - bits;
    value = static_cast<int32_t>(bits);
    return true;
}

bool TryStrToInt64(std::string_view text, int64_t& value) {
    uint64_t magnitude = 0;
    bool negative = false;
    if (!ParseMagnitude(text, 0x7FFFFFFFFFFFFFFFull, 0x8000000000000000ull, ~0ull, magnitude, negative))
        return false;
    const uint64_t bits = negative ? 0ull - magnitude : magnitude;
    value = static_cast<int64_t>(bits);
    return true;
}

bool TryShortTextToDate(std::string_view text, std::string_view separator, TDate& date) {
    if (separator.empty())
        return false;
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        const size_t end = i < 2 ? text.find(separator) : text.size();
        if (end == std::string_view::npos || !ParseDigits(text.substr(0, end), parts[i]))
            return false;
        text.remove_prefix(i < 2 ? end + separator.size() : end);
    }
    TDate result;
    if (!TDate::TryFromYmd(parts[2], parts[1], parts[0], result) || result.IsNull())
        return false;
    date = result;
    return true;
}

} // namespace ndlemo
