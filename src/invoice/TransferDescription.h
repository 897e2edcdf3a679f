#pragma once

#include "invoice/TLemoPrij.h"

#include <string>
#include <vector>

// The description file of a package: INI-like lines that tell the insurer what the package holds. The lines are
// UTF-8 here; the package builder saves them in Windows-1250 with CR LF after every line (SaveDescriptionFile).
namespace ndlemo {

// Empty the list, then add the lines of the invoice variant: [General] with the version, [Faktura] with the header
// fields, one [SouborNNN] per file with its batches, and [Uzivatel]. Dates and date-times use the system's
// separators, amounts "." as decimal separator. A value's control characters (a pasted line break) are written as
// blanks, so that no value can add a line of its own.
void WriteInvoiceDescription(const TLemoPrij& prij, std::vector<std::string>& lines, const std::string& userName,
                             const std::string& pracoviste);
// The medical-reports variant: [General], [Lekarske_zpravy], one [SouborNNN] per file without batches, [Uzivatel].
void WriteReportsDescription(const TLemoPrij& prij, std::vector<std::string>& lines, const std::string& userName,
                             const std::string& pracoviste);

} // namespace ndlemo
