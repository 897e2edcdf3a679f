#pragma once

#include "support/TDate.h"

#include <string>
#include <string_view>

namespace ndlemo {

// The rules of the invoice tab's fields that need no widget. A date field's text is what its mask makes
// of it: day, date separator, month, date separator, year, with a blank for every unfilled place.

// No date for a text that is blank or holds only blanks and date separators. Otherwise the day is read
// from characters 1-2, the month from 4-5 and the year from 7-10, and a day past the month's end becomes
// its last day. Raises ESubroutineError: "Nepřípustná hodnota "%s" pro datum" (the whole text) for a part
// that is no number, the year message of EncodeDateBackward for a year outside 1900..3000, and
// "Nepřípustná hodnota %d.%d.%d pro datum" for a month or day that gives no date.
[[nodiscard]] TDate TextToDate(std::string_view text);
// "dd.mm.yyyy" with the regional date separator; empty for no date.
[[nodiscard]] std::string DateToText(TDate date);
// What a date field shows once it is left: its date written back, or nothing. Raises as TextToDate.
[[nodiscard]] std::string NormalizeDateText(std::string_view text);
// Whether a date field's text holds no date at all (only blanks and date separators).
[[nodiscard]] bool IsBlankDateText(std::string_view text);

// The maturity field's text once the receipt date field was left: the receipt date plus the interval
// when the interval is above 0, the receipt date is filled and the maturity field is blank; otherwise
// the maturity text unchanged. The receipt text is already normalised.
[[nodiscard]] std::string MaturityAfterReceipt(std::string_view receiptText, std::string_view maturityText,
                                               int interval);

// The invoice number once it is left: trimmed, every character that is not a digit dropped.
[[nodiscard]] std::string CleanInvoiceNumber(std::string_view text);

} // namespace ndlemo
