#pragma once

#include "support/TDate.h"

#include <cstdint>
#include <string_view>

namespace ndlemo {

// The conversions with which record decoders turn column slices into values.

// The "text" kind: the slice without leading and trailing spaces and control characters. Never fails.
[[nodiscard]] inline std::string_view OrezText(std::string_view slice) {
    size_t b = 0;
    size_t e = slice.size();
    while (b < e && static_cast<unsigned char>(slice[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(slice[e - 1]) <= ' ')
        --e;
    return slice.substr(b, e - b);
}

// Integer rules: leading spaces, an optional sign, then decimal digits or a hexadecimal form after "$", "x" or
// "0x"; nothing may follow. False when the slice is no such number or does not fit.
[[nodiscard]] bool ZkusTextNaCele(std::string_view slice, int32_t& value);
[[nodiscard]] bool ZkusTextNaCele64(std::string_view slice, int64_t& value);
// The "integer" kind; raises EConvertError "'%s' is not a valid integer value" with the untrimmed slice.
[[nodiscard]] int32_t TextNaCeleCislo(std::string_view slice);
// The "lenient integer" kind: the trimmed slice as an integer, 0 when it is none.
[[nodiscard]] int32_t TextNaCeleCisloVolne(std::string_view slice);

// The "decimal" kind: the trimmed slice, "." taken as the system decimal separator; raises EConvertError
// "'%s' is not a valid floating point value" with the text after the replacement.
[[nodiscard]] double TextNaCislo(std::string_view slice);

// Only whether the slice is a valid integer or decimal, for columns whose value nothing reads; the same
// errors as the conversions.
void OverCeleCislo(std::string_view slice);
void OverCislo(std::string_view slice);

// The "date" kind: exactly eight digits DDMMYYYY forming a calendar date; raises ESubroutineError
// "Nepřípustná hodnota "%s" pro datum" with the untrimmed slice.
[[nodiscard]] TDate TextNaDatum(std::string_view slice);

} // namespace ndlemo
