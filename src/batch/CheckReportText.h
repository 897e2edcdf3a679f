#pragma once

#include "batch/TLemoSoubor.h"

#include <memory>
#include <string>
#include <vector>

namespace ndlemo {

// The check-error report as text, for the command line: with batches, one line per batch of every file (file
// number, batch, month, year, "Ano" in the first row of a faulty file; separated by tabs); then for every
// faulty file "Chyby souboru N :", its error lines and an empty line; then the result line "Fakturu a dávky
// lze přijmout" or "Fakturu a dávky nelze přijmout". Lines end with LF.
[[nodiscard]] std::string CheckReportText(const std::vector<std::unique_ptr<TLemoSoubor>>& files, bool withBatches);
// The same without the result line, for a run that states its own result.
[[nodiscard]] std::string CheckReportBody(const std::vector<std::unique_ptr<TLemoSoubor>>& files, bool withBatches);

} // namespace ndlemo
