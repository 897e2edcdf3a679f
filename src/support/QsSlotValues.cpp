#include "support/QsSlotValues.h"

#include "support/EQsSDSException.h"
#include "support/FormatText.h"
#include "support/TFormatSettings.h"
#include "support/TextCodec.h"
#include "support/TextRules.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace ndlemo::qs {

namespace {
template <typename T> bool ParseWhole(std::string_view s, T& out) {
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size() && !s.empty();
}
} // namespace

[[noreturn]] void Fail(const std::string& message) {
    throw EQsSDSException(message);
}

void PutU16(uint8_t* p, uint16_t v) {
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}
[[nodiscard]] uint16_t GetU16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

void PutI32(uint8_t* p, int32_t value) {
    auto v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}
[[nodiscard]] int32_t GetI32(const uint8_t* p) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i)
        v |= static_cast<uint32_t>(p[i]) << (8 * i);
    return static_cast<int32_t>(v);
}

void PutDouble(uint8_t* p, double value) {
    auto v = std::bit_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}
[[nodiscard]] double GetDouble(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 0; i < 8; ++i)
        v |= static_cast<uint64_t>(p[i]) << (8 * i);
    return std::bit_cast<double>(v);
}

[[nodiscard]] bool IsTextType(TQsFieldType t) {
    return t == TQsFieldType::ftString;
}

[[noreturn]] void AccessError(const TQsFieldDef& def, const char* asType) {
    Fail(FormatText("Cannot access field '%s' as type %s", def.Name, asType));
}

[[nodiscard]] bool FitsInt32(double v) {
    return v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max();
}

[[nodiscard]] bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lx = static_cast<unsigned char>(x), ly = static_cast<unsigned char>(y);
        return (lx >= 'A' && lx <= 'Z' ? lx + 32 : lx) == (ly >= 'A' && ly <= 'Z' ? ly + 32 : ly);
    });
}

[[nodiscard]] int32_t ParseInt32(std::string_view text) {
    int32_t v = 0;
    if (!TryStrToInt(TrimSpaces(text), v))
        Fail(FormatText("'%s' is not a valid integer value", text));
    return v;
}

[[nodiscard]] double ParseFloat(std::string_view text) {
    std::string s(TrimSpaces(text));
    const std::string& sep = TFormatSettings::Current().DecimalSeparator;
    if (sep != ".")
        for (size_t pos; (pos = s.find(sep)) != std::string::npos;)
            s.replace(pos, sep.size(), ".");
    double v = 0;
    if (!ParseWhole(std::string_view(s), v) || !std::isfinite(v))
        Fail(FormatText("'%s' is not a valid floating point value", text));
    return v;
}

[[nodiscard]] std::string FloatText(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    std::string s = buf;
    if (size_t dot = s.find('.'); dot != std::string::npos)
        s.replace(dot, 1, TFormatSettings::Current().DecimalSeparator);
    return s;
}

[[noreturn]] void BadValue(const TQsFieldDef& def, double value) {
    Fail(FormatText("%s is not a valid value for field '%s'", FloatText(value), def.Name));
}

[[nodiscard]] std::string TimeText(int32_t ms) {
    char buf[32];
    int32_t secs = ms / 1000;
    std::snprintf(buf, sizeof buf, "%d:%02d:%02d", secs / 3600, secs / 60 % 60, secs % 60);
    return buf;
}

// "d.m.yyyy" with the system's date separator.
bool TryParseDate(std::string_view s, TDate& out) {
    return TryShortTextToDate(s, TFormatSettings::Current().DateSeparator, out);
}

// "h:mm" or "h:mm:ss", as milliseconds of the day.
bool TryParseTime(std::string_view s, int32_t& ms) {
    int parts[3] = {};
    int n = 0;
    for (;;) {
        size_t colon = s.find(':');
        if (n == 3 || !ParseWhole(s.substr(0, colon), parts[n++]))
            return false;
        if (colon == std::string_view::npos)
            break;
        s.remove_prefix(colon + 1);
    }
    if (n < 2 || parts[0] < 0 || parts[0] > 23 || parts[1] < 0 || parts[1] > 59 || parts[2] < 0 || parts[2] > 59)
        return false;
    ms = ((parts[0] * 60 + parts[1]) * 60 + parts[2]) * 1000;
    return true;
}

[[nodiscard]] int32_t MsOfDay(TDateTime value) {
    int h, m, s, ms;
    value.DecodeTime(h, m, s, ms);
    return ((h * 60 + m) * 60 + s) * 1000 + ms;
}

[[nodiscard]] TDateTime DateTimeOf(TDate date, int32_t ms) {
    return TDateTime(date.Serial() + static_cast<double>(ms) / MsPerDay);
}

// A date, optionally followed by blanks and a time.
[[nodiscard]] std::optional<TDateTime> TryParseDateTime(std::string_view s) {
    size_t blank = s.find(' ');
    TDate date;
    int32_t ms = 0;
    if (!TryParseDate(s.substr(0, blank), date) ||
        (blank != std::string_view::npos && !TryParseTime(TrimSpaces(s.substr(blank)), ms)))
        return std::nullopt;
    return DateTimeOf(date, ms);
}

[[nodiscard]] std::string DateTimeText(TDateTime value) {
    return TFormatSettings::Current().FormatDate(value.Date()) + " " + TimeText(MsOfDay(value));
}

// The value bytes of a slot (presence byte first); nullptr for null or for no slot at all.
[[nodiscard]] const uint8_t* ValueOf(const uint8_t* slot) {
    return slot && slot[0] != 0 ? slot + 1 : nullptr;
}

// Text of a slot; "" for null.
[[nodiscard]] std::string SlotText(const TQsFieldDef& def, const uint8_t* slot) {
    const uint8_t* v = ValueOf(slot);
    if (!v)
        return {};
    switch (def.DataType) {
    case TQsFieldType::ftString: {
        auto* chars = reinterpret_cast<const char*>(v);
        return Cp1250ToUtf8(std::string_view(chars, strnlen(chars, static_cast<size_t>(def.Size))));
    }
    case TQsFieldType::ftSmallint:
        return std::to_string(static_cast<int16_t>(GetU16(v)));
    case TQsFieldType::ftWord:
        return std::to_string(GetU16(v));
    case TQsFieldType::ftBoolean:
        return GetU16(v) != 0 ? "True" : "False";
    case TQsFieldType::ftInteger:
    case TQsFieldType::ftAutoInc:
        return std::to_string(GetI32(v));
    case TQsFieldType::ftFloat:
    case TQsFieldType::ftCurrency:
        return FloatText(GetDouble(v));
    case TQsFieldType::ftDate:
        return TFormatSettings::Current().FormatDate(TDate(GetI32(v)));
    case TQsFieldType::ftTime:
        return TimeText(GetI32(v));
    case TQsFieldType::ftDateTime:
        return DateTimeText(TDateTime(GetDouble(v)));
    default:
        return {};
    }
}

} // namespace ndlemo::qs
