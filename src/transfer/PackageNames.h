#pragma once

#include "support/TDate.h"

#include <filesystem>
#include <string>
#include <string_view>

// The base names of packages and the directories of the archive of sent packages. Nothing here touches the file
// system. The archive directories are DirOdeslane with year and month below it.
namespace ndlemo {

// PRACOVISTE_ICZ_ICO_YEAR_xxxxxxxNUM_yyyymmdd: the invoice number padded on the left with "x" to ten characters
// (a longer one whole), the receipt date as eight digits. The mask form puts "????" for the workplace and "*" for
// the date: with ".zip" it finds an earlier package of the same invoice whatever workplace and receipt date.
[[nodiscard]] std::string InvoicePackageName(std::string_view pracoviste, std::string_view icz, std::string_view ico,
                                             std::string_view rokFaktury, std::string_view cisloFaktury,
                                             TDate datumPrijeti, bool mask);
// "NDLLZ_" PRACOVISTE_ICZ_ICO_IDPRENOSU.
[[nodiscard]] std::string ReportsPackageName(std::string_view pracoviste, std::string_view icz, std::string_view ico,
                                             std::string_view idPrenosu);
// DirOdeslane/yyyy/mm of the receipt date.
[[nodiscard]] std::filesystem::path InvoiceArchiveDir(std::string_view dirOdeslane, TDate datumPrijeti);
// DirOdeslane/ characters 1-4 of the transfer id / characters 5-6.
[[nodiscard]] std::filesystem::path ReportsArchiveDir(std::string_view dirOdeslane, std::string_view idPrenosu);

} // namespace ndlemo
