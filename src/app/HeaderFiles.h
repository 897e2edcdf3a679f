#pragma once

#include "invoice/TInvoiceForm.h"
#include "invoice/TReportsForm.h"

#include <filesystem>
#include <string_view>

namespace ndlemo {

// An invoice header for the command line: an INI file (UTF-8, read as Windows-1250 when it is not valid UTF-8)
// with the section [Faktura] and the keys of the description file. A missing key keeps the value of the new
// invoice given as defaults; a missing maturity date is derived from the receipt date as leaving the receipt
// date's field derives it (interval: IntSplatnosti). Raises ESubroutineError "Nepřípustná hodnota "%s" pro "%s""
// (the value and the key) for a value the tab's field could not hold, and names an unknown or repeated key and an
// unknown section, so
// that nothing runs on a header the window would not have taken.
[[nodiscard]] TInvoiceForm ReadInvoiceHeaderFile(const std::filesystem::path& file, const TInvoiceForm& defaults,
                                                 int interval);
// The same over the file's text.
[[nodiscard]] TInvoiceForm ReadInvoiceHeader(std::string_view bytes, const TInvoiceForm& defaults, int interval);

// The header of a medical-reports transfer: section [Lekarske_zpravy] with ICZ, ICO and Poznamka, by the same
// rules.
[[nodiscard]] TReportsForm ReadReportsHeaderFile(const std::filesystem::path& file, const TReportsForm& defaults);
[[nodiscard]] TReportsForm ReadReportsHeader(std::string_view bytes, const TReportsForm& defaults);

} // namespace ndlemo
