#pragma once

#include "reports/TPageCounter.h"
#include "reports/TReport.h"
#include "reports/TReportDocument.h"

#include <filesystem>
#include <string>

namespace ndlemo {

class TLemoPrij;
class TQsStreamDataSet;

// The files report after a medical-reports transfer: who sent what from which workplace, the transfer id,
// the note, every file with its size and date, and the result with the package's name.
class TfrmSest02 {
public:
    // qssSest02 is the data module's open table, refilled by every showing; programFile is the executable
    // whose version the page footer shows.
    TfrmSest02(TQsStreamDataSet& qssSest02, std::filesystem::path programFile);
    TfrmSest02(const TfrmSest02&) = delete;
    TfrmSest02& operator=(const TfrmSest02&) = delete;

    // Empties the table, then one row per file of the transfer, in list order.
    static void FillFileRows(const TLemoPrij& prij, TQsStreamDataSet& qssSest02);

    // Fills the report, lays it out twice for the page numbers and shows it modally; the laid-out pages
    // are released when the preview is closed.
    void ShowFilesReport(const std::string& userName, const std::string& workplace, const TLemoPrij& prij,
                         const std::string& packageFileText, const std::string& resultText);
    // ShowFilesReport without the showing: the pages of the second layout pass.
    [[nodiscard]] TReportDocument PrepareFilesReport(const std::string& userName, const std::string& workplace,
                                                     const TLemoPrij& prij, const std::string& packageFileText,
                                                     const std::string& resultText);

    void ClearPageCounter() { m_Counter.ClearPageCounter(); }
    [[nodiscard]] TReport& Report() { return m_Report; }

private:
    void BuildLayout();
    void SetCaption(std::string_view item, std::string text);

    void qrbndPageFooterBeforePrint(bool& printBand);
    void qrsysStrankaPrint(std::string& text) const;

    TQsStreamDataSet& qssSest02;
    std::filesystem::path m_ProgramFile;
    TReport m_Report;
    TPageCounter m_Counter;
};

} // namespace ndlemo
