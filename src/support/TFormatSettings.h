#pragma once

#include "support/TDate.h"

#include <string>

namespace ndlemo {

// Regional settings, taken once at start from the system locale. Czech conventions where the locale is
// C/POSIX or gives nothing.
class TFormatSettings {
public:
    std::string DateSeparator = ".";
    std::string TimeSeparator = ":";
    std::string DecimalSeparator = ",";
    std::string ThousandSeparator = "\u00A0";
    std::string ShortDateFormat = "dd.MM.yyyy";

    // The settings in force (Czech until LoadFromSystem or Set).
    static const TFormatSettings& Current();
    static void Set(const TFormatSettings& settings);
    // Reads the process locale (setlocale(LC_ALL, "") is the caller's), once at start.
    static TFormatSettings FromSystem();

    // "dd.mm.yyyy" with the date separator; empty for no date.
    [[nodiscard]] std::string FormatDate(TDate date) const;
    // Fixed decimals with the decimal separator, optionally with thousands groups.
    [[nodiscard]] std::string FormatNumber(double value, int decimals, bool thousands) const;
};

} // namespace ndlemo
