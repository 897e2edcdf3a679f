#pragma once

#include "support/TDate.h"
#include "support/TextRules.h"

#include <cstdint>
#include <string_view>

namespace ndlemo {

// The conversions with which record decoders turn column slices into values.

// The "text" kind is TrimControls and the whole-number rules are TryStrToInt / TryStrToInt64 (support/TextRules.h).

// The "integer" kind; raises EConvertError "'%s' is not a valid integer value" with the untrimmed slice.
[[nodiscard]] int32_t TextToIntegerFull(std::string_view slice);
[[nodiscard]] inline int32_t TextToInteger(std::string_view slice) {
    // Leading spaces and at most nine digits cannot overflow; that covers the usual columns of the layouts, read
    // here in line (the callers' column widths bound the loops). Everything else takes the full rules.
    if (slice.size() <= 9) {
        size_t i = 0;
        while (i < slice.size() && slice[i] == ' ')
            ++i;
        size_t first = i;
        int32_t v = 0;
        for (; i < slice.size(); ++i) {
            auto d = static_cast<unsigned>(slice[i] - '0');
            if (d > 9)
                break;
            v = v * 10 + static_cast<int32_t>(d);
        }
        if (i == slice.size() && i > first)
            return v;
    }
    return TextToIntegerFull(slice);
}
// The "lenient integer" kind: the trimmed slice as an integer, 0 when it is none.
[[nodiscard]] int32_t TextToIntegerLenient(std::string_view slice);

// The "decimal" kind: the trimmed slice, "." taken as the system decimal separator; raises EConvertError
// "'%s' is not a valid floating point value" with the text after the replacement.
[[nodiscard]] double TextNaCislo(std::string_view slice);

// Only whether the slice is a valid integer or decimal, for columns whose value nothing reads; the same
// errors as the conversions.
inline void CheckInteger(std::string_view slice) {
    (void)TextToInteger(slice);
}
inline void CheckDecimal(std::string_view slice) {
    // A plain number (blanks, [sign] digits with at most one point, blanks) of a sane number of digits is in
    // range; anything else goes the full way. One pass, without trimming first.
    size_t n = slice.size();
    size_t i = 0;
    while (i < n && static_cast<unsigned char>(slice[i]) <= ' ')
        ++i;
    if (i < n && (slice[i] == '-' || slice[i] == '+'))
        ++i;
    size_t start = i;
    bool point = false;
    for (; i < n; ++i) {
        if (static_cast<unsigned>(slice[i] - '0') <= 9)
            continue;
        if (slice[i] != '.' || point)
            break;
        point = true;
    }
    size_t digits = i - start - (point ? 1 : 0);
    while (i < n && static_cast<unsigned char>(slice[i]) <= ' ')
        ++i;
    if (i == n && digits > 0 && digits <= 300)
        return;
    (void)TextNaCislo(slice);
}

// The "date" kind: exactly eight digits DDMMYYYY forming a calendar date; raises ESubroutineError
// "Nepřípustná hodnota "%s" pro datum" with the untrimmed slice.
[[nodiscard]] TDate TextNaDatum(std::string_view slice);

} // namespace ndlemo
