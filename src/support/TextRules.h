#pragma once

#include "support/TDate.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ndlemo {

// The program's rules for reading texts: which characters count as blanks at the ends of a value, and what
// counts as a whole number or a date. Each name says which rule it applies; callers pick the rule their input
// follows.

// Settings, INI files and what the user types: blanks, tabs, CR and LF at either end.
[[nodiscard]] std::string TrimWhitespace(std::string_view text);

// Numbers in a field or table cell: spaces only (a tab is no blank there, so "\t5" is no number).
[[nodiscard]] std::string_view TrimSpaces(std::string_view text);

// Columns of batch files: every byte up to and including the blank (space and all control characters).
[[nodiscard]] inline std::string_view TrimControls(std::string_view text) {
    size_t b = 0;
    size_t e = text.size();
    while (b < e && static_cast<unsigned char>(text[b]) <= ' ')
        ++b;
    while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ')
        --e;
    return text.substr(b, e - b);
}

// Whole numbers: leading spaces, an optional sign, then decimal digits or a hexadecimal number after "$", "x"
// or "0x"; nothing may follow. A hexadecimal number is a bit pattern of the result's width. False when the
// text is no such number or does not fit.
[[nodiscard]] bool TryStrToInt(std::string_view text, int32_t& value);
[[nodiscard]] bool TryStrToInt64(std::string_view text, int64_t& value);

// Dates as the program shows them: day, separator, month, separator, year, each digits only. False when the
// text is no such date or the day does not exist.
[[nodiscard]] bool TryShortTextToDate(std::string_view text, std::string_view separator, TDate& date);

} // namespace ndlemo
