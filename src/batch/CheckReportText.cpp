#include "batch/CheckReportText.h"

#include <algorithm>

namespace ndlemo {

std::string CheckReportText(const std::vector<std::unique_ptr<TLemoSoubor>>& files, bool withBatches) {
    const bool anyErrors =
        std::any_of(files.begin(), files.end(), [](const auto& file) { return !file->Chyby.empty(); });
    return CheckReportBody(files, withBatches) +
           (anyErrors ? "Fakturu a dávky nelze přijmout\n" : "Fakturu a dávky lze přijmout\n");
}

std::string CheckReportBody(const std::vector<std::unique_ptr<TLemoSoubor>>& files, bool withBatches) {
    std::string out;
    if (withBatches) {
        for (size_t i = 0; i < files.size(); ++i) {
            const auto& file = *files[i];
            bool first = true;
            for (const auto& batch : file.Davky) {
                out += std::to_string(i + 1) + '\t' + std::to_string(batch->Davka.Cislo) + '\t' + batch->Davka.Mesic +
                       '\t' + batch->Davka.Rok + '\t' + (first && !file.Chyby.empty() ? "Ano" : "") + '\n';
                first = false;
            }
        }
    }
    for (size_t i = 0; i < files.size(); ++i) {
        const auto& file = *files[i];
        if (file.Chyby.empty())
            continue;
        out += "Chyby souboru " + std::to_string(i + 1) + " :\n";
        for (const auto& line : file.Chyby)
            out += line + '\n';
        out += '\n';
    }
    return out;
}

} // namespace ndlemo
